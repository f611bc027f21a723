// The time-table tree's context menu and drag cursors as the program carries them (the resources are
// linked in), read back through the calls the Table page makes.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resource.h"

namespace tockbell {
namespace {

constexpr UINT kSubMenu = 0;

struct MenuEntry {
    int depth;  // 0 for the menu bar
    const char* caption;
    UINT id;  // kSubMenu for a pop-up
};

// One line an entry: indented by its depth, its caption and its id or ">" for a pop-up, and what is
// wrong with its state.
std::string Line(int depth, const std::string& caption, UINT id, UINT type, UINT state) {
    std::string line = std::string(2 * static_cast<std::size_t>(depth), ' ') + caption;
    line += id == kSubMenu ? " >" : " = " + std::to_string(id);
    if (type & MFT_SEPARATOR) line += " separator";
    if (state & MFS_GRAYED) line += " greyed";
    return line;
}

void AppendLines(HMENU menu, int depth, std::vector<std::string>& lines) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char caption[64] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = sizeof caption;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
        lines.push_back(Line(depth, caption, info.hSubMenu ? kSubMenu : info.wID, info.fType, info.fState));
        if (info.hSubMenu) AppendLines(info.hSubMenu, depth + 1, lines);
    }
}

TEST(TreeMenu, EveryEntryInItsPlaceWithItsCommandAndNothingGreyed) {
    const std::vector<MenuEntry> expected = {
        {0, "POPUP", kSubMenu},
        {1, "&Reload", ID_TREE_RELOAD},
        {1, "New section", kSubMenu},
        {2, "Power On", ID_SECTION_POWER_ON},
        {2, "Today", ID_SECTION_TODAY},
        {2, "Tomorrow", ID_SECTION_TOMORROW},
        {2, "Everyday", ID_SECTION_EVERYDAY},
        {2, "Week", kSubMenu},
        {3, "Monday", ID_SECTION_MONDAY},
        {3, "Tuesday", ID_SECTION_TUESDAY},
        {3, "Wednesday", ID_SECTION_WEDNESDAY},
        {3, "Thursday", ID_SECTION_THURSDAY},
        {3, "Friday", ID_SECTION_FRIDAY},
        {3, "Saturday", ID_SECTION_SATURDAY},
        {3, "Sunday", ID_SECTION_SUNDAY},
        {2, "Day", ID_SECTION_DAY},
        {2, "Month", kSubMenu},
        {3, "January", ID_SECTION_JANUARY},
        {3, "February", ID_SECTION_FEBRUARY},
        {3, "March", ID_SECTION_MARCH},
        {3, "April", ID_SECTION_APRIL},
        {3, "May", ID_SECTION_MAY},
        {3, "June", ID_SECTION_JUNE},
        {3, "July", ID_SECTION_JULY},
        {3, "August", ID_SECTION_AUGUST},
        {3, "September", ID_SECTION_SEPTEMBER},
        {3, "October", ID_SECTION_OCTOBER},
        {3, "November", ID_SECTION_NOVEMBER},
        {3, "December", ID_SECTION_DECEMBER},
        {1, "&New item", ID_TREE_NEW_ITEM},
        {1, "&Browse...", ID_TREE_BROWSE},
        {1, "&Edit", ID_TREE_EDIT},
        {1, "&Delete", ID_TREE_DELETE},
        {1, "&Insert", ID_TREE_INSERT},
        {1, "&Save", ID_TREE_SAVE},
    };
    std::vector<std::string> expectedLines;
    for (const MenuEntry& entry : expected) expectedLines.push_back(Line(entry.depth, entry.caption, entry.id, 0, 0));

    const HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TREE_MENU));
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> lines;
    AppendLines(menu, 0, lines);
    DestroyMenu(menu);
    EXPECT_EQ(lines, expectedLines);
}

constexpr int kCursorSize = 32;

// A monochrome cursor as the platform hands it out: its AND mask above its XOR bitmap in one bitmap
// of twice the height, one bit a pixel, rows from the top.
class CursorPicture {
public:
    explicit CursorPicture(int id) {
        const HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        EXPECT_NE(cursor, nullptr);
        ICONINFO info{};
        EXPECT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 0u);
        EXPECT_EQ(info.yHotspot, 0u);
        EXPECT_EQ(info.hbmColor, nullptr) << "a cursor of two colours has no colour bitmap";
        BITMAP bitmap{};
        GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, kCursorSize);
        EXPECT_EQ(bitmap.bmHeight, 2 * kCursorSize);
        EXPECT_EQ(bitmap.bmBitsPixel, 1);
        bits.resize(kCursorSize / 8 * 2 * kCursorSize);
        EXPECT_EQ(GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data()),
                  static_cast<LONG>(bits.size()));
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }

    bool ShowsScreen(int x, int y) const { return Bit(x, y); }
    bool White(int x, int y) const { return Bit(x, y + kCursorSize); }

    std::vector<BYTE> bits;

private:
    bool Bit(int x, int y) const {
        return (bits[static_cast<std::size_t>(y * kCursorSize + x) / 8] >> (7 - x % 8)) & 1;
    }
};

TEST(DragCursors, ThreeDifferentPicturesInBlackAndWhiteOnTransparency) {
    std::vector<std::vector<BYTE>> pictures;
    for (const int id : {IDC_DRAG_COPY, IDC_DRAG_NONE, IDC_DRAG_MOVE}) {
        SCOPED_TRACE(id);
        const CursorPicture picture(id);
        int black = 0, white = 0;
        for (int y = 0; y < kCursorSize; ++y) {
            for (int x = 0; x < kCursorSize; ++x) {
                if (!picture.ShowsScreen(x, y)) {
                    (picture.White(x, y) ? white : black) += 1;
                } else {
                    EXPECT_FALSE(picture.White(x, y)) << "no pixel inverts the screen: " << x << "," << y;
                }
            }
            // The picture stays clear of the right and the bottom edge.
            EXPECT_TRUE(picture.ShowsScreen(kCursorSize - 1, y)) << y;
            EXPECT_TRUE(picture.ShowsScreen(y, kCursorSize - 1)) << y;
        }
        EXPECT_GT(black, 0);
        EXPECT_GT(white, black) << "a white shape in a thin black outline";
        pictures.push_back(picture.bits);
    }
    EXPECT_TRUE(pictures[0] != pictures[1]) << "copy and nothing to drop on look alike";
    EXPECT_TRUE(pictures[0] != pictures[2]) << "copy and move look alike";
    EXPECT_TRUE(pictures[1] != pictures[2]) << "nothing to drop on and move look alike";
}

}  // namespace
}  // namespace tockbell
