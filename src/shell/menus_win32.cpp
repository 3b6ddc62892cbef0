#include "shell/menus_win32.h"

namespace gleaner::win32 {

UniqueMenu BuildMenu(const std::vector<MenuItem>& items, bool popup) {
    UniqueMenu menu(popup ? CreatePopupMenu() : CreateMenu());
    if (!menu.Valid()) return menu;
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        } else if (!item.submenu.empty()) {
            UniqueMenu sub = BuildMenu(item.submenu, true);
            // The submenu belongs to its parent only once it is in it.
            if (sub.Valid() &&
                AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Get()), Wide(item.caption)))
                sub.Release();
        } else {
            AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(item.command), Wide(item.caption));
            const auto command = static_cast<UINT>(item.command);
            if (item.mark == MenuItem::Mark::Radio)
                CheckMenuRadioItem(menu.Get(), command, command, command, MF_BYCOMMAND);
            if (item.mark == MenuItem::Mark::Check) CheckMenuItem(menu.Get(), command, MF_BYCOMMAND | MF_CHECKED);
        }
    }
    return menu;
}

}  // namespace gleaner::win32
