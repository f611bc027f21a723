#include "win32/app/tray_menu.h"

#include "resource.h"

namespace tockbell {

namespace {

UINT CommandId(TrayCommand command) {
    switch (command) {
        case TrayCommand::Properties:
            return ID_APP_PROPERTIES;
        case TrayCommand::SayTime:
            return ID_SAY_TIME;
        case TrayCommand::BeSilent:
            return ID_BE_SILENT;
        case TrayCommand::Close:
            return ID_APP_EXIT;
        case TrayCommand::None:
            break;
    }
    return 0;  // choosing it does nothing
}

}  // namespace

HMENU CreateTrayMenu(const std::vector<TrayMenuItem>& items) {
    HMENU popup = CreatePopupMenu();
    if (!popup) return nullptr;
    UINT position = 0;
    for (const TrayMenuItem& item : items) {
        if (item.separator) {
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            const UINT state = (item.checked ? MF_CHECKED : 0u) | (item.enabled ? 0u : MF_GRAYED);
            AppendMenuA(popup, MF_STRING | state, CommandId(item.command), item.text.c_str());
            if (item.isDefault) SetMenuDefaultItem(popup, position, TRUE);
        }
        ++position;
    }
    return popup;
}

}  // namespace tockbell
