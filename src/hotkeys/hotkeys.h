// The two system-wide hotkeys: Ctrl + "paste key" pastes the collection,
// Ctrl+Shift + "popup key" shows the balloon in tray mode.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/keyboard.h"
#include "state/program_state.h"

namespace gleaner {

constexpr std::uint32_t kModControl = 0x0002;
constexpr std::uint32_t kModShift = 0x0004;

// The virtual key of a one-letter setting: lower case counts as upper case;
// an empty setting has none (0).
std::uint32_t HotKeyVirtualKey(const std::u16string& setting);
// "Ctrl+Shift+A", as the user reads a combination.
std::u16string HotKeyName(std::uint32_t modifiers, const std::u16string& setting);

class Hotkeys {
public:
    Hotkeys(const ProgramState& state, Keyboard& keyboard, WindowId mainWindow)
        : state_(state), keyboard_(keyboard), mainWindow_(mainWindow) {}
    ~Hotkeys() { UnregisterHotKeys(); }
    Hotkeys(const Hotkeys&) = delete;
    Hotkeys& operator=(const Hotkeys&) = delete;

    // Registers Ctrl + "paste key" and, in tray mode, Ctrl+Shift + "popup
    // key", unless they are registered already or held off. Gives the
    // combinations another program holds, by name ("Ctrl+V").
    std::vector<std::u16string> RegisterHotKeys();
    // The reverse; does nothing while they are not registered.
    void UnregisterHotKeys();
    bool Registered() const { return registered_; }

    // The keys are off while a hold lasts (the settings dialog, our own
    // injected Ctrl+V, the clear question), and back on when the last hold
    // ends, unless the program has ended meanwhile. Holds nest.
    class Hold {
    public:
        explicit Hold(Hotkeys& hotkeys);
        Hold(Hold&& other) noexcept : hotkeys_(std::exchange(other.hotkeys_, nullptr)) {}
        Hold& operator=(Hold&&) = delete;
        ~Hold() { Release(); }
        // Ends the hold now; the combinations another program holds, if
        // the keys were registered again.
        std::vector<std::u16string> Release();

    private:
        Hotkeys* hotkeys_;
    };
    Hold HoldOff() { return Hold(*this); }
    // The program ends: off for good.
    void End() {
        ended_ = true;
        UnregisterHotKeys();
    }

    enum class Pressed { None, Paste, Popup };
    // WM_HOTKEY: which of ours it is.
    Pressed Identify(std::uintptr_t hotkeyId) const;

private:
    // False when another program holds the combination.
    bool Register(std::uint16_t id, std::uint32_t modifiers, const std::u16string& key);

    const ProgramState& state_;
    Keyboard& keyboard_;
    WindowId mainWindow_;
    // The atoms name the hotkeys while they exist.
    std::uint16_t pasteHotkeyId_ = 0;
    std::uint16_t popupHotkeyId_ = 0;
    bool registered_ = false;
    int holds_ = 0;
    bool ended_ = false;
};

}  // namespace gleaner
