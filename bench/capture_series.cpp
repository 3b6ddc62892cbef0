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

bool CaptureSeries::EnsureForeground(std::wstring& error) {
    if (driver_.HasForeground() || driver_.TakeForeground()) return true;
    error = L"the benchmark's window could not stay the foreground window (it is " +
            ClassOf(GetForegroundWindow()) + L")";
    return false;
}

bool CaptureSeries::Capture(const std::wstring& copy, DWORD timeoutMs, double& ms, std::wstring& error) {
    const std::size_t expected = collection_.LengthAfter(copy);
    const auto elapsed = driver_.TimedCapture(program_, copy, expected, timeoutMs);
    if (!elapsed) {
        error = L"a copy of " + std::to_wstring(copy.size()) + L" characters was not collected as expected: the box" +
                L" should hold " + std::to_wstring(expected) + L" characters, it holds " +
                LengthText(driver_.LastSeenLength()) + L" (foreground window: " + ClassOf(GetForegroundWindow()) +
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
    PumpMessagesFor(300);  // the last large copy drawn before the timing starts
    return true;
}

bool CaptureSeries::Run(const SeriesPlan& plan, SeriesResult& result, std::wstring& error) {
    result = SeriesResult{};
    result.plan = plan;
    result.fromLength = collection_.Length();
    const double started = NowMs();
    bool shown = true;
    for (int block = 0; block < plan.blocks; ++block) {
        const bool wantShown = block % 2 == 0;
        if (wantShown != shown) {
            const bool applied = program_.SetShown(wantShown);
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
            PumpMessagesFor(0);
        }
        result.toLength = collection_.Length();
        const bool pairDone = block % 2 == 1;
        if (pairDone && block + 1 < plan.blocks && NowMs() - started > plan.budgetMs) {
            result.cut = true;
            break;
        }
    }
    if (!shown && !program_.SetShown(true)) {
        error = L"the program's window could not be shown again";
        return false;
    }
    return true;
}

}  // namespace gleaner::bench
