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
};

}  // namespace gleaner::win32
