#include "platform/win32_services.h"

namespace gleaner::win32 {
namespace {

// One question being placed. A CBT hook procedure carries no context of its
// own, so the question in progress is found through this pointer, which
// lives exactly as long as the question.
class QuestionPlacement;
QuestionPlacement* ActivePlacement = nullptr;

constexpr UINT kPlaceAgainMs = 50;

class QuestionPlacement {
public:
    explicit QuestionPlacement(BoxPlacement place) : place_(place), outer_(ActivePlacement) {
        ActivePlacement = this;
        hook_.Reset(SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId()));
    }
    ~QuestionPlacement() {
        if (timer_) KillTimer(nullptr, timer_);
        ActivePlacement = outer_;
    }
    QuestionPlacement(const QuestionPlacement&) = delete;
    QuestionPlacement& operator=(const QuestionPlacement&) = delete;

    // Ends the box as its No button would.
    void Dismiss() const {
        if (box_ && IsWindow(box_)) PostMessageW(box_, WM_COMMAND, IDNO, 0);
    }

private:
    void Place() const {
        RECT rect{};
        if (!box_ || !IsWindow(box_) || !GetWindowRect(box_, &rect)) return;
        const Point at = place_(rect.right - rect.left, rect.bottom - rect.top, pointer_);
        if (rect.left != at.x || rect.top != at.y)
            SetWindowPos(box_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
        QuestionPlacement* self = ActivePlacement;
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
        self->Place();
        // Under some window systems the box is still being laid out when it
        // is activated: it is placed once more at its final size.
        self->timer_ = SetTimer(nullptr, 0, kPlaceAgainMs, PlaceAgain);
        self->hook_.Reset();
        return 0;  // let the box be activated: the user answers it at once
    }

    static void CALLBACK PlaceAgain(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (QuestionPlacement* self = ActivePlacement) {
            self->timer_ = 0;
            self->Place();
        }
    }

    BoxPlacement place_;
    QuestionPlacement* outer_;
    UniqueHook hook_;
    HWND box_ = nullptr;
    Point pointer_;
    UINT_PTR timer_ = 0;
};

}  // namespace

MessageAnswer Win32MessageBoxes::Show(const std::u16string& text, const std::u16string& title,
                                      MessageButtons buttons) {
    const UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    const int answer = MessageBoxW(owner_.hwnd, Wide(text), Wide(title), style | MB_SETFOREGROUND);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer Win32MessageBoxes::AskAtPointer(const std::u16string& text, const std::u16string& title,
                                              BoxPlacement place) {
    const QuestionPlacement placement(place);
    const int answer = MessageBoxW(owner_.hwnd, Wide(text), Wide(title), MB_YESNO | MB_SYSTEMMODAL);
    return answer == IDNO ? MessageAnswer::No : MessageAnswer::Yes;
}

void Win32MessageBoxes::DismissQuestion() {
    if (ActivePlacement) ActivePlacement->Dismiss();
}

}  // namespace gleaner::win32
