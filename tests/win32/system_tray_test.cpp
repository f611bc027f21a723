// The tray object against the real shell calls: what it hands the shell for the current time.
#include "win32/app/system_tray.h"

#include <regex>

#include <gtest/gtest.h>

#include "core/app/world_clock.h"
#include "resource.h"
#include "win32/app/local_clock.h"

namespace tockbell {
namespace {

class NoActions : public TickActions {
public:
    void RollDay(int) override {}
    void StartChime(int, bool, bool) override {}
    bool CheckTimeTableKind(std::uint32_t, const ClockReading&) override { return false; }
};

TEST(SystemTray, HandsTheShellTheTimeAsTooltipAndFace) {
    HICON face = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_CLOCK_FACE), IMAGE_ICON, 32, 32, LR_SHARED));
    ASSERT_NE(face, nullptr);
    ClockIconPainter painter(face);
    NoActions actions;
    CSystemTray tray;
    tray.settings.flags.fetch_or(FLAG_ICON_HIDDEN);  // no shell is needed for a hidden icon
    ASSERT_TRUE(tray.Create(nullptr, actions, painter));

    const std::string tip = tray.notifyData.szTip;
    EXPECT_TRUE(std::regex_match(tip, std::regex("[0-2][0-9]:[0-5][0-9],[A-Z][a-z]+day,[A-Z][a-z]+ [0-3][0-9],20[0-9][0-9]")))
        << tip;
    const ClockReading now = ReadLocalClock();
    EXPECT_EQ(tip.substr(6), TooltipText(now.local).substr(6));  // the minute may just have turned
    EXPECT_NE(tray.notifyData.hIcon, nullptr);
    EXPECT_EQ(tray.notifyData.uID, 128u);
    EXPECT_EQ(tray.notifyData.uCallbackMessage, static_cast<UINT>(WM_USER));
    EXPECT_EQ(tray.notifyData.hWnd, tray.Window());
    EXPECT_NE(tray.settings.flags.load() & FLAG_ICON_CREATED, 0u);
}

}  // namespace
}  // namespace tockbell
