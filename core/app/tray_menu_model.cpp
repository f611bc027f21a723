#include "core/app/tray_menu_model.h"

#include <utility>

#include "core/config/clock_settings.h"

namespace tockbell {

namespace {

TrayMenuItem Item(std::string text, TrayCommand command) {
    TrayMenuItem item;
    item.text = std::move(text);
    item.command = command;
    return item;
}

void AddSeparator(std::vector<TrayMenuItem>& items) {
    items.emplace_back();
    items.back().separator = true;
}

}  // namespace

std::vector<TrayMenuItem> TrayMenuItems(const std::vector<std::string>& worldClockLines,
                                        const std::vector<std::string>& notes, std::uint32_t flags, bool dialogOpen) {
    std::vector<TrayMenuItem> items;
    for (const std::string& line : worldClockLines) items.push_back(Item(line, TrayCommand::None));
    if (!worldClockLines.empty()) AddSeparator(items);
    for (const std::string& note : notes) {
        items.push_back(Item(note, TrayCommand::None));
        items.back().enabled = false;
    }
    if (!notes.empty()) AddSeparator(items);
    items.push_back(Item("Properties...", TrayCommand::Properties));
    items.back().isDefault = true;
    items.push_back(Item("Say the time", TrayCommand::SayTime));
    items.push_back(Item("Be silent", TrayCommand::BeSilent));
    items.back().checkable = true;
    items.back().checked = (flags & FLAG_SOUND_ON) == 0;
    items.push_back(Item("Close", TrayCommand::Close));
    // Closing while the dialog runs would end the program under the dialog, whose end decides that.
    items.back().enabled = !dialogOpen;
    return items;
}

}  // namespace tockbell
