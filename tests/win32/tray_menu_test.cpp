// The tray menu as the platform shows it, built from the core's items.
#include "win32/app/tray_menu.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/config/clock_settings.h"
#include "resource.h"

namespace tockbell {
namespace {

struct Item {
    std::string text;  // "-" for a separator
    UINT id;
    UINT state;
};

std::vector<Item> Items(HMENU popup) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        const auto position = static_cast<UINT>(i);
        char text[128] = {};
        GetMenuStringA(popup, position, text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(popup, position, MF_BYPOSITION);
        items.push_back(
            {(state & MF_SEPARATOR) ? "-" : text, GetMenuItemID(popup, i), state & (MF_CHECKED | MF_GRAYED)});
    }
    return items;
}

TEST(TrayMenu, TheLinesAboveASeparatorThenTheCommandsInTheirStates) {
    const std::vector<std::string> lines = {"19:00 in Singapore", "03:00 in San Francisco"};
    struct Case {
        std::vector<std::string> lines;
        std::vector<std::string> notes;
        std::uint32_t flags;
        bool dialogOpen;
        std::vector<std::string> texts;
        UINT beSilent, close;
    };
    for (const Case& c : {
             Case{{}, {}, kDefaultFlags, false, {"Properties...", "Say the time", "Be silent", "Close"}, 0, 0},
             Case{lines,
                  {"Quiet until 07:00"},
                  kDefaultFlags & ~FLAG_SOUND_ON,
                  true,
                  {"19:00 in Singapore", "03:00 in San Francisco", "-", "Quiet until 07:00", "-", "Properties...",
                   "Say the time", "Be silent", "Close"},
                  MF_CHECKED,
                  MF_GRAYED},
         }) {
        HMENU popup = CreateTrayMenu(TrayMenuItems(c.lines, c.notes, c.flags, c.dialogOpen));
        ASSERT_NE(popup, nullptr);
        const std::vector<Item> items = Items(popup);
        std::vector<std::string> texts;
        for (const Item& item : items) texts.push_back(item.text);
        EXPECT_EQ(texts, c.texts);
        const std::size_t first = items.size() - 4;
        EXPECT_EQ(items[first].id, static_cast<UINT>(ID_APP_PROPERTIES));
        EXPECT_EQ(items[first + 1].id, static_cast<UINT>(ID_SAY_TIME));
        EXPECT_EQ(items[first + 2].id, static_cast<UINT>(ID_BE_SILENT));
        EXPECT_EQ(items[first + 3].id, static_cast<UINT>(ID_APP_EXIT));
        EXPECT_EQ(items[first].state, 0u);
        EXPECT_EQ(items[first + 1].state, 0u);
        EXPECT_EQ(items[first + 2].state, c.beSilent);
        EXPECT_EQ(items[first + 3].state, c.close);
        // A note is greyed.
        if (!c.notes.empty()) {
            EXPECT_EQ(items[3].state, static_cast<UINT>(MF_GRAYED));
        }
        // A world-clock line does nothing when chosen.
        if (!c.lines.empty()) {
            EXPECT_EQ(items[0].id, 0u);
        }
        EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), static_cast<UINT>(ID_APP_PROPERTIES));
        DestroyMenu(popup);
    }
}

}  // namespace
}  // namespace tockbell
