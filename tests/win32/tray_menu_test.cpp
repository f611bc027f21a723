// The tray menu as the platform builds it from the program's own menu resource, linked in here.
#include "win32/app/tray_menu.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/config/clock_settings.h"
#include "resource.h"

namespace tockbell {
namespace {

// Tuesday 8 December 2026, 10:00 UTC.
constexpr std::time_t kMorning = 1796724000;

struct Item {
    std::string text;  // "-" for a separator
    UINT id;
};

std::vector<Item> Items(HMENU popup) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        const auto position = static_cast<UINT>(i);
        char text[128] = {};
        GetMenuStringA(popup, position, text, sizeof text, MF_BYPOSITION);
        const bool separator = (GetMenuState(popup, position, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        items.push_back({separator ? "-" : text, GetMenuItemID(popup, i)});
    }
    return items;
}

std::vector<std::string> Texts(const std::vector<Item>& items) {
    std::vector<std::string> texts;
    for (const Item& item : items) texts.push_back(item.text);
    return texts;
}

class TrayMenuTest : public testing::Test {
protected:
    std::vector<Item> Build() {
        menu = LoadTrayMenu(zones, kMorning);
        EXPECT_NE(menu, nullptr);
        popup = GetSubMenu(menu, 0);
        return Items(popup);
    }
    void TearDown() override { DestroyMenu(menu); }

    std::array<std::string, kMaxZoneLines> zones{};
    HMENU menu = nullptr;
    HMENU popup = nullptr;
};

TEST_F(TrayMenuTest, WithoutZoneLinesOnlyTheCommands) {
    const std::vector<Item> items = Build();
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"Properties...", "Be silent", "Close"}));
    EXPECT_EQ(items[0].id, static_cast<UINT>(ID_APP_PROPERTIES));
    EXPECT_EQ(items[1].id, static_cast<UINT>(ID_BE_SILENT));
    EXPECT_EQ(items[2].id, static_cast<UINT>(ID_APP_EXIT));
    EXPECT_EQ(GetMenuDefaultItem(popup, TRUE, 0), 0u);
}

TEST_F(TrayMenuTest, TheDefaultZonesStandAboveASeparator) {
    zones[0] = "+9 in Singapore";
    zones[1] = "-7 in San Francisco";
    zones[2] = "+4 in Moscow";
    zones[4] = "+1 after an empty line is not shown";
    const std::vector<Item> items = Build();
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"19:00 in Singapore", "03:00 in San Francisco", "14:00 in Moscow",
                                                      "-", "Properties...", "Be silent", "Close"}));
    EXPECT_EQ(items[0].id, 0u);
    // The commands keep "Properties..." as the default, now below the lines.
    EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), static_cast<UINT>(ID_APP_PROPERTIES));
}

TEST_F(TrayMenuTest, TwentyLinesAtMost) {
    for (std::size_t i = 0; i < zones.size(); ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "+%zu zone%zu", i, i);
        zones[i] = line;
    }
    const std::vector<Item> items = Build();
    ASSERT_EQ(items.size(), 24u);
    EXPECT_EQ(items[0].text, "10:00 zone0");
    EXPECT_EQ(items[19].text, "05:00 zone19");
    EXPECT_EQ(items[20].text, "-");
    EXPECT_EQ(items[21].text, "Properties...");
}

}  // namespace
}  // namespace tockbell
