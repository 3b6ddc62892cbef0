#include "shell/menus.h"

#include "resources/texts.h"

namespace gleaner {

std::vector<MenuItem> MenuBar() {
    return {
        {MenuCommand::Disp, texts::kMenuSettings, {}},
        {MenuCommand::Clear, texts::kMenuClear, {}},
        {MenuCommand::Help, texts::kMenuHelp, {}},
        {MenuCommand::End, texts::kMenuEnd, {}},
    };
}

std::vector<MenuItem> TrayMenu(const std::u16string& versionCaption) {
    return {
        {MenuCommand::Disp2, texts::kMenuSettings, {}},
        {},
        {MenuCommand::ShowPopup, texts::kMenuShowPopup, {}},
        {MenuCommand::TrayOut, texts::kMenuTrayOut, {}},
        {MenuCommand::PopupClear, texts::kMenuClear, {}},
        {},
        {MenuCommand::Help2, texts::kMenuHelp, {}},
        {MenuCommand::None, texts::kMenuVersion, {{MenuCommand::VerNo, versionCaption, {}}}},
        {},
        {MenuCommand::End2, texts::kMenuEnd, {}},
    };
}

std::u16string VersionMenuCaption(const std::u16string& exeName, const VersionInfo& version) {
    return exeName + u" " + VersionText(version) + u"  " + version.companyName;
}

}  // namespace gleaner
