// The time-table editor's Save builds the whole new configuration file in memory and puts it in place
// in one step. What it leaves must be what the platform's profile writer leaves after the steps that
// Save stands for: the old backup deleted, the file moved to the backup's name, [Main] written, then
// one write per item, section by section in tree order.
#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/timetable/timetable_editor.h"
#include "platform/fakes/fake_tree_control.h"
#include "tests/contract/profile_contract.h"
#include "win32/app/local_clock.h"
#include "win32/config/win32_file_system.h"
#include "win32/config/win32_profile_strings.h"

namespace tockbell {
namespace {

struct Section {
    std::string title;
    std::vector<std::string> items;
};

struct SaveCase {
    std::string name;  // a part of the files' names
    std::vector<Section> tree;
};

std::vector<SaveCase> Cases() {
    return {
        {"plain",
         {{"Everyday", {"07:30=WakeUp.wav", "12:00=Noon.wav"}},
          {"Tomorrow", {"09:00=Meeting.wav"}},
          {"December 24", {"18:00=C:\\Sounds\\Carol.mid"}}}},
        {"same-title-merged",
         {{"Everyday", {"07:30=a.wav"}}, {"Monday", {"08:00=b.wav"}}, {"Everyday", {"09:00=c.wav", "07:30=d.wav"}}}},
        // Words after the third, and whatever follows a day's digits, do not count for the check.
        {"title-differing-in-case",
         {{"05x", {"07:30=a.wav"}},
          {"Friday, March 08 and more", {"08:00=b.wav"}},
          {"05X", {"09:00=c.wav"}},
          {"Friday, March 08 AND MORE", {"10:00=d.wav"}}}},
        {"same-time-twice", {{"Everyday", {"07:30=first.wav", "08:00=b.wav", "07:30=second.wav"}}}},
        {"sections-without-items",
         {{"Today", {}}, {"Everyday", {}}, {"Monday", {"07:30=a.wav"}}, {"Everyday", {"09:00=c.wav"}}, {"Sunday", {}}}},
        {"blanks-around-titles",
         {{"  Everyday  ", {"07:30=a.wav"}}, {"\tMonday", {"08:00=b.wav"}}, {"Everyday", {"09:00=c.wav"}}}},
        // A value's trailing blanks last only until the file is read again for the next write.
        {"blanks-after-equals", {{"Everyday", {"07:30=  a.wav", "08:00=b.wav   ", "09:00= \t c d.wav "}}}},
        // A key may hold an "=", but read back from the file the key ends before it.
        {"odd-but-valid-items",
         {{"Everyday",
           {"07:3==a", "+7:30=x", " 7:30=y", "07:30=a=b.wav", "07:45=\"q.wav\"", "24:00=midnight.wav", "07:3==b"}}}},
        {"long-items",
         {{"Everyday", {"07:30=" + std::string(253, 'a'), "08:00=" + std::string(294, 'b')}},
          {"Friday, March 08 " + std::string(300, 'x'), {"09:00=c.wav"}}}},
        {"bracket-in-title", {{"05]x", {"07:30=a.wav"}}, {"05", {"08:00=b.wav"}}, {"05]x", {"09:00=c.wav"}}}},
    };
}

// With line ends of its own and none at the end: the backup must be its very bytes.
constexpr const char* kOldFile =
    "[Main]\nFlags=31,2,7,1\nTime1=+1 in Paris\n[Everyday]\n07:30=old.wav\n[Today]\n08:00=x";
constexpr const char* kStaleBackup = "[Stale]\r\n";
constexpr std::size_t kSavedText = 259;  // Save reads a node into 260 characters

// [Main] as the settings below write it: the stored bits of the flags, the divisor, the day and the
// leading zone lines.
const std::vector<std::pair<std::string, std::string>> kMainWrites = {
    {"Flags", "80,3,8,2"}, {"Time1", "+9 in Singapore"}, {"Time2", "-7 in San Francisco"}};

class RecordingFeedback : public EditorFeedback {
public:
    void SetStatus(std::string_view text) override { statuses.emplace_back(text); }
    void ShowFileError(const std::string& path) override { fileErrors.push_back(path); }

    std::vector<std::string> statuses;
    std::vector<std::string> fileErrors;
};

class TimeTableSaveContract : public ProfileContract {
protected:
    struct Saved {
        std::string config;
        std::string backup;
    };

    static std::string BackupOf(const std::string& config) { return config.substr(0, config.size() - 4) + ".bak"; }

    void PutOldFiles(const std::string& config) const {
        PutFile(config, kOldFile);
        PutFile(BackupOf(config), kStaleBackup);
    }
    Saved Bytes(const std::string& config) const {
        profile->Flush(config);
        return {FileBytes(config), FileBytes(BackupOf(config))};
    }

    // The Table page's way: the tree filled from the file, then edited into the case's tree, then Save.
    Saved SavedByEditor(const SaveCase& c) {
        const std::string config = PathFor(c.name + "-editor");
        PutOldFiles(config);
        ClockSettings settings(8);
        settings.flags = FLAG_SOUND_ON | FLAG_SWAP_AMPM | FLAG_ICON_CREATED;
        settings.volumeDivisor = 3;
        settings.zoneLines[0] = "+9 in Singapore";
        settings.zoneLines[1] = "-7 in San Francisco";
        settings.zoneLines[3] = "+4 after an empty line is not stored";
        ConfigStore store(files, *profile, config, BackupOf(config));
        FakeTreeControl tree;
        RecordingFeedback feedback;
        LocalClock clock;
        TimeTableEditor editor(tree, feedback, TimeTableFiles{&store, files, settings, clock, folder + "\\voice.wav"});
        editor.ReloadTree();
        TreeControl& control = tree;
        control.DeleteAll();
        for (const Section& section : c.tree) {
            const TreeNode node = control.Insert(nullptr, section.title, TreeControl::Where::Last);
            for (const std::string& item : section.items) control.Insert(node, item, TreeControl::Where::Last);
        }
        editor.OnSave();
        EXPECT_EQ(feedback.statuses, std::vector<std::string>{"OK"});
        EXPECT_TRUE(feedback.fileErrors.empty());
        EXPECT_FALSE(std::filesystem::exists(config + ".new"));
        return Bytes(config);
    }

    // The steps Save stands for, one profile write at a time.
    Saved WrittenByProfile(const SaveCase& c) {
        const std::string config = PathFor(c.name + "-profile");
        PutOldFiles(config);
        DeleteFileA(BackupOf(config).c_str());
        MoveFileA(config.c_str(), BackupOf(config).c_str());
        for (const auto& [key, value] : kMainWrites) profile->Write(config, "Main", key, value);
        for (const Section& section : c.tree) {
            for (const std::string& item : section.items) {
                const std::string text = item.substr(0, kSavedText);
                profile->Write(config, section.title.substr(0, kSavedText), text.substr(0, 5), text.substr(6));
            }
        }
        return Bytes(config);
    }

    Win32FileSystem files;
};

TEST_P(TimeTableSaveContract, SaveLeavesWhatOneProfileWritePerItemLeaves) {
    for (const SaveCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const Saved editor = SavedByEditor(c);
        const Saved profileWrites = WrittenByProfile(c);
        EXPECT_EQ(editor.config, profileWrites.config);
        EXPECT_EQ(editor.backup, kOldFile);
        EXPECT_EQ(profileWrites.backup, kOldFile);
    }
}

// The platform's writer is the reference.
Win32FileSystem platformFiles;
INSTANTIATE_TEST_SUITE_P(Win32, TimeTableSaveContract,
                         testing::Values(ProfileImplementation{
                             "platform", [] { return std::make_unique<Win32ProfileStrings>(); }, &platformFiles}),
                         [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace tockbell
