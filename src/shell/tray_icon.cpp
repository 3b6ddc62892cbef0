#include "shell/tray_icon.h"

namespace gleaner {

void TrayIcon::UpdateTrayIcon(MainWindowView& window, NotifyCommand command) {
    record_ = {window.Id(), kTrayIconId, kTrayIconMessage, window.Title()};
    area_.Notify(command, record_);
    if (command == NotifyCommand::Add) added_ = true;
    window.Hide();
}

void TrayIcon::DeleteTrayIcon() {
    if (record_.window != 0) area_.Notify(NotifyCommand::Delete, record_);
    added_ = false;
}

void TrayIcon::OnTaskbarCreated() {
    if (added_) area_.Notify(NotifyCommand::Add, record_);
}

}  // namespace gleaner
