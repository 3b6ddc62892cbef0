// gleaner_idle_bench: what gleaner costs while it only waits, beside a
// minimal window program with one edit control built the same way. In one
// run, for each program and each way of leaving it alone (its window in
// front; another application in front with the pointer on the program's
// window or elsewhere; in tray mode with nothing shown, and with the balloon
// kept open by a click and the pointer on it): the processor time that it
// and the wineserver spend, the median of three stretches; its resident
// memory; and how long it takes from its start to a shown window with its
// text. Prints figures and their ratios to the minimal program in the same
// state; asserts nothing. Runs under Wine only (it reads Linux's /proc).
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
    int seconds = 10;  // of each idle stretch; three per state, the median shown
    int starts = 5;    // timed starts per program; the median is shown
};

// How the program is left alone while it is measured.
enum class Scene { InFront, PointerOnIt, PointerElsewhere, Tray, BalloonOpen };
const char* SceneName(Scene scene) {
    switch (scene) {
    case Scene::InFront: return "its window in front";
    case Scene::PointerOnIt: return "behind, pointer on its window";
    case Scene::PointerElsewhere: return "behind, pointer elsewhere";
    case Scene::Tray: return "tray, nothing shown";
    case Scene::BalloonOpen: return "tray, balloon clicked, pointer on it";
    }
    return "?";
}
// The minimal program's state each is compared with.
Scene Baseline(Scene scene) {
    if (scene == Scene::Tray) return Scene::PointerElsewhere;
    if (scene == Scene::BalloonOpen) return Scene::PointerOnIt;
    return scene;
}

// One program in one mode, as the benchmark runs it.
struct Subject {
    std::string name;
    std::wstring exe;
    std::wstring windowClass;
    std::wstring text;                // what its box shows once started
    std::vector<std::wstring> conf;   // Conf.txt lines beside a copy of it; none: run where it was built
    bool shown = true;                // false: it starts hidden (tray mode)
    std::vector<Scene> scenes;
};

struct Idling {
    Scene scene = Scene::InFront;
    std::optional<double> processPercent, serverPercent;  // of one processor, the median stretch's
    std::vector<std::string> notes;
};

struct Figures {
    std::vector<Idling> idle;
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
    Idling Idle(Scene scene, HWND window, DWORD processId, int pid) const;
    bool Arrange(Scene scene, HWND window, DWORD processId, Idling& idling) const;

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

    if (subject.shown) TimeStarts(subject, where, exe, figures);

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
    for (const Scene scene : subject.scenes) figures.idle.push_back(Idle(scene, window, program.Id(), *pid));
    if (const auto kb = ResidentKb(*pid)) figures.residentMb = static_cast<double>(*kb) / 1024;
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

// In tray mode the balloon comes with a copy; a click into its text keeps it.
bool OpenBalloon(const e2e::OtherApplication& other, DWORD processId) {
    const auto balloon = [&] { return e2e::FindWindowOf(processId, L"GleanerPopupWindow"); };
    if (!other.Copy(L"a copy the balloon shows") || !e2e::WaitFor("the balloon", [&] { return balloon() != nullptr; }, true))
        return false;
    const auto [left, top, right, bottom] = e2e::RectOf(GetDlgItem(balloon(), 1));
    e2e::ClickAt({(left + right) / 2, (top + bottom) / 2});
    return true;
}

// The state the scene names; false (with a note) when it could not be made.
bool Bench::Arrange(Scene scene, HWND window, DWORD processId, Idling& idling) const {
    const auto note = [&](const char* what) {
        idling.notes.push_back(what);
        return false;
    };
    // Wine shows its notification area once an icon is there, and the window
    // manager puts that in front: the other application after it.
    const auto iconShown = [] { return IsWindowVisible(FindWindowW(L"__winex11_standalone_tray", nullptr)) != FALSE; };
    if (scene == Scene::Tray && !e2e::WaitFor("the notification area", iconShown, true))
        return note("no notification area came up");
    if (scene == Scene::BalloonOpen) return OpenBalloon(other_, processId) || note("the balloon did not open");
    if (!e2e::BringToFront(scene == Scene::InFront ? window : other_.Window()))
        return note("the window did not come to the front");
    const bool onIt = scene == Scene::PointerOnIt;
    if (!PointerOnto(onIt ? window : other_.Window()) && (onIt || !SetCursorPos(0, 0)))
        return note("the pointer could not be put where it belongs");
    return true;
}

Idling Bench::Idle(Scene scene, HWND window, DWORD processId, int pid) const {
    Idling idling{scene, {}, {}, {}};
    if (!Arrange(scene, window, processId, idling)) return idling;
    const HWND front = GetForegroundWindow();
    // Time for what the start and the move set going (a splash, a first
    // paint, a tooltip shown and gone) to end.
    Sleep(7000);
    const auto server = Wineserver();
    std::vector<std::pair<double, double>> stretches;  // total, process
    for (int i = 0; i < 3; ++i) {
        const auto processBefore = ProcessorNs(pid);
        const auto serverBefore = server ? ProcessorNs(*server) : std::nullopt;
        const double started = NowMs();
        Sleep(static_cast<DWORD>(options_.seconds) * 1000);
        const double ms = NowMs() - started;
        const auto process = Percent(processBefore, ProcessorNs(pid), ms);
        const auto share = Percent(serverBefore, server ? ProcessorNs(*server) : std::nullopt, ms);
        if (process && share) stretches.push_back({*process + *share, *process});
    }
    if (stretches.size() == 3) {
        std::sort(stretches.begin(), stretches.end());
        idling.processPercent = stretches[1].second;
        idling.serverPercent = stretches[1].first - stretches[1].second;
    }
    if (GetForegroundWindow() != front) idling.notes.push_back("another window came to the front while it idled");
    if (scene == Scene::Tray && IsWindowVisible(window)) idling.notes.push_back("its window was shown: tray mode did not take");
    return idling;
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

// The minimal program's idle total in the state a scene is compared with.
std::optional<double> BaseIdle(const Figures& minimal, Scene scene) {
    for (const Idling& idling : minimal.idle) {
        if (idling.scene == Baseline(scene)) return Sum(idling.processPercent, idling.serverPercent);
    }
    return std::nullopt;
}

void PrintTable(const std::vector<Subject>& subjects, const std::vector<Figures>& figures,
                std::optional<double> floor, const Options& options) {
    const Figures& base = figures.front();
    const Figures& baseV6 = figures.at(1);
    std::printf("\n%-36s %-38s %8s %10s %8s %6s\n", "program, idle processor (% of one)", "state", "process",
                "wineserver", "total", "ratio");
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        for (const Idling& idling : figures[i].idle) {
            const auto idle = Sum(idling.processPercent, idling.serverPercent);
            std::printf("%-36s %-38s %8s %10s %8s %6s\n", subjects[i].name.c_str(), SceneName(idling.scene),
                        Cell(idling.processPercent, "%.3f").c_str(), Cell(idling.serverPercent, "%.3f").c_str(),
                        Cell(idle, "%.3f").c_str(), Cell(Ratio(idle, BaseIdle(base, idling.scene)), "%.2fx").c_str());
            for (const std::string& note : idling.notes) std::printf("    NOTE: %s\n", note.c_str());
        }
    }
    std::printf("%-36s %-38s %8s %10s\n", "(none of them: the wineserver alone)", "", "", Cell(floor, "%.3f").c_str());
    std::printf("\n%-36s %9s %8s %10s %9s %6s\n", "program", "memory MB", "ratio", "ratio (v6)", "start ms", "ratio");
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        const Figures& f = figures[i];
        std::printf("%-36s %9s %8s %10s %9s %6s\n", subjects[i].name.c_str(), Cell(f.residentMb, "%.1f").c_str(),
                    Cell(Ratio(f.residentMb, base.residentMb), "%.2fx").c_str(),
                    Cell(Ratio(f.residentMb, baseV6.residentMb), "%.2fx").c_str(), Cell(f.startMs, "%.0f").c_str(),
                    Cell(Ratio(f.startMs, base.startMs), "%.2fx").c_str());
        for (const std::string& note : f.notes) std::printf("    NOTE: %s\n", note.c_str());
    }
    std::printf("\nidle: the median of 3 stretches of %d s in each state; start-up: median of %d starts.\n",
                options.seconds, options.starts);
    std::printf("targets for gleaner: idle processor at most 1.50x the minimal program in the same state (the tray\n"
                "with nothing shown against its window behind, the balloon against the pointer on its window);\n"
                "memory at most 1.10x the minimal program with the same manifest (v6).\n");
}

void PrintIntroduction(const Options& options) {
    std::printf("gleaner idle benchmark: what each program costs while it waits, one program at a time.\n\n");
    std::printf("  idle processor  time on a processor of the program's Linux process and of the wineserver,\n"
                "                  from the scheduler (/proc/PID/task/*/schedstat), the median of three stretches\n"
                "                  of %d s in each state while nothing is copied; \"behind\": this benchmark's own\n"
                "                  window (another application) is in front. The wineserver's share holds whatever\n"
                "                  else asks it for work meanwhile (the last row: none of the programs running).\n",
                options.seconds);
    std::printf("  resident memory VmRSS of the program's process after its last state.\n");
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
    const std::u16string introduction = texts::kIntroduction.In(Language::Japanese);
    const std::wstring gleanerText(introduction.begin(), introduction.end());
    const std::vector<Scene> desktop{Scene::InFront, Scene::PointerOnIt, Scene::PointerElsewhere};
    const std::vector<Subject> subjects{
        {"minimal window", BuiltMinimal(false), L"GleanerBenchMinimalWindow", L"minimal", {}, true, desktop},
        {"minimal window, common controls v6", BuiltMinimal(true), L"GleanerBenchMinimalWindow", L"minimal", {},
         true, {Scene::PointerElsewhere}},
        {"gleaner, window mode", e2e::BuiltGleaner(), e2e::kMainWindowClass, gleanerText, {L"task tray = 0"}, true,
         desktop},
        {"gleaner, tray mode", e2e::BuiltGleaner(), e2e::kMainWindowClass, gleanerText,
         {L"task tray = 1", L"custom msg = 0", L"time auto close = 5"}, false, {Scene::Tray, Scene::BalloonOpen}},
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
