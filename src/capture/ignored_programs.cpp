#include "capture/ignored_programs.h"

#include <algorithm>

namespace gleaner {
namespace {

// Windows compares file names without case: the letters of the scripts a
// program's name is likely written in fold here to their capitals.
char16_t FoldCase(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'ａ' && c <= u'ｚ')) return static_cast<char16_t>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);  // Latin-1
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 0x20);  // Greek
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);  // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c == u'/' ? u'\\' : c;
}

std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    std::ranges::transform(folded, folded.begin(), FoldCase);
    return folded;
}

bool HasFolder(std::u16string_view name) { return name.find_first_of(u"\\/:") != std::u16string_view::npos; }

}  // namespace

IgnoredPrograms::IgnoredPrograms(const std::vector<std::u16string>& names) {
    for (const std::u16string& name : names) {
        if (name.empty()) continue;
        (HasFolder(name) ? paths_ : fileNames_).insert(Folded(name));
    }
}

bool IgnoredPrograms::Holds(std::u16string_view executable) const {
    if (executable.empty()) return false;
    const std::u16string path = Folded(executable);
    if (paths_.contains(path)) return true;
    const std::u16string fileName = path.substr(path.find_last_of(u"\\:") + 1);
    if (fileNames_.contains(fileName)) return true;
    constexpr std::u16string_view kExe = u".EXE";
    return fileName.ends_with(kExe) && fileNames_.contains(fileName.substr(0, fileName.size() - kExe.size()));
}

std::u16string CopyingProgram(Clipboard& clipboard) {
    if (auto owner = clipboard.OwnerProgram()) return std::move(*owner);
    return clipboard.ForegroundProgram();
}

}  // namespace gleaner
