// Conversions at the program's edges: Conf.txt is code page 932 on disk,
// UTF-8 where 932 cannot hold a setting.
#pragma once

#include <optional>
#include <string>

namespace gleaner {

// nullopt when some character has no code page 932 form; never substitutes "?".
std::optional<std::string> EncodeCodePage932(const std::u16string& text);
// Bytes that are not valid code page 932 become U+FFFD or the system's choice.
std::u16string DecodeCodePage932(const std::string& bytes);

// Unpaired surrogates are written as U+FFFD.
std::string EncodeUtf8(const std::u16string& text);
std::u16string DecodeUtf8(const std::string& bytes);
// True when every byte sequence is well-formed UTF-8.
bool IsUtf8(const std::string& bytes);

}  // namespace gleaner
