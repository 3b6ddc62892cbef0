#include "platform/win_test_support.h"

#include <cstring>

namespace gleaner::testing_support {
namespace {

const wchar_t kClassName[] = L"GleanerTestWindow";

void RegisterTestClass() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

void PutClipboardBytes(HWND owner, UINT format, const void* data, std::size_t size) {
    for (int attempt = 0; attempt < 50 && !OpenClipboard(owner); ++attempt) Sleep(20);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) GlobalFree(block);
    CloseClipboard();
}

}  // namespace

win32::UniqueWindow CreateHiddenWindow() {
    RegisterTestClass();
    return win32::UniqueWindow(CreateWindowExW(0, kClassName, L"gleaner test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

EditWindow CreateEditWindow() {
    EditWindow window;
    window.frame = CreateHiddenWindow();
    window.edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 200,
                                  100, window.frame.Get(), nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

void PutClipboardText(HWND owner, const std::wstring& text) {
    PutClipboardBytes(owner, CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void PutClipboardAnsiText(HWND owner, const std::string& text) {
    PutClipboardBytes(owner, CF_TEXT, text.c_str(), text.size() + 1);
}

ClipboardHolder::ClipboardHolder(DWORD holdMs)
    : opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, holdMs] {
        auto window = CreateHiddenWindow();
        holding_ = OpenClipboard(window.Get()) != FALSE;
        SetEvent(opened_.Get());
        if (!holding_) return;
        WaitForSingleObject(release_.Get(), holdMs);
        CloseClipboard();
        holding_ = false;
    });
    WaitForSingleObject(opened_.Get(), 5000);
}

ClipboardHolder::~ClipboardHolder() {
    Release();
    thread_.join();
}

void ClipboardHolder::Release() { SetEvent(release_.Get()); }

MessageBoxCloser::MessageBoxCloser(std::wstring title) : title_(std::move(title)) {
    thread_ = std::thread([this] { Run(); });
}

MessageBoxCloser::~MessageBoxCloser() {
    stop_ = true;
    thread_.join();
}

std::wstring MessageBoxCloser::LastText() const {
    std::lock_guard lock(textLock_);
    return lastText_;
}

void MessageBoxCloser::Run() {
    while (!stop_) {
        if (HWND box = FindWindowW(L"#32770", title_.c_str())) {
            wchar_t text[1024] = L"";
            GetDlgItemTextW(box, 0xFFFF, text, 1024);
            {
                std::lock_guard lock(textLock_);
                lastText_ = text;
            }
            ++count_;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            // Count each box once: wait until this one has gone.
            for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
        }
        Sleep(20);
    }
}

}  // namespace gleaner::testing_support
