// The settings dialog's opener and the tray menu: what both programs do with "Properties...",
// "Be silent" and "Close" while a dialog is open or not.
#include "core/app/settings_opener.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/tray_menu_model.h"
#include "core/config/clock_settings.h"
#include "tests/unit/counting_shell.h"

namespace tockbell {
namespace {

class FakeDialog : public OpenSettingsDialog {
public:
    void BringForward() override { ++forwards; }
    void SetSoundSwitch(bool on) override { switches.push_back(on); }
    int forwards = 0;
    std::vector<bool> switches;
};

class OpenerTest : public testing::Test {
protected:
    OpenerTest() { icon.Create(); }
    std::atomic<std::uint32_t> flags{kDefaultFlags};
    CountingShell shell;
    TrayIcon icon{flags, shell};
    SettingsOpener opener{flags, icon};
    FakeDialog dialog;
};

TEST_F(OpenerTest, OneDialogAtATimeASecondRequestBringsItForward) {
    EXPECT_EQ(opener.LastTab(), 0);
    ASSERT_TRUE(opener.Properties());
    opener.Opened(dialog);
    EXPECT_TRUE(opener.DialogOpen());
    for (int request = 1; request <= 2; ++request) {
        EXPECT_FALSE(opener.Properties());
        EXPECT_EQ(dialog.forwards, request);
    }
    EXPECT_FALSE(opener.Closed(CloseRequest::KeepRunning));
    EXPECT_FALSE(opener.DialogOpen());
    EXPECT_TRUE(opener.Properties());
    EXPECT_EQ(dialog.forwards, 2);
}

TEST_F(OpenerTest, TheEndOfADialogPutsTheIconBackAndMayEndTheProgram) {
    struct Case {
        bool hidden;
        CloseRequest request;
        bool ends;
        int adds, deletes;
    };
    for (const Case& c :
         {Case{false, CloseRequest::KeepRunning, false, 2, 1}, Case{false, CloseRequest::CloseProgram, true, 2, 1},
          Case{true, CloseRequest::CloseProgram, true, 1, 1}}) {
        shell = {};
        flags = kDefaultFlags | FLAG_ICON_CREATED;
        if (c.hidden) icon.HideIcon();
        opener.Properties();
        opener.Opened(dialog);
        EXPECT_EQ(opener.Closed(c.request), c.ends);
        // Shown: out of the tray and back in; hidden: it stays out.
        EXPECT_EQ(shell.adds, c.hidden ? 0 : 1);
        EXPECT_EQ(shell.deletes, 1);
    }
}

TEST_F(OpenerTest, BeSilentFlipsTheOpenDialogsSwitchToo) {
    flags.fetch_or(FLAG_PLAY_BUSY);
    EXPECT_FALSE(opener.BeSilent());  // no dialog: nothing else to tell
    EXPECT_EQ(flags.load() & (FLAG_SOUND_ON | FLAG_STOP_SOUND), FLAG_STOP_SOUND);
    opener.Properties();
    opener.Opened(dialog);
    EXPECT_TRUE(opener.BeSilent());
    EXPECT_FALSE(opener.BeSilent());
    EXPECT_EQ(dialog.switches, (std::vector<bool>{true, false}));
    opener.Closed(CloseRequest::KeepRunning);
    opener.BeSilent();
    EXPECT_EQ(dialog.switches.size(), 2u);
}

std::vector<std::string> Texts(const std::vector<TrayMenuItem>& items) {
    std::vector<std::string> texts;
    for (const TrayMenuItem& item : items) texts.push_back(item.separator ? "-" : item.text);
    return texts;
}

TEST(TrayMenu, TheWorldClocksAndTheGreyedNotesAboveSeparatorsThenTheFourCommands) {
    const std::vector<std::string> commands = {"Properties...", "Say the time", "Be silent", "Close"};
    EXPECT_EQ(Texts(TrayMenuItems({}, {}, kDefaultFlags, false)), commands);
    const std::vector<TrayMenuItem> items = TrayMenuItems(
        {"19:00 in Singapore", "14:00"}, {"Quiet until 07:00", "Next: tomorrow 07:30 WakeUp"}, kDefaultFlags, false);
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"19:00 in Singapore", "14:00", "-", "Quiet until 07:00",
                                                      "Next: tomorrow 07:30 WakeUp", "-", "Properties...",
                                                      "Say the time", "Be silent", "Close"}));
    EXPECT_EQ(Texts(TrayMenuItems({}, {"Next: 14:30 Pills (in 25 min)"}, kDefaultFlags, false))[1], "-");
    // The lines do nothing; the world clocks can be read, the notes are greyed; only "Properties..."
    // is the default.
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(items[i].command, TrayCommand::None) << i;
        EXPECT_EQ(items[i].enabled, i < 3 || i == 5) << i;
    }
    EXPECT_EQ(items[6].command, TrayCommand::Properties);
    EXPECT_EQ(items[7].command, TrayCommand::SayTime);
    EXPECT_EQ(items[8].command, TrayCommand::BeSilent);
    EXPECT_EQ(items[9].command, TrayCommand::Close);
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].isDefault, i == 6) << i;
}

TEST(TrayMenu, BeSilentIsCheckedWhileSilentAndCloseGreyedWhileTheDialogIsOpen) {
    struct Case {
        std::uint32_t flags;
        bool dialogOpen;
        bool checked, closeEnabled;
    };
    for (const Case& c :
         {Case{kDefaultFlags, false, false, true}, Case{kDefaultFlags & ~FLAG_SOUND_ON, false, true, true},
          Case{kDefaultFlags | FLAG_STOP_SOUND, true, false, false}, Case{FLAG_ICON_HIDDEN, true, true, false}}) {
        const std::vector<TrayMenuItem> items = TrayMenuItems({}, {}, c.flags, c.dialogOpen);
        EXPECT_TRUE(items[2].checkable);
        EXPECT_EQ(items[2].checked, c.checked) << c.flags;
        EXPECT_EQ(items[3].enabled, c.closeEnabled) << c.dialogOpen;
        EXPECT_TRUE(items[0].enabled && items[1].enabled && items[2].enabled);
    }
}

}  // namespace
}  // namespace tockbell
