#include "platform/message_boxes_win32.h"

namespace gleaner::win32 {
namespace {

// The box that is open, found as it is activated so that the end of the
// session can close it, and a question placed by the pointer. A CBT hook
// procedure carries no context of its own, so the box in progress is found
// through this pointer, which lives exactly as long as the box.
class OpenBox;
OpenBox* ActiveBox = nullptr;

constexpr UINT kPlaceAgainMs = 50;

class OpenBox {
public:
    OpenBox(BoxPlacement place, UINT dismissWith) : place_(place), dismissWith_(dismissWith), outer_(ActiveBox) {
        ActiveBox = this;
        hook_.Reset(SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId()));
    }
    ~OpenBox() {
        if (timer_) KillTimer(nullptr, timer_);
        ActiveBox = outer_;
    }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;

    // Ends the box as its No or OK button would.
    void Dismiss() const {
        if (box_ && IsWindow(box_)) PostMessageW(box_, WM_COMMAND, dismissWith_, 0);
    }

private:
    void Place() const {
        RECT rect{};
        if (!place_ || !box_ || !IsWindow(box_) || !GetWindowRect(box_, &rect)) return;
        const Point at = place_(rect.right - rect.left, rect.bottom - rect.top, pointer_);
        if (rect.left != at.x || rect.top != at.y)
            SetWindowPos(box_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
        OpenBox* self = ActiveBox;
        if (code != HCBT_ACTIVATE || !self || self->box_) return CallNextHookEx(nullptr, code, wParam, lParam);
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = L"";
        GetClassNameW(window, className, 16);
        // Some other window may be activated first.
        if (lstrcmpW(className, L"#32770") != 0) return CallNextHookEx(nullptr, code, wParam, lParam);
        POINT pointer{};
        GetCursorPos(&pointer);
        self->pointer_ = {pointer.x, pointer.y};
        self->box_ = window;
        self->hook_.Reset();
        if (!self->place_) return 0;
        self->Place();
        // Under some window systems the box is still being laid out when it
        // is activated: it is placed once more at its final size.
        self->timer_ = SetTimer(nullptr, 0, kPlaceAgainMs, PlaceAgain);
        return 0;  // let the box be activated: the user answers it at once
    }

    static void CALLBACK PlaceAgain(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (OpenBox* self = ActiveBox) {
            self->timer_ = 0;
            self->Place();
        }
    }

    BoxPlacement place_;
    UINT dismissWith_;
    OpenBox* outer_;
    UniqueHook hook_;
    HWND box_ = nullptr;
    Point pointer_;
    UINT_PTR timer_ = 0;
};

}  // namespace

MessageAnswer Win32MessageBoxes::Show(const std::u16string& text, const std::u16string& title,
                                      MessageButtons buttons) {
    const bool question = buttons == MessageButtons::YesNo;
    const OpenBox open(nullptr, question ? IDNO : IDOK);
    const int answer = MessageBoxW(owner_.hwnd, Wide(text), Wide(title), (question ? MB_YESNO : MB_OK) | MB_SETFOREGROUND);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer Win32MessageBoxes::AskAtPointer(const std::u16string& text, const std::u16string& title,
                                              BoxPlacement place) {
    const OpenBox placement(place, IDNO);
    const int answer = MessageBoxW(owner_.hwnd, Wide(text), Wide(title), MB_YESNO | MB_SYSTEMMODAL);
    return answer == IDNO ? MessageAnswer::No : MessageAnswer::Yes;
}

void Win32MessageBoxes::DismissOpenBox() {
    if (ActiveBox) ActiveBox->Dismiss();
}

}  // namespace gleaner::win32
