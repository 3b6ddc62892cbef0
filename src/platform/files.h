// Whole files.
#pragma once

#include <optional>
#include <string>

namespace gleaner {

// Whole files as bytes; the settings store does its own text encoding.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual bool Exists(const std::u16string& path) = 0;
    // nullopt when the file cannot be opened or read.
    virtual std::optional<std::string> Read(const std::u16string& path) = 0;
    // Replaces the file as a whole: a reader sees either the old content or
    // the new one, never a part of it.
    virtual bool ReplaceAtomically(const std::u16string& path, const std::string& bytes) = 0;
    // True when the file is gone, also when there was none.
    virtual bool Remove(const std::u16string& path) = 0;
    // True when the folder is there, made now or before.
    virtual bool MakeFolder(const std::u16string& path) = 0;
};

// Data sealed for the Windows user running the program: only the same user
// opens it again, and any change to the sealed bytes makes it unopenable.
class DataProtection {
public:
    virtual ~DataProtection() = default;
    virtual std::optional<std::string> Seal(const std::string& bytes) = 0;
    // nullopt for bytes that were not sealed for this user, or were changed.
    virtual std::optional<std::string> Open(const std::string& sealed) = 0;
};

}  // namespace gleaner
