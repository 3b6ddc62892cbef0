#include "capture_driver.h"

#include <cstring>

namespace gleaner::bench {
namespace {

constexpr wchar_t kDriverClass[] = L"GleanerBenchDriver";

HGLOBAL TextBlock(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return nullptr;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(block);
    return block;
}

bool OpenClipboardWithin(HWND owner, DWORD timeoutMs) {
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() >= until) return false;
        Sleep(1);
    }
    return true;
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

std::optional<CaptureDriver> CaptureDriver::Create() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kDriverClass;
    RegisterClassW(&wc);
    CaptureDriver driver;
    driver.window_.Reset(CreateWindowExW(0, kDriverClass, L"gleaner capture bench", WS_OVERLAPPEDWINDOW, 20, 20, 320,
                                         120, nullptr, nullptr, wc.hInstance, nullptr));
    if (!driver.window_.Valid()) return std::nullopt;
    ShowWindow(driver.window_.Get(), SW_SHOWNORMAL);
    PumpMessagesFor(200);
    return driver;
}

bool CaptureDriver::TakeForeground() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetForegroundWindow(window_.Get());
        PumpMessagesFor(150);
        if (HasForeground()) {
            PumpMessagesFor(150);
            if (HasForeground()) return true;
        }
    }
    return false;
}

bool CaptureDriver::Put(const std::wstring& text) {
    HGLOBAL block = TextBlock(text);
    if (!block) return false;
    if (!OpenClipboardWithin(window_.Get(), 5000)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool stored = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!stored) GlobalFree(block);
    CloseClipboard();
    return stored;
}

std::optional<double> CaptureDriver::TimedCapture(const RunningProgram& program, const std::wstring& text,
                                                  std::size_t expected, DWORD timeoutMs) {
    lastSeen_.reset();
    const double start = NowMs();
    if (!Put(text)) return std::nullopt;
    // The program's thread answers WM_GETTEXTLENGTH only after it has handled
    // the WM_DRAWCLIPBOARD that the put sent before, so the first answer
    // usually is the new length already.
    const double deadline = start + timeoutMs;
    for (int polls = 0;; ++polls) {
        const auto length = program.BoxLength(timeoutMs);
        const double now = NowMs();
        lastSeen_ = length;
        if (length && *length == expected) return now - start;
        if (!length || *length > expected || now > deadline) return std::nullopt;
        if (polls > 100) Sleep(1);
    }
}

}  // namespace gleaner::bench
