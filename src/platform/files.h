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
};

}  // namespace gleaner
