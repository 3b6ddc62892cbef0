// The main window's menu bar and the tray menu, as data the window builds from.
#pragma once

#include <cstdint>
#include <optional>
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
    Pause = 130,     // both menus: 一時停止
    IgnoredPrograms,  // both menus: 除外するプログラム...
    Undo,             // both menus: 元に戻す
    // Both menus: 言語 > 自動, 日本語, English.
    LanguageAutomatic = 120,
    LanguageJapanese,
    LanguageEnglish,
};

struct MenuItem {
    MenuCommand command = MenuCommand::None;
    std::u16string caption;     // empty for a separator
    std::vector<MenuItem> submenu;
    // A choice among several is marked with a dot, an item that is on or
    // off with a check.
    enum class Mark { None, Check, Radio } mark = Mark::None;
    bool IsSeparator() const { return caption.empty(); }
};

// What the menus show besides their fixed items.
struct MenuState {
    Language language = Language::Japanese;
    LanguageChoice choice = LanguageChoice::Automatic;
    bool paused = false;
};
std::vector<MenuItem> MenuBar(const MenuState& state);
std::vector<MenuItem> TrayMenu(const std::u16string& versionCaption, const MenuState& state);
// The choice a language item stands for; nullopt for any other command.
std::optional<LanguageChoice> LanguageCommandChoice(MenuCommand command);

// "&gleaner Ver0.76  <company>": the version line of the tray menu.
std::u16string VersionMenuCaption(const std::u16string& exeName, const VersionInfo& version);

}  // namespace gleaner
