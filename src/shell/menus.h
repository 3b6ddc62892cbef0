// The main window's menu bar and the tray menu, as data the window builds from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/version.h"

namespace gleaner {

enum class MenuCommand : std::uint16_t {
    None = 0,
    Disp = 101,   // 設定
    Clear,        // クリア
    Help,         // ヘルプ
    HelpStr,      // ？ (not shown)
    End,          // 終了
    Disp2,        // tray: 設定
    ShowPopup,    // tray: 表示
    TrayOut,      // tray: トレイから出す
    PopupClear,   // tray: クリア
    Help2,        // tray: ヘルプ
    VerNo,        // tray: バージョン > the version line
    End2,         // tray: 終了
};

struct MenuItem {
    MenuCommand command = MenuCommand::None;
    std::u16string caption;     // empty for a separator
    std::vector<MenuItem> submenu;
    bool IsSeparator() const { return caption.empty(); }
};

std::vector<MenuItem> MenuBar();
std::vector<MenuItem> TrayMenu(const std::u16string& versionCaption);

// "gleaner Ver0.76  <company>": the version line of the tray menu.
std::u16string VersionMenuCaption(const std::u16string& exeName, const VersionInfo& version);

}  // namespace gleaner
