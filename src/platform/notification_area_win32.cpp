// The notification area through the shell's Unicode call.
#include "platform/notification_area_win32.h"

#include "platform/handles_win32.h"

#include <algorithm>

#include "platform/system_dlls_win32.h"

namespace gleaner::win32 {

NOTIFYICONDATAW NotifyIconData(const NotifyIconRecord& record) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = ToHwnd(record.window);
    data.uID = record.id;
    // The fourth version shows the tip only when asked to.
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = record.callbackMessage;
    // The small icon of the window's class fits the notification area; the
    // large one is scaled down when there is no small one.
    data.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(data.hWnd, GCLP_HICONSM));
    if (!data.hIcon) data.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(data.hWnd, GCLP_HICON));
    // Shared: the system keeps the one copy for the process.
    if (record.paused)
        data.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPausedIconId), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                   LR_SHARED));
    // The tip is cut to the record's room, always with its terminating NUL.
    const std::size_t length = std::min(record.tip.size(), std::size(data.szTip) - 1);
    std::copy_n(record.tip.begin(), length, data.szTip);
    return data;
}

bool Win32NotificationArea::Notify(NotifyCommand command, const NotifyIconRecord& record) {
    NOTIFYICONDATAW data = NotifyIconData(record);
    constexpr DWORD kMessages[] = {NIM_ADD, NIM_MODIFY, NIM_DELETE, NIM_SETFOCUS};
    const auto notify = ShellDll().shellNotifyIcon;
    if (!notify || !notify(kMessages[static_cast<int>(command)], &data)) return false;
    // An icon added speaks the fourth version: the keyboard reaches it, and
    // a right click comes as one request for the menu.
    data.uVersion = NOTIFYICON_VERSION_4;
    return command != NotifyCommand::Add || notify(NIM_SETVERSION, &data);
}

}  // namespace gleaner::win32
