// Conf.txt as bytes on disk: lines ending in CR LF, in code page 932.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace gleaner::e2e {

struct ConfText {
    std::vector<std::wstring> lines;           // without their CR LF
    std::map<std::wstring, std::wstring> values;  // "key = value" lines
};

// nullopt (and *why) when the bytes are not CR LF terminated lines of valid
// code page 932 text.
std::optional<ConfText> ParseConfText(const std::string& bytes, std::string* why);

}  // namespace gleaner::e2e
