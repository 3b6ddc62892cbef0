// The baseline collector: a small program of our own that collects copies the
// way gleaner does (a clipboard listener whose main window holds a multi-line
// EDIT like gleaner's), in one of two ways of adding a copy to the EDIT.
// The benchmark runs it as a separate process (gleaner_capture_bench.exe
// --collector re-set|append) and drives it exactly as it drives gleaner.
#pragma once

#include <optional>
#include <string_view>

namespace gleaner::bench {

enum class AppendWay {
    ReSet,    // WM_GETTEXT of the whole text, then WM_SETTEXT of it with the copy added
    Replace,  // EM_SETSEL at the end, then EM_REPLACESEL with the copy
};

inline constexpr wchar_t kCollectorClass[] = L"GleanerBenchCollector";

std::wstring_view AppendWayArgument(AppendWay way);
std::optional<AppendWay> ParseAppendWay(std::wstring_view argument);

// Runs the collector's window until it is closed (WM_CLOSE). Returns the
// process exit code.
int RunCollector(AppendWay way);

}  // namespace gleaner::bench
