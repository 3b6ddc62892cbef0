#include "keyboard_mouse.h"

#include "polling.h"

namespace gleaner::e2e {
namespace {

constexpr DWORD kHoldMs = 100;
constexpr DWORD kBetweenKeysMs = 30;
constexpr DWORD kBetweenCharactersMs = 5;

void Send(INPUT input) { SendInput(1, &input, sizeof input); }

void VirtualKey(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    Send(input);
}

void UnicodeUnit(wchar_t unit, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
    Send(input);
}

void MouseButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    Send(input);
}

}  // namespace

void PressChord(std::initializer_list<WORD> modifiers, WORD key) {
    for (WORD modifier : modifiers) {
        VirtualKey(modifier, true);
        PumpFor(kBetweenKeysMs);
    }
    VirtualKey(key, true);
    PumpFor(kHoldMs);
    VirtualKey(key, false);
    PumpFor(kBetweenKeysMs);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
        VirtualKey(*it, false);
        PumpFor(kBetweenKeysMs);
    }
}

void PressKey(WORD key) { PressChord({}, key); }

void TypeText(const std::wstring& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') continue;
        if (text[i] == L'\n') {
            PressKey(VK_RETURN);
            continue;
        }
        UnicodeUnit(text[i], true);
        UnicodeUnit(text[i], false);
        PumpFor(kBetweenCharactersMs);
    }
}

void ClickAt(POINT screenPoint) {
    SetCursorPos(screenPoint.x, screenPoint.y);
    PumpFor(kBetweenKeysMs);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpFor(kHoldMs);
    MouseButton(MOUSEEVENTF_LEFTUP);
    PumpFor(kBetweenKeysMs);
}

}  // namespace gleaner::e2e
