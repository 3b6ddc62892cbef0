// The icon in the notification area.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "platform/notification_area.h"

namespace gleaner::win32 {

// The resource id of the icon shown while collecting is paused.
inline constexpr int kPausedIconId = 2;

// The shell's record for the icon: the window's class icon beside the rest.
NOTIFYICONDATAW NotifyIconData(const NotifyIconRecord& record);

class Win32NotificationArea : public NotificationArea {
public:
    bool Notify(NotifyCommand command, const NotifyIconRecord& record) override;
};

}  // namespace gleaner::win32
