// gleaner_capture_bench: how long one capture takes, from putting a text on
// the clipboard until the collecting EDIT shows it, as the collection grows.
// Measures the real gleaner.exe and, as the baseline, a collector of our own
// that adds each copy either by re-setting the whole text or by
// EM_SETSEL + EM_REPLACESEL. Prints figures; asserts nothing about time.
//
//   gleaner_capture_bench.exe [--quick | --speed] [--gleaner PATH-TO-gleaner.exe] [--against PATH]
//   (--speed: only gleaner at human speed and the bursts; --against: another
//   gleaner.exe timed at human speed in the same run, beside this one)
//   gleaner_capture_bench.exe --collector re-set|append    (the helper process)
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "bench_report.h"
#include "capture_series.h"
#include "collector_window.h"
#include "driver.h"

namespace gleaner::bench {
namespace {

constexpr double kSeriesBudgetMs = 60000;  // a safety net; the plans below stay within it

// With its defaults (limit max 65,535, limit unit 10,000) gleaner shows a
// modal message box at each new multiple of 10,000 from 20,000 on and at
// every capture from 65,535 on, and the box takes the foreground; these
// settings keep the boxes away so that only capturing is timed.
const std::vector<std::wstring> kGleanerConf{L"limit max = 2000000000", L"limit unit = 0"};
// Tray mode: no notice at the start, the balloon in a corner (wherever the
// pointer is), and open for the whole run rather than closing 5 s after a
// capture, so that every timed capture finds it open.
const std::vector<std::wstring> kTrayConf{L"task tray = 1", L"custom msg = 0", L"disp pos = 右下隅",
                                          L"time auto close = 3600"};

// GleanerIgnoring: gleaner with programs to ignore, none of them the one
// copying, so that each copy costs the look at its program; timed at human
// speed only.
enum class Program { Gleaner, GleanerTray, GleanerIgnoring, ReSet, Append };
constexpr int kIgnoredPrograms = 30;

// A person copies a few times a second at most: each of these captures comes
// after a pause long enough for any batching to have ended.
constexpr int kHumanSpeedCaptures = 40;
constexpr DWORD kHumanSpeedPauseMs = 250;

struct SizeStep {
    std::size_t size;
    int capturesPerBlock;
    int blocks;
};
constexpr std::array<SizeStep, 3> kSteps{{{10000, 12, 8}, {100000, 25, 8}, {1000000, 25, 8}}};
// Re-setting the whole text takes ~0.3 s at 100,000 characters and ~3 s at
// 1,000,000 under Wine: fewer captures for the re-set collector there.
constexpr int ReSetCapturesPerBlock(std::size_t size) { return size >= 1000000 ? 2 : 12; }

struct Options {
    bool quick = false;
    // Only what copies cost a person: gleaner at human speed, and bursts.
    bool speedOnly = false;
    std::wstring gleanerExe = e2e::BuiltGleaner();
    // Another gleaner.exe (an earlier build, say) whose human speed is
    // measured in the same run, beside this one's.
    std::wstring againstExe;
};

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

void Say(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH * 2] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    return path;
}

SeriesPlan PlanFor(Program program, const SizeStep& step, bool quick) {
    SeriesPlan plan;
    plan.size = step.size;
    plan.blocks = quick ? 2 : step.blocks;
    plan.capturesPerBlock = quick ? 3 : step.capturesPerBlock;
    if (program == Program::ReSet && !quick) plan.capturesPerBlock = ReSetCapturesPerBlock(step.size);
    // The timed captures sit around the nominal size.
    const std::size_t span = static_cast<std::size_t>(plan.capturesPerBlock * plan.blocks) *
                             (kSmallCopyLength + kSeparatorLength);
    plan.startLength = step.size - span / 2;
    plan.budgetMs = kSeriesBudgetMs;
    return plan;
}

const char* NameOf(Program program) {
    switch (program) {
    case Program::Gleaner: return "gleaner";
    case Program::GleanerTray: return "gleaner, tray";
    case Program::GleanerIgnoring: return "gleaner, 30 ignored";
    case Program::ReSet: return "re-set collector";
    case Program::Append: return "append collector";
    }
    return "?";
}

std::string CapturesLine(Program program) {
    std::string line;
    for (const SizeStep& step : kSteps) {
        const SeriesPlan plan = PlanFor(program, step, false);
        line += (line.empty() ? "" : " / ") + std::to_string(plan.capturesPerBlock * plan.blocks / 2);
    }
    return line;
}

std::string Platform() {
    using WineVersion = const char*(__cdecl*)();
    const auto wine = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return std::string(wine ? "Wine " + std::string(wine()) : "Windows") + ", " +
           std::to_string(system.dwNumberOfProcessors) + " processors";
}

void PrintIntroduction(const Options& options) {
    Say("gleaner capture benchmark: milliseconds from putting a text on the clipboard until the collecting");
    Say("program's EDIT (id 1001) holds it (WM_GETTEXTLENGTH from this process reaches the expected length).");
    Say("");
    Say("  gleaner           the real program, " + Narrow(options.gleanerExe) + ", run as a copy in a");
    Say("                    temp folder with a Conf.txt of \"limit max = 2000000000\", \"limit unit = 0\" (no");
    Say("                    length message boxes); it appends with EM_SETSEL(end) + EM_REPLACESEL.");
    Say("  re-set collector  the baseline: a clipboard viewer of our own in a helper process, its main window");
    Say("                    and EDIT made like gleaner's (same styles, WS_EX_CLIENTEDGE, EM_SETLIMITTEXT 0,");
    Say("                    client 301x112, same font, topmost); on WM_DRAWCLIPBOARD it reads the clipboard,");
    Say("                    WM_GETTEXTs the whole text and WM_SETTEXTs it with CR LF + the copy added.");
    Say("  append collector  the same collector adding CR LF + the copy with EM_SETSEL(end) + EM_REPLACESEL.");
    Say("                    Both collector ways then put the caret at the end (EM_SETSEL, EM_SCROLLCARET).");
    Say("");
    Say("  sizes             the collection's length in UTF-16 code units (all texts are ASCII, so also");
    Say("                    characters and bytes; CR LF counts 2), brought there by a few large copies of");
    Say("                    up to 250,000 characters: lines of 40-70 characters of short English words");
    Say("                    joined by CR LF. Timed copies: 50 characters, one line of short words with");
    Say("                    spaces, all distinct, joined by CR LF; the timed ones sit around the size.");
    Say("  window            the collecting program's main window shown, or hidden with ShowWindow(SW_HIDE)");
    Say("                    from this process; blocks of captures alternate shown and hidden.");
    Say("  gleaner, tray     gleaner again in tray mode (Conf.txt also \"task tray = 1\", \"custom msg = 0\",");
    Say("                    \"disp pos = 右下隅\", \"time auto close = 3600\"): its window hidden, each capture also");
    Say("                    shown in the balloon, open all along; timed until the balloon's EDIT holds the copy,");
    Say("                    at 10,000 and 1,000,000 characters.");
    Say("  ms per capture    mean and median over n captures run back to back: what a program defers");
    Say("                    (repainting) delays the next capture and is counted there. Each figure also");
    Say("                    holds one clipboard put (on the thread of the benchmark's window, reached by one");
    Say("                    SendMessage) and one cross-process message round trip.");
    Say("  captures          per size and window state: " + CapturesLine(Program::Gleaner) + " for gleaner and");
    Say("                    the append collector; " + CapturesLine(Program::ReSet) + " for the re-set collector,");
    Say("                    capped because re-setting takes seconds per capture at 1,000,000 under Wine.");
    Say("  the benchmark's own window is the foreground window during every copy, so all programs collect.");
    Say("  running on        " + Platform());
    if (options.quick) Say("  --quick: a smoke run with very few captures; the figures mean little.");
    Say("");
}

class Bench {
public:
    Bench(Options options, const e2e::OtherApplication& driver) : options_(std::move(options)), driver_(driver) {}

    bool RunProgram(Program program, ProgramResults& results, const std::wstring& gleanerExe);

private:
    bool RunSizes(Program program, const e2e::Program& running, ProgramResults& results, std::wstring& error);

    Options options_;
    const e2e::OtherApplication& driver_;
};

bool Bench::RunSizes(Program program, const e2e::Program& running, ProgramResults& results, std::wstring& error) {
    CaptureSeries series(driver_, running, program == Program::GleanerTray);
    for (const SizeStep& step : kSteps) {
        if (program == Program::GleanerTray && step.size == 100000) continue;
        const bool speedOnly = options_.speedOnly || program == Program::GleanerIgnoring;
        if (speedOnly && step.size != kSteps.front().size) continue;
        const SeriesPlan plan = PlanFor(program, step, options_.quick);
        const double started = NowMs();
        if (!series.Prefill(plan.startLength, error)) return false;
        const double filled = NowMs();
        SeriesResult result;
        if (!series.Run(plan, result, error)) return false;
        results.series.push_back(result);
        std::printf("  %-17s %9s: prefill %6.1f s, %3zu + %3zu timed captures %6.1f s\n", NameOf(program),
                    Grouped(step.size).c_str(), (filled - started) / 1000, result.shown.ms.size(),
                    result.hidden.ms.size(), (NowMs() - filled) / 1000);
        std::fflush(stdout);
        const bool gleaner = program != Program::ReSet && program != Program::Append;
        if (gleaner && step.size == kSteps.front().size &&
            !series.RunAtHumanSpeed(kHumanSpeedCaptures, kHumanSpeedPauseMs, results.humanSpeed, error))
            return false;
    }
    return true;
}

bool Bench::RunProgram(Program program, ProgramResults& results, const std::wstring& gleanerExe) {
    results.name = NameOf(program);
    if (gleanerExe != options_.gleanerExe) results.name += " (against)";
    const std::string name = results.name;
    // Whatever the clipboard holds at a program's start must not be collected.
    driver_.Copy(L"on the clipboard before the start of program " + std::to_wstring(static_cast<int>(program)));
    // gleaner runs as a copy in a folder of its own, beside our Conf.txt; the
    // collector is this program again.
    std::optional<e2e::ExeFolder> folder;
    const AppendWay way = program == Program::ReSet ? AppendWay::ReSet : AppendWay::Replace;
    std::wstring commandLine = L"\"" + OwnPath() + L"\" --collector " + std::wstring(AppendWayArgument(way));
    const bool gleaner = program != Program::ReSet && program != Program::Append;
    if (gleaner) {
        std::vector<std::wstring> conf = kGleanerConf;
        if (program == Program::GleanerTray) conf.insert(conf.end(), kTrayConf.begin(), kTrayConf.end());
        folder.emplace(gleanerExe);
        if (folder->path.empty() || !e2e::WriteConf(folder->File(L"Conf.txt"), conf)) {
            Say("ERROR (gleaner): could not make a folder with a copy of " + Narrow(gleanerExe));
            return false;
        }
        commandLine = L"\"" + folder->File(L"gleaner.exe") + L"\"";
        std::ofstream ini(folder->File(L"gleaner.ini").c_str(), std::ios::binary | std::ios::app);
        for (int i = 0; program == Program::GleanerIgnoring && i < kIgnoredPrograms; ++i)
            ini << "ignore program = C:\\Tools\\ignored-" << i << ".exe\r\n";
    }
    e2e::Program running(commandLine, folder ? folder->path : std::filesystem::temp_directory_path().wstring());
    // In tray mode gleaner's window stays hidden behind its icon.
    const auto up = running.WaitForWindow(gleaner ? e2e::kMainWindowClass : kCollectorClass,
                                          program != Program::GleanerTray);
    const auto front = up ? e2e::BringToFront(driver_.Window()) : up;
    std::wstring error;
    bool ok = front;
    if (ok) {
        // The clipboard as it was at the start stays uncollected: nothing changes.
        HWND box = GetDlgItem(running.Window(), e2e::kBoxId);
        const auto before = e2e::Ask(box, WM_GETTEXTLENGTH, 0, 0, 30000);
        e2e::PumpFor(500);
        if (before != e2e::Ask(box, WM_GETTEXTLENGTH, 0, 0, 30000))
            Say("  NOTE: " + name + "'s box changed without a copy after its start");
        ok = RunSizes(program, running, results, error);
    }
    if (up && !running.Close()) Say("  NOTE: " + name + " did not end after WM_CLOSE; terminated");
    if (!ok) Say("ERROR (" + name + "): " + (front ? Narrow(error) : std::string(front.message())));
    return ok;
}

// Copies made faster than a window can draw: how many of 1,000 a fresh
// gleaner keeps at each spacing, with its window shown and in tray mode with
// its balloon open. A copy lives on the clipboard only until the next.
struct BurstResult {
    DWORD spacingMs = 0;
    int kept[2] = {-1, -1};  // window shown, tray mode
};
constexpr int kBurstCopies = 1000;

int KeptOfBurst(const Options& options, const e2e::OtherApplication& driver, DWORD spacing, bool tray) {
    std::vector<std::wstring> conf = kGleanerConf;
    if (tray) conf.insert(conf.end(), kTrayConf.begin(), kTrayConf.end());
    e2e::ExeFolder folder(options.gleanerExe);
    if (folder.path.empty() || !e2e::WriteConf(folder.File(L"Conf.txt"), conf)) return -1;
    e2e::Program running(L"\"" + folder.File(L"gleaner.exe") + L"\"", folder.path);
    if (!running.WaitForWindow(e2e::kMainWindowClass, !tray) || !e2e::BringToFront(driver.Window())) return -1;
    const std::wstring name = L"burst " + std::to_wstring(spacing) + L" ms, copy ";
    driver.OnThread([&] {
        for (int i = 1; i <= kBurstCopies; ++i) {
            e2e::PutText(driver.Window(), name + std::to_wstring(i));
            e2e::PumpFor(spacing);
        }
        return true;
    });
    // Until the box has not grown for a second.
    HWND box = GetDlgItem(running.Window(), e2e::kBoxId);
    std::optional<std::wstring> text, before;
    do {
        before = text;
        e2e::PumpFor(1000);
        text = e2e::TextOf(box);
    } while (text != before);
    int kept = 0;
    for (int i = 1; i <= kBurstCopies; ++i) {
        const std::wstring copy = name + std::to_wstring(i);
        const std::size_t at = text ? text->find(copy + L"\r\n") : std::wstring::npos;
        kept += at != std::wstring::npos || (text && text->ends_with(copy));
    }
    running.Close();
    return kept;
}

void PrintHumanSpeed(const std::vector<const ProgramResults*>& programs) {
    Say("");
    Say("Milliseconds per capture at human speed (a copy " + std::to_string(kHumanSpeedPauseMs) +
        " ms after the last was shown), around 10,000 characters:");
    for (const ProgramResults* results : programs) {
        std::vector<double> ms = results->humanSpeed.ms;
        if (ms.empty()) continue;
        std::sort(ms.begin(), ms.end());
        double sum = 0;
        for (double one : ms) sum += one;
        std::printf("  %-26s n %2zu   mean %7.2f   median %7.2f\n", results->name.c_str(), ms.size(), sum / ms.size(),
                    ms[ms.size() / 2]);
    }
    std::fflush(stdout);
}

void PrintBursts(const std::vector<BurstResult>& bursts) {
    Say("");
    Say("Copies kept of " + std::to_string(kBurstCopies) + " made one after another by another application:");
    Say("  spacing   window shown   tray mode, balloon open");
    for (const BurstResult& burst : bursts)
        std::printf("  %4lu ms   %12d   %23d\n", static_cast<unsigned long>(burst.spacingMs), burst.kept[0],
                    burst.kept[1]);
    std::fflush(stdout);
}

std::optional<Options> ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        if (argument == L"--quick") {
            options.quick = true;
        } else if (argument == L"--speed") {
            options.speedOnly = options.quick = true;
        } else if (argument == L"--gleaner" && i + 1 < argc) {
            options.gleanerExe = argv[++i];
        } else if (argument == L"--against" && i + 1 < argc) {
            options.againstExe = argv[++i];
        } else {
            std::fprintf(stderr, "usage: gleaner_capture_bench [--quick | --speed] [--gleaner PATH] [--against PATH]\n");
            return std::nullopt;
        }
    }
    return options;
}

int RunBench(const Options& options) {
    const double started = NowMs();
    PrintIntroduction(options);
    const e2e::OtherApplication driver;
    if (driver.Window() == nullptr) {
        Say("ERROR: could not create the benchmark's window");
        return 1;
    }
    Bench bench(options, driver);
    ProgramResults gleaner, ignoring, tray, reSet, append, gleanerAgainst, trayAgainst;
    // One collecting program at a time: the others are not running, so no
    // other viewer shares the chain or the processors.
    const std::wstring& exe = options.gleanerExe;
    bool ok = bench.RunProgram(Program::Gleaner, gleaner, exe) && bench.RunProgram(Program::GleanerIgnoring, ignoring, exe) &&
              bench.RunProgram(Program::GleanerTray, tray, exe) &&
              (options.speedOnly || (bench.RunProgram(Program::ReSet, reSet, exe) &&
                                     bench.RunProgram(Program::Append, append, exe)));
    std::vector<const ProgramResults*> humanSpeed{&gleaner, &ignoring, &tray};
    if (ok && !options.againstExe.empty()) {
        ok = bench.RunProgram(Program::Gleaner, gleanerAgainst, options.againstExe) &&
             bench.RunProgram(Program::GleanerTray, trayAgainst, options.againstExe);
        humanSpeed = {&gleaner, &gleanerAgainst, &ignoring, &tray, &trayAgainst};
    }
    std::vector<BurstResult> bursts;
    for (const DWORD spacing : {20, 10, 5, 2}) {
        BurstResult burst{spacing, {}};
        for (const bool tray : {false, true}) burst.kept[tray] = KeptOfBurst(options, driver, spacing, tray);
        bursts.push_back(burst);
    }
    if (!options.speedOnly) {
        PrintTable(gleaner, reSet, append);
        PrintTrayTable(tray, gleaner);
    }
    PrintHumanSpeed(humanSpeed);
    PrintBursts(bursts);
    std::printf("\nbenchmark run time %.1f s\n", (NowMs() - started) / 1000);
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace gleaner::bench

int wmain(int argc, wchar_t** argv) {
    using namespace gleaner::bench;
    if (argc == 3 && std::wstring_view(argv[1]) == L"--collector") {
        const auto way = ParseAppendWay(argv[2]);
        return way ? RunCollector(*way) : 2;
    }
    const auto options = ParseOptions(argc, argv);
    return options ? RunBench(*options) : 2;
}
