#include "bench_texts.h"

#include <array>
#include <cstdint>

namespace gleaner::bench {
namespace {

constexpr std::array<const wchar_t*, 24> kWords{
    L"the",    L"clipboard", L"copy",  L"of",      L"a",      L"line",   L"text",  L"window",
    L"paste",  L"collect",   L"small", L"word",    L"and",    L"it",     L"each",  L"number",
    L"with",   L"edit",      L"box",   L"grows",   L"slowly", L"when",   L"more",  L"arrives",
};

// A fixed pseudo-random sequence per text, so every run copies the same texts.
class WordPicker {
public:
    explicit WordPicker(int seed) : state_(static_cast<std::uint32_t>(seed) * 2654435761u + 12345u) {}
    const wchar_t* Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return kWords[(state_ >> 16) % kWords.size()];
    }
    std::size_t LineLength() {
        state_ = state_ * 1664525u + 1013904223u;
        return 40 + (state_ >> 16) % 31;
    }

private:
    std::uint32_t state_;
};

// Cuts the text to its length without leaving half of a CR LF at the end.
std::wstring CutTo(std::wstring text, std::size_t length) {
    text.resize(length);
    if (!text.empty() && text.back() == L'\r') text.back() = L'.';
    return text;
}

}  // namespace

std::wstring LargeCopy(int index, std::size_t length) {
    WordPicker words(index);
    std::wstring text = L"large copy " + std::to_wstring(index);
    std::wstring line;
    std::size_t lineLength = words.LineLength();
    while (text.size() < length) {
        const std::wstring word = words.Next();
        if (line.size() + 1 + word.size() > lineLength) {
            text += L"\r\n" + line;
            line.clear();
            lineLength = words.LineLength();
        }
        line += line.empty() ? word : L" " + word;
    }
    return CutTo(std::move(text), length);
}

std::wstring SmallCopy(int index, std::size_t length) {
    WordPicker words(-index);
    std::wstring text = L"small copy " + std::to_wstring(index) + L":";
    while (text.size() < length) text += L" " + std::wstring(words.Next());
    return CutTo(std::move(text), length);
}

}  // namespace gleaner::bench
