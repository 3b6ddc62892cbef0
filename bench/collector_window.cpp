#include "collector_window.h"

#include <windows.h>

#include <string>

#include "driver.h"
#include "platform/window_win32.h"

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

HFONT CreateBoxFont() {
    const win32::WindowDc screen;
    const int height = -MulDiv(975, GetDeviceCaps(screen.Get(), LOGPIXELSY), 7200);
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

class Collector : public win32::Window {
public:
    explicit Collector(AppendWay way) : way_(way) {}
    bool Create();

private:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnClose() override;
    void OnDestroy() override { PostQuitMessage(0); }
    void Collect(const std::wstring& copy);

    AppendWay way_;
    HWND box_ = nullptr;
    std::wstring last_;
    win32::UniqueGdiObject font_;
};

bool Collector::Create() {
    RECT frame{0, 0, kClientWidthTwips / 15, kClientHeightTwips / 15};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const std::wstring caption = L"collector (" + std::wstring(AppendWayArgument(way_)) + L")";
    win32::WindowShape shape;
    shape.exStyle = WS_EX_TOPMOST;
    shape.bounds = {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                    width, height};
    if (!Window::Create({kCollectorClass, nullptr, GetSysColorBrush(COLOR_BTNFACE)}, caption.c_str(), shape))
        return false;
    RECT client{};
    GetClientRect(Handle(), &client);
    box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", kBoxStyle, 0, 0, client.right, client.bottom, Handle(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(e2e::kBoxId)), GetModuleHandleW(nullptr),
                           nullptr);
    if (!box_) return false;
    font_.Reset(CreateBoxFont());
    SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SendMessageW(box_, EM_SETLIMITTEXT, 0, 0);
    AddClipboardFormatListener(Handle());
    ShowWindow(Handle(), SW_SHOWNORMAL);
    return true;
}

std::optional<LRESULT> Collector::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_CLIPBOARDUPDATE:
        // As gleaner: what another window copied.
        if (box_ && GetForegroundWindow() != Handle() && IsClipboardFormatAvailable(CF_UNICODETEXT)) {
            if (auto copy = e2e::ReadText(Handle()); copy && !copy->empty()) Collect(*copy);
        }
        return 0;
    case WM_CTLCOLOREDIT:
        // As gleaner: black text on the tooltip colour.
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_INFOBK));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
    default:
        return std::nullopt;
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

bool Collector::OnClose() {
    RemoveClipboardFormatListener(Handle());
    return false;  // and the window is destroyed
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
    return win32::RunMessageLoop();
}

}  // namespace gleaner::bench
