// The notification area (the task tray).
#pragma once

#include <cstdint>
#include <string>

#include "platform/window_id.h"

namespace gleaner {

// The icon a window keeps in the notification area (the task tray).
struct NotifyIconRecord {
    WindowId window = 0;
    std::uint32_t id = 0;
    // What the window receives for the mouse over the icon.
    std::uint32_t callbackMessage = 0;
    std::u16string tip;
    // The icon of a program that has paused its work, of another shape.
    bool paused = false;
    bool operator==(const NotifyIconRecord&) const = default;
};
// Focus: the keyboard goes back to the icon.
enum class NotifyCommand { Add, Modify, Delete, Focus };

class NotificationArea {
public:
    virtual ~NotificationArea() = default;
    // The icon shows the window's own icon. False when the area refused.
    virtual bool Notify(NotifyCommand command, const NotifyIconRecord& record) = 0;
};

}  // namespace gleaner
