// The texts the benchmark copies: ordinary short words with spaces and line
// breaks, so that the EDIT's word wrap sees prose rather than one huge word.
// Every text is plain ASCII, so its length in UTF-16 code units equals its
// length in characters and in bytes.
#pragma once

#include <cstddef>
#include <string>

namespace gleaner::bench {

// A large copy of exactly `length` characters: lines of 40 to 70 characters
// of short words, joined by CR LF. Distinct for each index.
std::wstring LargeCopy(int index, std::size_t length);

// A small copy of exactly `length` characters: one line of short words
// separated by spaces, no line break. Distinct for each index.
std::wstring SmallCopy(int index, std::size_t length);

}  // namespace gleaner::bench
