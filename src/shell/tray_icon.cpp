#include "shell/tray_icon.h"

namespace gleaner {

void TrayIcon::UpdateTrayIcon(MainWindowView& window, NotifyCommand command) {
    record_ = {window.Id(), kTrayIconId, kTrayIconMessage, window.Title(), record_.paused};
    if (command == NotifyCommand::Add) {
        inTray_ = true;
        Add();
    } else {
        area_.Notify(command, record_);
    }
    window.Hide();
}

void TrayIcon::Add() {
    if (!inTray_) return;
    // An add is refused for an icon that is there already (the area says it
    // was made anew for other reasons too): that one is renewed instead.
    if (area_.Notify(NotifyCommand::Add, record_) || area_.Notify(NotifyCommand::Modify, record_))
        timers_.Stop(TimerId::TrayRetry);
    else
        timers_.Start(TimerId::TrayRetry, kTrayRetryMs);
}

void TrayIcon::Renew(MainWindowView& window) {
    if (!inTray_) return;
    record_.tip = window.Title();
    area_.Notify(NotifyCommand::Modify, record_);
}

void TrayIcon::GiveFocusBack() {
    if (inTray_) area_.Notify(NotifyCommand::Focus, record_);
}

void TrayIcon::DeleteTrayIcon() {
    timers_.Stop(TimerId::TrayRetry);
    if (record_.window != 0) area_.Notify(NotifyCommand::Delete, record_);
    inTray_ = false;
}

}  // namespace gleaner
