#include "shell/menus.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "resources/texts.h"

namespace gleaner {

namespace {

constexpr std::pair<MenuCommand, LanguageChoice> kLanguageCommands[] = {
    {MenuCommand::LanguageAutomatic, LanguageChoice::Automatic},
    {MenuCommand::LanguageJapanese, LanguageChoice::Japanese},
    {MenuCommand::LanguageEnglish, LanguageChoice::English}};

MenuItem LanguageMenu(Language language, LanguageChoice choice) {
    const Text* captions[] = {&texts::kMenuLanguageAutomatic, &texts::kMenuLanguageJapanese,
                              &texts::kMenuLanguageEnglish};
    MenuItem menu{MenuCommand::None, texts::kMenuLanguage.In(language), {}};
    for (std::size_t i = 0; i < std::size(kLanguageCommands); ++i)
        menu.submenu.push_back({kLanguageCommands[i].first, captions[i]->In(language), {},
                                kLanguageCommands[i].second == choice ? MenuItem::Mark::Radio : MenuItem::Mark::None});
    return menu;
}

MenuItem PauseItem(const MenuState& state) {
    return {MenuCommand::Pause, texts::kMenuPause.In(state.language), {},
            state.paused ? MenuItem::Mark::Check : MenuItem::Mark::None};
}

}  // namespace

std::vector<MenuItem> MenuBar(const MenuState& state) {
    const Language language = state.language;
    return {
        {MenuCommand::Disp, texts::kMenuSettings.In(language), {}},
        {MenuCommand::Clear, texts::kMenuClear.In(language), {}},
        {MenuCommand::Undo, texts::kMenuUndo.In(language), {}},
        PauseItem(state),
        {MenuCommand::IgnoredPrograms, texts::kMenuIgnoredPrograms.In(language), {}},
        {MenuCommand::Help, texts::kMenuHelp.In(language), {}},
        LanguageMenu(language, state.choice),
        {MenuCommand::End, texts::kMenuEnd.In(language), {}},
    };
}

std::vector<MenuItem> TrayMenu(const std::u16string& versionCaption, const MenuState& state) {
    const Language language = state.language;
    return {
        {MenuCommand::Disp2, texts::kMenuSettings.In(language), {}},
        {},
        {MenuCommand::ShowPopup, texts::kMenuShowPopup.In(language), {}},
        {MenuCommand::TrayOut, texts::kMenuTrayOut.In(language), {}},
        {MenuCommand::PopupClear, texts::kMenuClear.In(language), {}},
        {MenuCommand::Undo, texts::kMenuUndo.In(language), {}},
        PauseItem(state),
        {MenuCommand::IgnoredPrograms, texts::kMenuIgnoredPrograms.In(language), {}},
        {},
        {MenuCommand::Help2, texts::kMenuHelp.In(language), {}},
        {MenuCommand::None, texts::kMenuVersion.In(language), {{MenuCommand::VerNo, versionCaption, {}}}},
        LanguageMenu(language, state.choice),
        {},
        {MenuCommand::End2, texts::kMenuEnd.In(language), {}},
    };
}

std::optional<LanguageChoice> LanguageCommandChoice(MenuCommand command) {
    const auto item = std::ranges::find(kLanguageCommands, command, &std::pair<MenuCommand, LanguageChoice>::first);
    return item == std::end(kLanguageCommands) ? std::nullopt : std::optional(item->second);
}

// A menu takes "&" for the mark of its access key: the names' own are doubled,
// and the line's key is its first letter.
std::u16string VersionMenuCaption(const std::u16string& exeName, const VersionInfo& version) {
    std::u16string caption;
    for (const char16_t c : exeName + u" " + VersionText(version) + u"  " + version.companyName)
        caption += c == u'&' ? u"&&" : std::u16string(1, c);
    return u"&" + caption;
}

}  // namespace gleaner
