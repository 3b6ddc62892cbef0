// The programs whose copies are never read: a terminal, a remote desktop, a
// password manager that marks nothing, a program that copies by itself.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/clipboard.h"

namespace gleaner {

class IgnoredPrograms {
public:
    IgnoredPrograms() = default;
    // Each name is a file name ("KeePass.exe", or "KeePass" for short) or a
    // full path, in any case. A name that matches no program does no harm.
    explicit IgnoredPrograms(const std::vector<std::u16string>& names);

    bool Empty() const { return fileNames_.empty() && paths_.empty(); }
    // executable: a program's full path, as Windows gives it.
    bool Holds(std::u16string_view executable) const;

private:
    std::unordered_set<std::u16string> fileNames_;  // case folded
    std::unordered_set<std::u16string> paths_;      // case folded, "\" for "/"
};

// Where a change came from: the program of the clipboard's owner window, or,
// when the copy has no owner window, the program of the window in front.
std::u16string CopyingProgram(Clipboard& clipboard);

}  // namespace gleaner
