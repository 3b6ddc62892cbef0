#include "platform/keyboard_win32.h"

#include "platform/handles_win32.h"

namespace gleaner::win32 {

std::uint16_t Win32Keyboard::AddGlobalAtom(const std::u16string& name) { return GlobalAddAtomW(Wide(name)); }

void Win32Keyboard::DeleteGlobalAtom(std::uint16_t atom) { GlobalDeleteAtom(atom); }

bool Win32Keyboard::RegisterHotKey(WindowId window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    return ::RegisterHotKey(ToHwnd(window), id, modifiers, virtualKey) != FALSE;
}

void Win32Keyboard::UnregisterHotKey(WindowId window, int id) { ::UnregisterHotKey(ToHwnd(window), id); }

void Win32Keyboard::SendKeyEvents(const std::vector<KeyEvent>& events) {
    std::vector<INPUT> inputs;
    for (const KeyEvent& event : events) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = event.virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(event.virtualKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (event.release ? KEYEVENTF_KEYUP : 0);
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace gleaner::win32
