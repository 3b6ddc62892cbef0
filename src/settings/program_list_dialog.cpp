#include "settings/program_list_dialog.h"

#include <algorithm>
#include <string_view>

namespace gleaner {
namespace {

constexpr std::size_t kLongestProgramName = 32767;

std::u16string_view Trim(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::u16string ProgramListText(const std::vector<std::u16string>& programs) {
    std::u16string text;
    for (const std::u16string& program : programs) text += program + u"\r\n";
    return text;
}

std::vector<std::u16string> ProgramsFromText(const std::u16string& text) {
    std::vector<std::u16string> programs;
    std::u16string_view rest = text;
    while (!rest.empty()) {
        const auto end = rest.find(u'\n');
        std::u16string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::u16string_view::npos ? rest.size() : end + 1);
        if (line.ends_with(u'\r')) line.remove_suffix(1);
        line = Trim(line);
        if (line.size() >= 2 && line.front() == u'"' && line.back() == u'"') line = Trim(line.substr(1, line.size() - 2));
        const bool control = std::ranges::any_of(line, [](char16_t c) { return c < 0x20 || c == 0x7F; });
        if (line.empty() || control || line.size() > kLongestProgramName) continue;
        programs.emplace_back(line);
    }
    return programs;
}

}  // namespace gleaner
