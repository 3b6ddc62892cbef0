// gleaner_idle_bench: what gleaner costs while it only waits, beside a
// minimal window program with one edit control built the same way. In one
// run, for each program: the processor time that it and the wineserver
// spend over a stretch of idling while another application's window is in
// front, its resident memory, and how long it takes from its start to a
// shown window with its text. Prints figures and their ratios to the minimal
// program; asserts nothing. Runs under Wine only (it reads Linux's /proc).
//
//   gleaner_idle_bench.exe [--seconds N] [--starts N]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "resources/texts.h"
#include "unix_process.h"

namespace gleaner::bench {
namespace {

struct Options {
    int seconds = 20;  // of idling measured per program
    int starts = 5;    // timed starts per program; the median is shown
};

// One program in one mode, as the benchmark runs it.
struct Subject {
    std::string name;
    std::wstring exe;
    std::wstring windowClass;
    std::wstring text;                // what its box shows once started
    std::vector<std::wstring> conf;   // Conf.txt lines beside a copy of it; none: run where it was built
    bool shown = true;                // false: it starts hidden (tray mode)
    bool pointerOnIt = false;         // the mouse pointer rests on its window instead of the other one
};

struct Figures {
    std::optional<double> processPercent, serverPercent;  // of one processor, over the idle stretch
    std::optional<double> residentMb;
    std::optional<double> startMs;  // median
    std::vector<std::string> notes;
};

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::wstring BuiltMinimal(bool manifest) {
    const std::string path = manifest ? GLEANER_MINIMAL_V6_EXE_UNIX_PATH : GLEANER_MINIMAL_EXE_UNIX_PATH;
    return L"Z:" + std::filesystem::path(path).make_preferred().wstring();
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// A started program with its window found, shown or hidden.
HWND WindowOnceUp(const e2e::Program& program, const Subject& subject, double deadlineMs) {
    while (NowMs() < deadlineMs) {
        const HWND window = e2e::FindWindowOf(program.Id(), subject.windowClass);
        if (window && (!subject.shown || IsWindowVisible(window))) return window;
        Sleep(2);
    }
    return nullptr;
}

// From CreateProcess to a shown window whose box holds the program's text;
// nothing when that did not come within 20 s.
std::optional<double> TimeOneStart(const Subject& subject, const std::wstring& folder, const std::wstring& exe) {
    const double started = NowMs();
    const double deadline = started + e2e::kWaitMs;
    e2e::Program program(Quoted(exe), folder);
    const HWND window = WindowOnceUp(program, subject, deadline);
    if (!window) return std::nullopt;
    const HWND box = GetDlgItem(window, e2e::kBoxId);
    while (e2e::TextOf(box).value_or(L"") != subject.text) {
        if (NowMs() > deadline) return std::nullopt;
        Sleep(2);
    }
    const double ms = NowMs() - started;
    if (program.WaitForWindow(subject.windowClass)) (void)program.Close();
    return ms;
}

std::optional<double> Percent(std::optional<std::uint64_t> before, std::optional<std::uint64_t> after, double ms) {
    if (!before || !after) return std::nullopt;
    return static_cast<double>(*after - *before) / 1e6 / ms * 100;
}

class Bench {
public:
    Bench(Options options, const e2e::OtherApplication& other) : options_(options), other_(other) {}

    Figures Measure(const Subject& subject) const;
    // The wineserver alone, with none of the programs running: the floor.
    std::optional<double> ServerFloor() const;

private:
    void TimeStarts(const Subject& subject, const std::wstring& folder, const std::wstring& exe,
                    Figures& figures) const;
    void Idle(const Subject& subject, HWND window, int pid, Figures& figures) const;

    Options options_;
    const e2e::OtherApplication& other_;
};

void Bench::TimeStarts(const Subject& subject, const std::wstring& folder, const std::wstring& exe,
                       Figures& figures) const {
    std::vector<double> times;
    for (int i = 0; i < options_.starts; ++i) {
        if (auto ms = TimeOneStart(subject, folder, exe)) times.push_back(*ms);
    }
    if (times.size() < static_cast<std::size_t>(options_.starts))
        figures.notes.push_back(std::to_string(options_.starts - times.size()) + " starts did not show the text");
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    figures.startMs = times[times.size() / 2];
}

Figures Bench::Measure(const Subject& subject) const {
    Figures figures;
    std::optional<e2e::ExeFolder> folder;
    std::wstring exe = subject.exe;
    if (!subject.conf.empty()) {
        folder.emplace(subject.exe);
        if (folder->path.empty() || !e2e::WriteConf(folder->File(L"Conf.txt"), subject.conf)) {
            figures.notes.push_back("could not make a folder with a copy and its Conf.txt");
            return figures;
        }
        exe = folder->File(L"gleaner.exe");
    }
    const std::wstring where = folder ? folder->path : std::filesystem::path(exe).parent_path().wstring();

    // Where the pointer rests does not change a start: timed once per mode.
    if (subject.shown && !subject.pointerOnIt) TimeStarts(subject, where, exe, figures);

    e2e::Program program(Quoted(exe), where);
    const HWND window = WindowOnceUp(program, subject, NowMs() + e2e::kWaitMs);
    if (!window) {
        figures.notes.push_back("no window came up");
        return figures;
    }
    const auto pid = UnixProcessOf(folder ? folder->path : exe);
    if (!pid) {
        figures.notes.push_back("its Linux process was not found");
        return figures;
    }
    Idle(subject, window, *pid, figures);
    if (subject.shown && program.WaitForWindow(subject.windowClass)) (void)program.Close();
    return figures;
}

// The pointer to the middle of window where it shows; false when no part of
// it does.
bool PointerOnto(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const LONG w = rect.right - rect.left, h = rect.bottom - rect.top;
    for (const POINT point : {POINT{rect.left + w / 2, rect.top + h / 2}, POINT{rect.left + w / 5, rect.bottom - h / 5},
                              POINT{rect.right - w / 5, rect.bottom - h / 5}}) {
        if (GetAncestor(WindowFromPoint(point), GA_ROOT) == window && SetCursorPos(point.x, point.y)) return true;
    }
    return false;
}

void Bench::Idle(const Subject& subject, HWND window, int pid, Figures& figures) const {
    // Another application in front, as while the user works elsewhere, and
    // the pointer where the subject says; then time for what the start and
    // the move set going (a splash, a first paint, a tooltip) to end. In
    // tray mode Wine shows its notification area once the icon is there, and
    // the window manager puts that in front: the other application after it.
    const auto iconShown = [] { return IsWindowVisible(FindWindowW(L"__winex11_standalone_tray", nullptr)) != FALSE; };
    if (!subject.shown && !e2e::WaitFor("the notification area", iconShown, true))
        figures.notes.push_back("no notification area came up");
    if (!e2e::BringToFront(other_.Window())) figures.notes.push_back("the other application did not come to the front");
    if (!PointerOnto(subject.pointerOnIt ? window : other_.Window()))
        figures.notes.push_back("the pointer could not be put on the window");
    Sleep(6000);
    const auto server = Wineserver();
    const auto processBefore = ProcessorNs(pid);
    const auto serverBefore = server ? ProcessorNs(*server) : std::nullopt;
    const double started = NowMs();
    Sleep(static_cast<DWORD>(options_.seconds) * 1000);
    const auto processAfter = ProcessorNs(pid);
    const auto serverAfter = server ? ProcessorNs(*server) : std::nullopt;
    const double ms = NowMs() - started;
    figures.processPercent = Percent(processBefore, processAfter, ms);
    figures.serverPercent = Percent(serverBefore, serverAfter, ms);
    if (const auto kb = ResidentKb(pid)) figures.residentMb = static_cast<double>(*kb) / 1024;
    if (GetForegroundWindow() != other_.Window())
        figures.notes.push_back("another window came to the front while it idled");
    if (!subject.shown && IsWindowVisible(window)) figures.notes.push_back("its window was shown: tray mode did not take");
}

std::optional<double> Bench::ServerFloor() const {
    (void)e2e::BringToFront(other_.Window());
    (void)PointerOnto(other_.Window());
    Sleep(3000);
    const auto server = Wineserver();
    if (!server) return std::nullopt;
    const auto before = ProcessorNs(*server);
    const double started = NowMs();
    Sleep(static_cast<DWORD>(options_.seconds) * 1000);
    return Percent(before, ProcessorNs(*server), NowMs() - started);
}

std::string Cell(std::optional<double> value, const char* format) {
    if (!value) return "-";
    char text[32];
    std::snprintf(text, sizeof text, format, *value);
    return text;
}

std::optional<double> Sum(std::optional<double> a, std::optional<double> b) {
    if (!a || !b) return std::nullopt;
    return *a + *b;
}

std::optional<double> Ratio(std::optional<double> value, std::optional<double> base) {
    if (!value || !base || *base <= 0) return std::nullopt;
    return *value / *base;
}

void PrintTable(const std::vector<Subject>& subjects, const std::vector<Figures>& figures,
                std::optional<double> floor, const Options& options) {
    const Figures& base = figures.front();
    const auto baseIdle = Sum(base.processPercent, base.serverPercent);
    std::printf("\n%-36s %28s %16s %16s\n", "", "idle processor, % of one", "resident memory", "start-up");
    std::printf("%-36s %8s %10s %8s %6s %9s %6s %9s %6s\n", "program", "process", "wineserver", "total", "ratio",
                "MB", "ratio", "ms", "ratio");
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        const Figures& f = figures[i];
        const auto idle = Sum(f.processPercent, f.serverPercent);
        std::printf("%-36s %8s %10s %8s %6s %9s %6s %9s %6s\n", subjects[i].name.c_str(),
                    Cell(f.processPercent, "%.3f").c_str(), Cell(f.serverPercent, "%.3f").c_str(),
                    Cell(idle, "%.3f").c_str(), Cell(Ratio(idle, baseIdle), "%.2fx").c_str(),
                    Cell(f.residentMb, "%.1f").c_str(), Cell(Ratio(f.residentMb, base.residentMb), "%.2fx").c_str(),
                    Cell(f.startMs, "%.0f").c_str(), Cell(Ratio(f.startMs, base.startMs), "%.2fx").c_str());
        for (const std::string& note : f.notes) std::printf("    NOTE: %s\n", note.c_str());
    }
    std::printf("%-36s %8s %10s %8s\n", "(none of them: the wineserver alone)", "", Cell(floor, "%.3f").c_str(),
                "");
    std::printf("\nidle: %d s each, another application's window in front; start-up: median of %d starts.\n",
                options.seconds, options.starts);
    std::printf("targets for gleaner against the minimal program: idle processor at most 1.50x, memory at most "
                "1.10x.\n");
}

void PrintIntroduction(const Options& options) {
    std::printf("gleaner idle benchmark: what each program costs while it waits, one program at a time.\n\n");
    std::printf("  idle processor  time on a processor of the program's Linux process and of the wineserver,\n"
                "                  from the scheduler (/proc/PID/task/*/schedstat), over %d s in which this\n"
                "                  benchmark's own window (another application) is in front with the mouse pointer\n"
                "                  on it (on the program's window in the last gleaner row) and nothing is copied;\n"
                "                  the wineserver's share holds whatever else asks it for work meanwhile (the\n"
                "                  last row: the same stretch with none of the programs running).\n",
                options.seconds);
    std::printf("  resident memory VmRSS of the program's process at the end of that stretch.\n");
    std::printf("  start-up        from CreateProcess until its window is shown and its box holds its text\n"
                "                  (the introduction, for gleaner); the median of %d starts.\n",
                options.starts);
    std::printf("  minimal window  a window with one EDIT, built by the same compiler with the same flags and\n"
                "                  static runtime; the \"common controls v6\" row is the same program with\n"
                "                  gleaner's manifest, for reference.\n");
    std::printf("  gleaner         a copy in a folder of its own beside a Conf.txt (\"task tray = 1\" for tray\n"
                "                  mode, where it starts hidden and has no start-up to time).\n\n");
    std::fflush(stdout);
}

std::optional<Options> ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        const int value = _wtoi(argv[i + 1]);
        if (name == L"--seconds" && value > 0) {
            options.seconds = value;
        } else if (name == L"--starts" && value > 0) {
            options.starts = value;
        } else {
            return std::nullopt;
        }
    }
    if (argc % 2 == 0) return std::nullopt;
    return options;
}

int RunBench(const Options& options) {
    const double started = NowMs();
    PrintIntroduction(options);
    if (!Wineserver()) {
        std::printf("ERROR: no wineserver in /proc: this benchmark runs under Wine only\n");
        return 1;
    }
    const e2e::OtherApplication other;
    if (!other.Window()) {
        std::printf("ERROR: could not create the other application's window\n");
        return 1;
    }
    const std::u16string introduction = texts::kIntroduction;
    const std::wstring gleanerText(introduction.begin(), introduction.end());
    const std::vector<Subject> subjects{
        {"minimal window", BuiltMinimal(false), L"GleanerBenchMinimalWindow", L"minimal", {}, true},
        {"minimal window, common controls v6", BuiltMinimal(true), L"GleanerBenchMinimalWindow", L"minimal", {},
         true},
        {"gleaner, window mode", e2e::BuiltGleaner(), e2e::kMainWindowClass, gleanerText, {L"task tray = 0"}, true},
        {"gleaner, tray mode", e2e::BuiltGleaner(), e2e::kMainWindowClass, gleanerText, {L"task tray = 1"}, false},
        {"gleaner, window mode, pointer on it", e2e::BuiltGleaner(), e2e::kMainWindowClass, gleanerText,
         {L"task tray = 0"}, true, true},
    };
    const Bench bench(options, other);
    std::vector<Figures> figures;
    for (const Subject& subject : subjects) {
        std::printf("  measuring %s ...\n", subject.name.c_str());
        std::fflush(stdout);
        figures.push_back(bench.Measure(subject));
    }
    std::printf("  measuring the wineserver alone ...\n");
    const auto floor = bench.ServerFloor();
    PrintTable(subjects, figures, floor, options);
    std::printf("\nbenchmark run time %.1f s\n", (NowMs() - started) / 1000);
    return 0;
}

}  // namespace
}  // namespace gleaner::bench

int wmain(int argc, wchar_t** argv) {
    const auto options = gleaner::bench::ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: gleaner_idle_bench [--seconds N] [--starts N]\n");
        return 2;
    }
    return gleaner::bench::RunBench(*options);
}
