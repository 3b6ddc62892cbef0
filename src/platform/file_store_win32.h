// Whole files, replaced atomically.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/files.h"

namespace gleaner::win32 {

class Win32FileStore : public FileStore {
public:
    bool Exists(const std::u16string& path) override;
    std::optional<std::string> Read(const std::u16string& path) override;
    bool ReplaceAtomically(const std::u16string& path, const std::string& bytes) override;
    bool Remove(const std::u16string& path) override;
    bool MakeFolder(const std::u16string& path) override;
};

// The system's data protection for the current user (DPAPI), from crypt32
// in System32.
class Win32DataProtection : public DataProtection {
public:
    std::optional<std::string> Seal(const std::string& bytes) override;
    std::optional<std::string> Open(const std::string& sealed) override;
};

}  // namespace gleaner::win32
