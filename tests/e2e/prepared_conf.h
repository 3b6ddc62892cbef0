// A Conf.txt written before gleaner starts, as a user who edits the file by
// hand would leave it: "key = value" lines, CR LF, code page 932.
#pragma once

#include <string>
#include <vector>

namespace gleaner::e2e {

// Writes lines (without their CR LF) to path, replacing any file there.
// False when a line cannot be written in code page 932 or the file not made.
bool WriteConfFile(const std::wstring& path, const std::vector<std::wstring>& lines);

}  // namespace gleaner::e2e
