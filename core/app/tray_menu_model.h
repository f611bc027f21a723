#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tockbell {

// What choosing a tray menu item does.
enum class TrayCommand { None, Properties, SayTime, BeSilent, Close };

// One item of the tray menu as both programs show it.
struct TrayMenuItem {
    std::string text;  // empty for a separator
    TrayCommand command = TrayCommand::None;
    bool separator = false;
    bool checkable = false;
    bool checked = false;
    bool enabled = true;
    bool isDefault = false;  // shown in bold; what a click on the icon does
    friend bool operator==(const TrayMenuItem&, const TrayMenuItem&) = default;
};

// The tray menu as it opens: the world-clock lines (choosing one does nothing), a separator after
// them if there are any, the greyed notes ("Quiet until 07:00", the next reminder) and a separator
// after them if there are any, then "Properties..." (the default item), "Say the time", "Be silent"
// (checked while sounds are off) and "Close" (greyed while the settings dialog is open).
std::vector<TrayMenuItem> TrayMenuItems(const std::vector<std::string>& worldClockLines,
                                        const std::vector<std::string>& notes, std::uint32_t flags, bool dialogOpen);

}  // namespace tockbell
