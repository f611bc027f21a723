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
    bool CheckTimeTableKind(std::uint32_t, std::span<const DueMinute>) override { return false; }
    void CatchUp(std::span<const DueMinute>, ClockJump) override {}
    void PlayReminders(bool) override {}
    void StopReminder(std::uint32_t) override {}
};

TEST(SystemTray, HandsTheShellTheTimeAsTooltipAndFace) {
    NoActions actions;
    CSystemTray tray;
    const SettingsOpener opener(tray.settings.flags, tray.Icon());
    tray.settings.flags.fetch_or(FLAG_ICON_HIDDEN);  // no shell is needed for a hidden icon
    ASSERT_TRUE(tray.Create(nullptr, actions, opener));

    const std::string tip = tray.notifyData.szTip;
    EXPECT_TRUE(
        std::regex_match(tip, std::regex("[0-2][0-9]:[0-5][0-9],[A-Z][a-z]+day,[A-Z][a-z]+ [0-3][0-9],20[0-9][0-9]")))
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
