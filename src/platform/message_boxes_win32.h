// Modal message boxes, owned by the program's window.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles_win32.h"
#include "platform/message_boxes.h"

namespace gleaner::win32 {

class Win32MessageBoxes : public MessageBoxes {
public:
    explicit Win32MessageBoxes(const OwnerWindow& owner) : owner_(owner) {}
    MessageAnswer Show(const std::u16string& text, const std::u16string& title, MessageButtons buttons) override;
    MessageAnswer AskAtPointer(const std::u16string& text, const std::u16string& title,
                               BoxPlacement place) override;
    void DismissOpenBox() override;

private:
    const OwnerWindow& owner_;
};

}  // namespace gleaner::win32
