#include "collector_window.h"

#include <windows.h>

#include <string>

#include "driver.h"
#include "platform/win32_handles.h"

namespace gleaner::bench {
namespace {

// As gleaner's main window: the design client area (4515 x 1680 twips, 301 x
// 112 pixels at 96 DPI) and the box's font.
constexpr int kClientWidthTwips = 4515;
constexpr int kClientHeightTwips = 1680;
constexpr wchar_t kBoxFont[] = L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";  // "MS Gothic", full-width
constexpr DWORD kBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL;
constexpr wchar_t kSeparator[] = L"\r\n";

HFONT NullFont() { return nullptr; }
void FreeFont(HFONT font) { DeleteObject(font); }

HFONT CreateBoxFont() {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(975, GetDeviceCaps(screen, LOGPIXELSY), 7200);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kBoxFont);
}

std::size_t BoxLength(HWND box) { return static_cast<std::size_t>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0)); }

void ReplaceAtEnd(HWND box, const wchar_t* text) {
    const auto end = static_cast<WPARAM>(BoxLength(box));
    SendMessageW(box, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void AppendByReplacing(HWND box, const std::wstring& copy) {
    if (BoxLength(box) != 0) ReplaceAtEnd(box, kSeparator);
    ReplaceAtEnd(box, copy.c_str());
}

void AppendByReSetting(HWND box, const std::wstring& copy) {
    const std::size_t length = BoxLength(box);
    std::wstring text(length + 1, L'\0');
    const auto copied = SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    if (!text.empty()) text += kSeparator;
    text += copy;
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

class Collector {
public:
    explicit Collector(AppendWay way) : way_(way) {}
    bool Create();
    int Run();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnDrawClipboard(WPARAM wParam, LPARAM lParam);
    void OnChangeChain(HWND leaving, HWND following);
    void OnClose();
    void Collect(const std::wstring& copy);

    AppendWay way_;
    HWND window_ = nullptr;
    HWND box_ = nullptr;
    HWND next_ = nullptr;
    DWORD sequenceAtJoin_ = 0;
    bool joined_ = false;
    std::wstring last_;
    win32::UniqueHandle<HFONT, FreeFont, NullFont> font_;
};

bool Collector::Create() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kCollectorClass;
    RegisterClassExW(&wc);

    RECT frame{0, 0, kClientWidthTwips / 15, kClientHeightTwips / 15};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const std::wstring caption = L"collector (" + std::wstring(AppendWayArgument(way_)) + L")";
    window_ = CreateWindowExW(0, kCollectorClass, caption.c_str(), WS_OVERLAPPEDWINDOW,
                              (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                              width, height, nullptr, nullptr, wc.hInstance, this);
    if (!window_) return false;
    RECT client{};
    GetClientRect(window_, &client);
    box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", kBoxStyle, 0, 0, client.right, client.bottom, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(e2e::kBoxId)), wc.hInstance, nullptr);
    if (!box_) return false;
    font_.Reset(CreateBoxFont());
    SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SendMessageW(box_, EM_SETLIMITTEXT, 0, 0);

    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    next_ = SetClipboardViewer(window_);
    sequenceAtJoin_ = GetClipboardSequenceNumber();
    joined_ = true;
    ShowWindow(window_, SW_SHOWNORMAL);
    return true;
}

int Collector::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

LRESULT CALLBACK Collector::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Collector*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->box_) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT Collector::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWCLIPBOARD:
        OnDrawClipboard(wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        OnChangeChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CTLCOLOREDIT:
        // As gleaner: black text on the tooltip colour.
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_INFOBK));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

// Collects what another window copied, never the clipboard as it was when
// the collector started; then tells the next viewer, as a viewer must.
void Collector::OnDrawClipboard(WPARAM wParam, LPARAM lParam) {
    const bool copiedElsewhere = GetForegroundWindow() != window_;
    const bool changedSinceJoin = GetClipboardSequenceNumber() != sequenceAtJoin_;
    if (copiedElsewhere && changedSinceJoin && IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        if (auto copy = e2e::ReadText(window_); copy && !copy->empty()) Collect(*copy);
    }
    if (next_) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(next_, WM_DRAWCLIPBOARD, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, 2000, &result);
    }
}

void Collector::Collect(const std::wstring& copy) {
    if (copy == last_) return;
    last_ = copy;
    if (way_ == AppendWay::ReSet)
        AppendByReSetting(box_, copy);
    else
        AppendByReplacing(box_, copy);
    // Both ways end as gleaner does: the caret after the newest copy, in view.
    const auto end = static_cast<WPARAM>(BoxLength(box_));
    SendMessageW(box_, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(box_, EM_SCROLLCARET, 0, 0);
}

void Collector::OnChangeChain(HWND leaving, HWND following) {
    if (leaving == next_)
        next_ = following;
    else if (next_)
        SendMessageW(next_, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(leaving), reinterpret_cast<LPARAM>(following));
}

void Collector::OnClose() {
    if (joined_) ChangeClipboardChain(window_, next_);
    joined_ = false;
    DestroyWindow(window_);
}

}  // namespace

std::wstring_view AppendWayArgument(AppendWay way) { return way == AppendWay::ReSet ? L"re-set" : L"append"; }

std::optional<AppendWay> ParseAppendWay(std::wstring_view argument) {
    if (argument == AppendWayArgument(AppendWay::ReSet)) return AppendWay::ReSet;
    if (argument == AppendWayArgument(AppendWay::Replace)) return AppendWay::Replace;
    return std::nullopt;
}

int RunCollector(AppendWay way) {
    Collector collector(way);
    if (!collector.Create()) return 1;
    return collector.Run();
}

}  // namespace gleaner::bench
