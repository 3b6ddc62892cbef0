// Texts in failure messages: UTF-8, and long ones cut down to what helps.
#pragma once

#include <string>

namespace gleaner::e2e {

std::string Utf8(const std::wstring& text);
// Utf8, shortened to its start and end when longer than maxChars, with
// line breaks shown as \r and \n.
std::string Describe(const std::wstring& text, std::size_t maxChars = 200);

}  // namespace gleaner::e2e
