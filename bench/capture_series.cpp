#include "capture_series.h"

#include "bench_texts.h"

namespace gleaner::bench {
namespace {

constexpr DWORD kPrefillTimeoutMs = 300000;
constexpr DWORD kCaptureTimeoutMs = 60000;

std::wstring ClassOf(HWND window) {
    if (!window) return L"(none)";
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring LengthText(std::optional<std::size_t> length) {
    return length ? std::to_wstring(*length) : std::wstring(L"no answer");
}

}  // namespace

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

bool CaptureSeries::EnsureForeground(std::wstring& error) {
    if (GetForegroundWindow() == driver_.Window() || e2e::BringToFront(driver_.Window())) return true;
    error = L"the benchmark's window could not stay the foreground window (it is " +
            ClassOf(GetForegroundWindow()) + L")";
    return false;
}

bool CaptureSeries::Capture(const std::wstring& copy, DWORD timeoutMs, double& ms, std::wstring& error, bool gentle) {
    const std::size_t expected = collection_.LengthAfter(copy);
    const auto elapsed = TimedCapture(copy, expected, timeoutMs, gentle);
    if (!elapsed) {
        error = L"a copy of " + std::to_wstring(copy.size()) + L" characters was not collected as expected: the box" +
                L" should hold " + std::to_wstring(expected) + L" characters, it holds " +
                LengthText(lastSeen_) + L" (foreground window: " + ClassOf(GetForegroundWindow()) +
                L")";
        return false;
    }
    collection_.Add(copy);
    ms = *elapsed;
    return true;
}

bool CaptureSeries::Prefill(std::size_t length, std::wstring& error) {
    if (!EnsureForeground(error)) return false;
    for (;;) {
        const std::size_t now = collection_.Length();
        const std::size_t joining = now == 0 ? 0 : kSeparatorLength;
        if (now + joining >= length) break;
        const std::size_t need = length - now - joining;
        const std::size_t pieces = (need + kLargeCopyMaxLength - 1) / kLargeCopyMaxLength;
        double ms = 0;
        if (!Capture(LargeCopy(largeCopies_++, pieces == 1 ? need : need / pieces), kPrefillTimeoutMs, ms, error))
            return false;
    }
    e2e::PumpFor(300);  // the last large copy drawn before the timing starts
    return true;
}

bool CaptureSeries::Run(const SeriesPlan& plan, SeriesResult& result, std::wstring& error) {
    result = SeriesResult{};
    result.plan = plan;
    result.fromLength = collection_.Length();
    const double started = NowMs();
    bool shown = true;
    for (int block = 0; block < plan.blocks; ++block) {
        const bool wantShown = balloon_ || block % 2 == 0;
        if (wantShown != shown) {
            const bool applied = SetShown(wantShown);
            shown = wantShown;
            if (!applied) {
                error = std::wstring(L"the program's window did not become ") + (shown ? L"visible" : L"hidden");
                return false;
            }
        }
        if (!EnsureForeground(error)) return false;
        Timings& timings = shown ? result.shown : result.hidden;
        for (int i = 0; i < plan.capturesPerBlock; ++i) {
            double ms = 0;
            if (!Capture(SmallCopy(smallCopies_++, kSmallCopyLength), kCaptureTimeoutMs, ms, error)) return false;
            timings.ms.push_back(ms);
            e2e::PumpFor(0);
        }
        result.toLength = collection_.Length();
        const bool pairDone = block % 2 == 1;
        if (pairDone && block + 1 < plan.blocks && NowMs() - started > plan.budgetMs) {
            result.cut = true;
            break;
        }
    }
    if (!shown && !SetShown(true)) {
        error = L"the program's window could not be shown again";
        return false;
    }
    return true;
}

bool CaptureSeries::RunAtHumanSpeed(int captures, DWORD pauseMs, Timings& timings, std::wstring& error) {
    for (int i = 0; i < captures; ++i) {
        e2e::PumpFor(pauseMs);
        if (!EnsureForeground(error)) return false;
        double ms = 0;
        if (!Capture(SmallCopy(smallCopies_++, kSmallCopyLength), kCaptureTimeoutMs, ms, error, true)) return false;
        timings.ms.push_back(ms);
    }
    return true;
}

// The copy is put from the driver's window, the box's length asked for from
// here until it is the expected one.
std::optional<double> CaptureSeries::TimedCapture(const std::wstring& text, std::size_t expected, DWORD timeoutMs,
                                                  bool gentle) {
    lastSeen_.reset();
    const double start = NowMs();
    if (!driver_.Copy(text)) return std::nullopt;
    const double deadline = start + timeoutMs;
    for (int polls = 0;; ++polls) {
        const HWND box = Box();
        const auto length = e2e::Ask(box, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
        const double now = NowMs();
        lastSeen_ = length ? std::optional<std::size_t>(*length) : std::nullopt;
        if (lastSeen_ == expected) return now - start;
        // The balloon opens with the first copy: until then there is none to ask.
        const bool asked = box != nullptr || !balloon_;
        if ((asked && (!lastSeen_ || *lastSeen_ > expected)) || now > deadline) return std::nullopt;
        if (gentle || polls > 100) Sleep(1);
    }
}

// The balloon shows the whole collection after each capture, the last thing
// a capture does in tray mode.
HWND CaptureSeries::Box() const {
    if (!balloon_) return box_;
    return GetDlgItem(e2e::FindWindowOf(program_.Id(), L"GleanerPopupWindow"), 1);
}

// SW_HIDE, or SW_SHOWNA (shown without taking the foreground), then a pause in
// which the program redraws. False when the window's visibility did not follow.
bool CaptureSeries::SetShown(bool shown) {
    HWND window = program_.Window();
    ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
    e2e::PumpFor(300);
    (void)e2e::Ask(window, WM_NULL, 0, 0, 30000);
    return (IsWindowVisible(window) != FALSE) == shown && (IsWindowVisible(box_) != FALSE) == shown;
}

}  // namespace gleaner::bench
