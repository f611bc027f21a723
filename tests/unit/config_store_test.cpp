#include "core/config/config_store.h"

#include <gtest/gtest.h>

#include "core/config/settings_file.h"
#include "tests/unit/config_fixture.h"

namespace tockbell {
namespace {

constexpr const char* kOldConfig =
    "[Main]\r\nFlags=31,2,7,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n"
    "[Everyday]\r\n07:30=WakeUp.wav\r\n[Today]\r\n10:00=Old.wav\r\n[Tomorrow]\r\n09:00=Meeting.wav\r\n";
constexpr const char* kOldBackup = "[Main]\r\nFlags=31,2,6,0\r\n";

using ConfigStoreTest = ConfigFixture;

TEST_F(ConfigStoreTest, WriteConfigStringKeepsTheRestOfTheFile) {
    files.files[kConfig] = kOldConfig;
    ASSERT_TRUE(store.WriteConfigString("Everyday", "08:00", "Tea.wav"));
    EXPECT_EQ(store.ReadConfigString("everyday", "08:00"), "Tea.wav");
    EXPECT_EQ(store.ReadConfigString("Tomorrow", "09:00"), "Meeting.wav");
    EXPECT_EQ(files.files.count(std::string(kConfig) + ".new"), 0u);
}

TEST_F(ConfigStoreTest, LookUpsReadTheFileAgainOnlyWhenItChanged) {
    files.files[kConfig] = kOldConfig;
    for (const char* key : {"07:30", "08:00", "07:30"}) store.ReadConfigString("Everyday", key);
    EXPECT_EQ(files.ReadsOf(kConfig), 1);
    files.files[kConfig] = "[Everyday]\r\n07:30=Changed.wav\r\n";  // edited by hand
    EXPECT_EQ(store.ReadConfigString("Everyday", "07:30"), "Changed.wav");
    files.unreadable.insert(kConfig);
    EXPECT_EQ(store.ReadConfigString("Everyday", "07:30"), "");
    files.unreadable.clear();
    files.files.erase(kConfig);
    EXPECT_EQ(store.ReadConfigString("Everyday", "07:30"), "");
}

TEST_F(ConfigStoreTest, OwnChangesAreReadAtOnceEvenWhenTheStampStaysTheSame) {
    files.coarseStamps = true;
    files.files[kConfig] = "[Everyday]\r\n07:30=WakeUp.wav\r\n";
    EXPECT_EQ(store.ReadConfigString("Everyday", "07:30"), "WakeUp.wav");
    ASSERT_TRUE(store.WriteConfigString("Everyday", "07:30", "Teapot.wav"));
    EXPECT_EQ(store.ReadConfigString("Everyday", "07:30"), "Teapot.wav");
    ASSERT_TRUE(store.Rewrite(Rotation::ToBackup,
                              [](std::string_view, ProfileDocument& file) { file.Set("Everyday", "07:30", "Kettle.wav"); }));
    EXPECT_EQ(store.ReadConfigString("Everyday", "07:30"), "Kettle.wav");
}

TEST_F(ConfigStoreTest, RotationMakesThePresentFileTheBackup) {
    files.files[kConfig] = kOldConfig;
    files.files[kBackup] = kOldBackup;
    ASSERT_TRUE(store.Rewrite(Rotation::ToBackup, [](std::string_view, ProfileDocument& file) { file.Set("Main", "Flags", "1"); }));
    EXPECT_EQ(Backup(), kOldConfig);
    EXPECT_EQ(Config(), "[Main]\r\nFlags=1\r\n");
}

TEST_F(ConfigStoreTest, RotationWithoutAFileLeavesNoBackup) {
    files.files[kBackup] = kOldBackup;
    ASSERT_TRUE(store.Rewrite(Rotation::ToBackup, [](std::string_view, ProfileDocument& file) { file.Set("Main", "Flags", "1"); }));
    EXPECT_EQ(Backup(), "<none>");
    EXPECT_EQ(Config(), "[Main]\r\nFlags=1\r\n");
}

TEST_F(ConfigStoreTest, AnUnreadableFileIsNeverReplaced) {
    files.files[kConfig] = kOldConfig;
    files.unreadable.insert(kConfig);
    ClockSettings settings(8);
    EXPECT_FALSE(SaveSettings(store, settings));
    EXPECT_FALSE(RollDay(store, settings, 8));
    EXPECT_FALSE(store.WriteConfigString("Main", "Flags", "0"));
    EXPECT_EQ(Config(), kOldConfig);
    EXPECT_EQ(Backup(), "<none>");
}

TEST_F(ConfigStoreTest, AReadOnlyFolderStillTakesTheNewSettingsInPlace) {
    files.files[kConfig] = kOldConfig;
    files.files[kBackup] = kOldBackup;
    files.readOnlyFolders.insert("C:\\Apps\\");
    ClockSettings settings(8);
    settings.flags.fetch_and(~FLAG_SOUND_ON);
    ASSERT_TRUE(RollDay(store, settings, 8));
    EXPECT_EQ(store.ReadConfigString("Main", "Flags"), "15,2,8,0");
    EXPECT_EQ(store.ReadConfigString("Today", "09:00"), "Meeting.wav");
    EXPECT_EQ(Backup(), kOldConfig);
    EXPECT_EQ(files.files.size(), 2u);
}

TEST_F(ConfigStoreTest, AFullDiskLeavesTheOldFilesAsTheyWere) {
    files.files[kConfig] = kOldConfig;
    files.files[kBackup] = kOldBackup;
    files.freeBytes = 10;
    ClockSettings settings(8);
    EXPECT_FALSE(SaveSettings(store, settings));
    EXPECT_FALSE(RollDay(store, settings, 8));
    EXPECT_EQ(Config(), kOldConfig);
    EXPECT_EQ(Backup(), kOldBackup);
    EXPECT_EQ(files.files.size(), 2u);  // no half-written file is left beside them
}

TEST_F(ConfigStoreTest, AFolderWithoutAnyWriteAccessChangesNothing) {
    files.readOnlyFolders.insert("C:\\Apps\\");
    ClockSettings settings(8);
    EXPECT_FALSE(SaveSettings(store, settings));
    EXPECT_TRUE(files.files.empty());
}

// Cuts the power at every step that changes the disk, in a save with rotation and in a day roll, and
// checks that the configuration file is at every instant complete, old or new, and the backup is the
// old backup or the old configuration file, never anything else.
class PowerCutTest : public ConfigFixture, public testing::WithParamInterface<bool> {
protected:
    bool Run() {
        ClockSettings settings(8);
        if (GetParam()) return RollDay(store, settings, 8);
        return SaveSettings(store, settings, Rotation::ToBackup,
                            [](std::string_view, ProfileDocument& file) { file.Set("Everyday", "07:30", "New.wav"); });
    }
};

TEST_P(PowerCutTest, EveryInstantLeavesACompleteFile) {
    std::string newConfig;
    {
        files.files[kConfig] = kOldConfig;
        files.files[kBackup] = kOldBackup;
        ASSERT_TRUE(Run());
        newConfig = Config();
        EXPECT_EQ(Backup(), kOldConfig);
    }
    const int steps = files.StepsTaken();
    ASSERT_GE(steps, 4);
    for (int cut = 1; cut <= steps; ++cut) {
        files = FakeFileSystem();
        files.files[kConfig] = kOldConfig;
        files.files[kBackup] = kOldBackup;
        files.CutPowerAtStep(cut);
        EXPECT_THROW(Run(), FakeFileSystem::PowerCut) << "step " << cut;
        EXPECT_TRUE(Config() == kOldConfig || Config() == newConfig) << "step " << cut << ": " << Config();
        EXPECT_TRUE(Backup() == kOldBackup || Backup() == kOldConfig) << "step " << cut << ": " << Backup();

        // The next start finds a whole file and saves again without loss.
        files.CutPowerAtStep(0);
        ASSERT_TRUE(Run());
        EXPECT_EQ(Config(), newConfig);
    }
}

INSTANTIATE_TEST_SUITE_P(SaveAndRoll, PowerCutTest, testing::Values(false, true),
                         [](const auto& test) { return test.param ? "RollDay" : "SaveWithRotation"; });

}  // namespace
}  // namespace tockbell
