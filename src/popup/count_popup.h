// The balloon that shows the collection after each capture in tray mode:
// where it goes, what it shows, and the order in which it appears.
#pragma once

#include <functional>
#include <string>

#include "platform/screen.h"
#include "platform/window_system.h"
#include "popup/popup_layout.h"
#include "state/program_state.h"

namespace gleaner {

// The balloon that shows the collection in tray mode, as a capture sees it.
class CountPopup {
public:
    virtual ~CountPopup() = default;
    // Shows the collection (nullptr: nothing collected yet) at the place that
    // "disp pos" names. added is what the capture has just put at its end,
    // so that a balloon already showing the rest needs only that.
    virtual void PresentCountPopup(const std::u16string& dispPos, const TextBox* collection,
                                   const std::u16string& added) = 0;
    // The balloon's own text box while it is open, else nullptr.
    virtual TextBox* OpenTextBox() = 0;
};

// The legend of the balloon's counts (frmHelp), which the shell owns.
class HelpView {
public:
    virtual ~HelpView() = default;
    // True: loads it at the pointer unless it is open (an open one stays
    // where it is). False: unloads it.
    virtual void ShowHelp(bool show) = 0;
};

// frmPopup as the presentation sees it. It is loaded on first use and
// unloads itself when its countdown ends or the user closes it.
class BalloonView {
public:
    virtual ~BalloonView() = default;
    // Loads the window unless it is open: the countdown starts from the full
    // time. False when the window could not be made.
    virtual bool Load() = 0;
    virtual bool IsOpen() const = 0;
    virtual WindowId Id() const = 0;
    // Moves, sizes and cuts the window and places its controls.
    virtual void Arrange(const BalloonLayout& layout) = 0;
    // txtDescription, while the window is open.
    virtual TextBox& Text() = 0;
    // The full time again, as after a change of the text.
    virtual void RestartCountdown() = 0;
    // Shown without taking the keyboard from the application in front.
    virtual void ShowWithoutActivating() = 0;
    virtual void Unload() = 0;
};

// What the balloon's own controls ask of the rest of the program.
class BalloonEvents {
public:
    virtual ~BalloonEvents() = default;
    // lblClear: the clipboard, the collection and the balloon are emptied.
    virtual void OnClearLabel() = 0;
};

class CountPopupPresenter : public CountPopup {
public:
    // refreshTray renews the notification-area icon from the main window.
    CountPopupPresenter(ProgramState& state, Screen& screen, BalloonView& balloon, std::function<void()> refreshTray)
        : state_(state), screen_(screen), balloon_(balloon), refreshTray_(std::move(refreshTray)) {}

    void PresentCountPopup(const std::u16string& dispPos, const TextBox* collection,
                           const std::u16string& added) override;
    TextBox* OpenTextBox() override { return balloon_.IsOpen() ? &balloon_.Text() : nullptr; }

private:
    void ShowText(const TextBox* collection, const std::u16string& added);

    ProgramState& state_;
    Screen& screen_;
    BalloonView& balloon_;
    std::function<void()> refreshTray_;
};

}  // namespace gleaner
