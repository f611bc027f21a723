#include "core/timetable/timetable_editor.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/fakes/fake_tree_control.h"
#include "tests/unit/config_fixture.h"

namespace tockbell {
namespace {

constexpr const char* kVoice = "C:\\Apps\\Tockbell.wav";
constexpr const char* kRecording = "RIFF recorded voice";
constexpr std::uint32_t kRecorderBit = 0x8;
constexpr std::uint32_t kNewVoice = PAGE_NEW_ITEM | PAGE_COPY_VOICE;

std::string Fixture(const char* name) {
    std::ifstream file(std::string(TOCKBELL_FIXTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class RecordedFeedback : public EditorFeedback {
public:
    void SetStatus(std::string_view text) override { statuses.emplace_back(text); }
    void ShowFileError(const std::string& path) override { fileErrors.push_back(path); }
    std::string Last() const { return statuses.empty() ? "" : statuses.back(); }

    std::vector<std::string> statuses;
    std::vector<std::string> fileErrors;
};

// Tuesday 8 December 2026 at a set time of day, or any moment, in the zone of TZ.
class FixedClock : public Clock {
public:
    void At(int hour, int minute) { AtMoment(1796688000 + hour * 3600 + minute * 60); }
    void AtMoment(std::time_t utc) { reading = {utc, LocalTimeAt(utc), 0}; }
    ClockReading Now() override { return reading; }
    std::tm LocalTimeAt(std::time_t utc) override {
        std::tm local{};
        localtime_r(&utc, &local);
        return local;
    }
    ClockReading reading;
};

class EditorTest : public ConfigFixture {
protected:
    EditorTest() { clock.At(7, 28); }

    std::vector<std::string> Fill(const std::string& text) {
        files.files[kConfig] = text;
        editor.ReloadTree();
        return tree.Lines();
    }
    // As the control ends an in-place edit: a kept text replaces the label.
    bool EndEdit(const std::optional<std::string>& typed) {
        const TreeNode node = std::exchange(tree.editing, nullptr);
        const bool keep = editor.EndLabelEdit(node, typed);
        if (keep && typed) tree.SetText(node, *typed);
        return keep;
    }

    FakeTreeControl tree;
    RecordedFeedback feedback;
    FixedClock clock;
    ClockSettings settings{8};
    TimeTableEditor editor{tree, feedback, {&store, files, settings, clock, kVoice}};
};

TEST_F(EditorTest, FillsSectionsOtherThanMainWithTheirLongerLinesWhateverTheLineEnds) {
    const std::vector<std::string> expected = {
        "*Everyday",        "  07:30=WakeUp.wav", "  # a comment longer than ten characters",
        "*main",            "  08:00=lower.wav",  "*Friday, March 0", "  12:00=noon.wav",
        "  09:00=AfterTwoCharacters.wav",         "*x",               "*Today"};
    const std::string lf = Fixture("timetable_fill.ini");
    std::string crlf;
    for (const char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const auto& [text, lines] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {lf, expected}, {crlf, expected}, {"", {}},
             {"[Main]\n[Everyday]\n07:30=WakeUp.wav", {"*Everyday", "  07:30=WakeUp.wav"}},
             {"[ab\n[]x\n", {"*a", "*]"}}}) {
        EXPECT_EQ(Fill(text), lines) << text;
        EXPECT_EQ(Config(), text);
        EXPECT_EQ(tree.Selected(), nullptr);
    }
    EXPECT_TRUE(feedback.statuses.empty() && feedback.fileErrors.empty());
}

TEST_F(EditorTest, ReloadCreatesAMissingFileAndReportsOneItCannotOpen) {
    const std::string old = "[Friday]\n09:00=Friday.wav\n";
    using Case = std::tuple<std::function<void()>, bool, std::string>;
    for (const auto& [setUp, error, config] : std::vector<Case>{
             {[&] { files.files.erase(kConfig); }, false, ""},
             {[&] { files.unreadable.insert(kConfig); }, true, old},
             {[&] { files.files.erase(kConfig); files.readOnlyFolders.insert("C:\\Apps\\"); }, true, "<none>"}}) {
        files = FakeFileSystem();
        feedback.fileErrors.clear();
        ASSERT_EQ(Fill(old).size(), 2u);
        setUp();
        editor.ReloadTree();
        EXPECT_TRUE(tree.Lines().empty()) << config;
        EXPECT_EQ(feedback.fileErrors, std::vector<std::string>(error ? 1 : 0, kConfig)) << config;
        EXPECT_EQ(Config(), config);
    }
}

TEST_F(EditorTest, SaveMergesSectionsKeepsTheLaterFileOfATimeAndDropsEmptySections) {
    const std::string old =
        "[Main]\nFlags=31,2,8,0\n[Everyday]\n07:30=First.wav\n08:00=Teapot.wav\n07:30=Second.wav\n[Friday]\n"
        "09:00=Friday.wav\n[Everyday]\n10:00=Late.wav\n[March 08]\n[ Friday ]\n09:00=  Spaced.wav\n11:00=Weekend.wav\n";
    Fill(old);
    editor.OnSave();
    EXPECT_EQ(feedback.statuses, std::vector<std::string>{"OK"});
    EXPECT_EQ(Config(),
              "[Main]\r\nFlags=31,2,8,0\r\n[Everyday]\r\n07:30=Second.wav\r\n08:00=Teapot.wav\r\n10:00=Late.wav\r\n"
              "[Friday]\r\n09:00=Spaced.wav\r\n11:00=Weekend.wav\r\n");
    EXPECT_EQ(Backup(), old);
    EXPECT_EQ(files.files.size(), 2u);
}

TEST_F(EditorTest, SaveStopsAtTheFirstInvalidNodeEditsItAndWritesNothing) {
    const std::string blanks(253, ' ');
    for (const auto& [text, section, item] : std::vector<std::tuple<std::string, std::size_t, int>>{
             {"[main]\n7:30=bell.wav.x\n[Everyday]\n25:00=late.wav\n", 0, -1},
             {"[Everyday]\n07:30=WakeUp.wav\n[Friday,March 08]\n", 1, -1},
             {"[Everyday]\n24:00=Midnight.wav\n25:00=TooLate.wav\n07:30=      \n", 0, 1},
             {"[Everyday]\n07:30=" + blanks + "x\n", 0, 0},  // the file name lies past the 259th character
             {"[" + std::string(252, ' ') + "March 08]\n", 0, -1},
         }) {
        Fill(text);
        feedback.statuses.clear();
        editor.OnSave();
        const TreeNode invalid = item < 0 ? tree.At(section) : tree.At(section, static_cast<std::size_t>(item));
        EXPECT_EQ(feedback.statuses, std::vector<std::string>{"Invalid format"}) << text;
        EXPECT_EQ(tree.editing, invalid) << text;
        if (item >= 0) {
            EXPECT_TRUE(FakeTreeControl::Mutable(tree.At(section)).expanded) << text;
        }
        EXPECT_EQ(Config(), text);
        EXPECT_EQ(Backup(), "<none>");
    }
}

TEST_F(EditorTest, SaveTakesTheFirst259CharactersOfANode) {
    const std::string title = std::string(251, ' ') + "March 08", blanks(252, ' '), name(300, 'n');
    Fill("[" + title + "]\n07:30=" + blanks + "x\n07:31=" + name + "\n");
    editor.OnSave();
    EXPECT_EQ(feedback.Last(), "OK");
    EXPECT_EQ(Config(), "[Main]\r\nFlags=31,2,8,0\r\n[March 08]\r\n07:30=x\r\n07:31=" + name.substr(0, 253) + "\r\n");
}

TEST_F(EditorTest, SaveOnANewDayRollsTheTreeFirst) {
    Fill("[Main]\nFlags=31,2,8,0\n[Today]\n10:00=Old.wav\n[ Tomorrow ]\n09:00=Meeting.wav\n[Everyday]\n"
         "07:30=WakeUp.wav\n[ Today]\n11:00=Older.wav\n");
    settings.lastDay = 9;  // the tick has rolled the file since the fill
    editor.OnSave();
    EXPECT_EQ(feedback.Last(), "OK. New day: Tomorrow is now Today");
    const std::vector<std::string> rolled = {"*Today", "  09:00=Meeting.wav", "*Everyday", "  07:30=WakeUp.wav"};
    EXPECT_EQ(tree.Lines(), rolled);
    const std::string saved =
        "[Main]\r\nFlags=31,2,9,0\r\n[Today]\r\n09:00=Meeting.wav\r\n[Everyday]\r\n07:30=WakeUp.wav\r\n";
    EXPECT_EQ(Config(), saved);
    editor.OnSave();  // the same day: no second roll
    EXPECT_EQ(feedback.Last(), "OK");
    EXPECT_EQ(tree.Lines(), rolled);
    EXPECT_EQ(Config(), saved);
}

TEST_F(EditorTest, AFailedWriteSaysSoAndLeavesTheFile) {
    const std::string old = "[Everyday]\n07:30=WakeUp.wav\n";
    for (const auto& fail : std::vector<std::function<void()>>{[&] { files.freeBytes = 10; },
                                                               [&] { files.unreadable.insert(kConfig); }}) {
        files = FakeFileSystem();
        Fill(old);
        fail();
        editor.OnSave();
        EXPECT_EQ(feedback.Last(), "Not saved: the file cannot be written");
        EXPECT_EQ(Config(), old);
    }
}

// The power is cut at every step of a Save that changes the disk: the configuration file is then the
// old or the new one, and a fill finds the old or the new tree.
TEST_F(EditorTest, APowerCutDuringSaveLeavesTheOldOrTheNewFile) {
    const std::string old =
        "[Main]\r\nFlags=31,2,8,0\r\n[Everyday]\r\n07:30=WakeUp.wav\r\n[Friday]\r\n09:00=Friday.wav\r\n";
    const std::string oldBackup = "[Main]\r\nFlags=31,2,7,0\r\n";
    const std::vector<std::string> oldTree = {"*Everyday", "  07:30=WakeUp.wav", "*Friday", "  09:00=Friday.wav"};
    const std::vector<std::string> newTree = {"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav"};
    auto edit = [&] {
        files = FakeFileSystem();
        files.files[kBackup] = oldBackup;
        ASSERT_EQ(Fill(old), oldTree);
        tree.Delete(tree.At(1));
        tree.Insert(tree.At(0), "08:00=Teapot.wav", TreeControl::Where::Last);
    };
    edit();
    editor.OnSave();
    const std::string saved = Config();
    const int steps = files.StepsTaken();
    ASSERT_GE(steps, 4);
    for (int cut = 1; cut <= steps; ++cut) {
        edit();
        files.CutPowerAtStep(cut);
        EXPECT_THROW(editor.OnSave(), FakeFileSystem::PowerCut) << "step " << cut;
        EXPECT_TRUE(Config() == old || Config() == saved) << "step " << cut << ": " << Config();
        EXPECT_TRUE(Backup() == oldBackup || Backup() == old) << "step " << cut << ": " << Backup();
        editor.ReloadTree();
        EXPECT_TRUE(tree.Lines() == oldTree || tree.Lines() == newTree) << "step " << cut;
    }
}

TEST_F(EditorTest, NewSectionsAreFoundByTheirFirst23CharactersOrAppended) {
    Fill("[Monday]\n07:30=WakeUp.wav\n");
    EXPECT_EQ(editor.AddSection("Monday", false), tree.At(0));
    EXPECT_TRUE(tree.Selected() == tree.At(0) && !tree.editing && feedback.statuses.empty());
    const TreeNode day = editor.AddSection(std::nullopt, true);
    EXPECT_EQ(tree.editing, day);
    EXPECT_EQ(editor.m_pageFlags, PAGE_NEW_SECTION);
    EXPECT_EQ(feedback.statuses, std::vector<std::string>{"Edit day in format DD"});
    EXPECT_TRUE(EndEdit(std::nullopt));
    // "Day" again, its "dd" not edited: found, no second edit.
    EXPECT_EQ(editor.AddSection(std::nullopt, true), day);
    EXPECT_EQ(tree.editing, nullptr);
    EXPECT_EQ(editor.m_pageFlags, 0u);
    EXPECT_EQ(feedback.statuses.size(), 2u);
    editor.AddSection("March", true);
    const std::string long23(23, 't'), long24(24, 't');
    for (const std::string& title : {long23, long23, long24, long24}) editor.AddSection(title, false);
    EXPECT_EQ(tree.Lines(),
              (std::vector<std::string>{"*Monday", "  07:30=WakeUp.wav", "dd", "March dd", long23, long24, long24}));
    EXPECT_EQ(tree.Selected(), tree.At(5));
}

TEST_F(EditorTest, NewItemsGoLastIntoTheSelectedSectionTwoMinutesAhead) {
    clock.At(23, 59);
    editor.AddItem(kNewItemFile, PAGE_NEW_ITEM);
    EXPECT_EQ(tree.Lines(), (std::vector<std::string>{"Everyday", "  00:01=FileName.wav"}));
    EXPECT_EQ(tree.editing, tree.At(0, 0));
    EXPECT_EQ(feedback.Last(), "Edit item in format HH:MM=FileName.ext");
    EXPECT_EQ(editor.m_pageFlags, PAGE_NEW_ITEM);
    clock.At(7, 28);
    const std::string table = "[Everyday]\n07:30=WakeUp.wav\n08:00=Teapot.wav\n[Friday]\n09:00=Friday.wav\n";
    for (const auto& [selected, section] : std::vector<std::pair<std::function<TreeNode()>, std::size_t>>{
             {[] { return TreeNode(); }, 0}, {[&] { return tree.At(0, 0); }, 0}, {[&] { return tree.At(1); }, 1}}) {
        Fill(table);
        if (const TreeNode node = selected()) tree.Select(node);
        const TreeNode item = editor.AddItem("C:\\Sounds\\Tea.wav", kNewVoice);
        EXPECT_EQ(tree.Parent(item), tree.At(section));
        EXPECT_EQ(tree.Next(item), nullptr);
        EXPECT_EQ(tree.Text(item, 100), "07:30=C:\\Sounds\\Tea.wav");
        EXPECT_TRUE(tree.Selected() == item && tree.editing == item);
        EXPECT_TRUE(FakeTreeControl::Mutable(tree.At(section)).expanded);
    }
    EXPECT_EQ(editor.m_pageFlags, kNewVoice);
}

// Two minutes on the wall clock, shown in local time when the clock changes.
TEST_F(EditorTest, NewItemsAcrossTheChangesOfTheClock) {
    const std::string zone = std::getenv("TZ") ? std::getenv("TZ") : "UTC";
    setenv("TZ", "America/New_York", 1);
    tzset();
    for (const auto& [utc, prefix] : std::vector<std::pair<std::time_t, std::string>>{
             {1793512740, "01:01="},     // 1 November 2026, 01:59 EDT, then 01:01 EST
             {1772953140, "03:01="}}) {  // 8 March 2026, 01:59 EST, then 03:01 EDT
        Fill("[Everyday]\n");
        clock.AtMoment(utc);
        EXPECT_EQ(tree.Text(editor.AddItem(kNewItemFile, PAGE_NEW_ITEM), 100), prefix + std::string(kNewItemFile));
    }
    setenv("TZ", zone.c_str(), 1);
    tzset();
}

TEST_F(EditorTest, DeleteKeepsItemsInTheCutBufferAndInsertRepeatsTheLastOne) {
    Fill("[Everyday]\n07:30=WakeUp.wav\n08:00=Teapot.wav\n[Friday]\n09:00=Friday.wav\n");
    editor.Delete();
    editor.SelectHit(tree.At(0, 0));
    editor.Insert();
    EXPECT_EQ(tree.Lines().size(), 5u);  // nothing selected, then nothing cut
    editor.Delete();
    EXPECT_EQ(editor.m_cutBuffer, "07:30=WakeUp.wav");
    editor.SelectHit(tree.At(1));
    editor.SelectHit(nullptr);
    editor.Delete();
    EXPECT_EQ(editor.m_cutBuffer, "07:30=WakeUp.wav");
    ASSERT_TRUE(editor.CanInsert());
    tree.Select(tree.At(0));
    editor.Insert();
    tree.Select(tree.At(0, 1));
    editor.Insert();
    editor.Insert();
    EXPECT_EQ(tree.Lines(), (std::vector<std::string>{"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav",
                                                      "  07:30=WakeUp.wav", "  07:30=WakeUp.wav"}));
    EXPECT_EQ(tree.Selected(), tree.At(0, 3));
    EXPECT_TRUE(feedback.statuses.empty());
}

TEST_F(EditorTest, ShortNewItemsAreSavedButNotFilledAgain) {
    for (const char* typed : {"07:30=a.x", "07:31=a.wa"}) {
        editor.AddItem(kNewItemFile, PAGE_NEW_ITEM);
        EXPECT_TRUE(EndEdit(typed));
    }
    editor.OnSave();
    EXPECT_EQ(Config(), "[Main]\r\nFlags=31,2,8,0\r\n[Everyday]\r\n07:30=a.x\r\n07:31=a.wa\r\n");
    editor.ReloadTree();
    EXPECT_EQ(tree.Lines(), std::vector<std::string>{"*Everyday"});
}

struct EndEditCase {
    const char* name;
    std::uint32_t mode;  // PAGE_NEW_SECTION: "March" from the menu; 0: Edit of the item; else AddItem's
    std::string fileText;
    std::optional<std::string> typed;
    std::string left;  // the edited node's line afterwards; empty: it was deleted
    std::string status;
    std::string copy = {};  // where the recording went
    bool recorded = true;
};

class EndEditTest : public EditorTest, public testing::WithParamInterface<EndEditCase> {};

TEST_P(EndEditTest, KeepsChecksCopiesOrDeletes) {
    const EndEditCase& c = GetParam();
    files.readOnlyFolders.insert("D:\\Locked\\");
    files.files["C:\\Apps\\FileName.wav"] = "an older copy";
    if (c.recorded) files.files[kVoice] = kRecording;
    Fill("[Everyday]\n06:00=Early.wav\n");
    auto expectedFiles = files.files;
    if (!c.copy.empty()) expectedFiles[c.copy] = kRecording;
    std::vector<std::string> lines = {"*Everyday", "  06:00=Early.wav"};
    editor.m_pageFlags = kRecorderBit;
    if (c.mode == PAGE_NEW_SECTION) {
        editor.AddSection("March", true);
    } else if (c.mode == 0) {
        tree.Select(tree.At(0, 0));
        editor.Edit();
        lines.pop_back();
    } else {
        editor.AddItem(c.fileText, c.mode);
    }
    if (!c.left.empty()) lines.push_back(c.left);
    ASSERT_NE(tree.editing, nullptr);
    EXPECT_EQ(EndEdit(c.typed), !c.left.empty());
    EXPECT_EQ(tree.Lines(), lines);
    EXPECT_EQ(feedback.Last(), c.status);
    EXPECT_EQ(editor.m_pageFlags, kRecorderBit);
    EXPECT_EQ(files.files, expectedFiles);
}

const std::string kDeleted = "Deleted due to invalid format", kAdded = "OK. Item has been added";
const std::string kNotCopied = "Deleted: the recording cannot be copied to that file";
const std::string kSectionAdded = "OK. Section has been added", kFile = "FileName.wav", kLong(255, 'v');
using C = EndEditCase;

INSTANTIATE_TEST_SUITE_P(
    Cases, EndEditTest,
    testing::Values(
        C{"SectionTyped", PAGE_NEW_SECTION, "", "March 08", "March 08", kSectionAdded},
        C{"SectionCancelled", PAGE_NEW_SECTION, "", std::nullopt, "March dd", kSectionAdded},
        C{"ItemTyped", PAGE_NEW_ITEM, kFile, "07:45=Tea.wav", "  07:45=Tea.wav", kAdded},
        C{"ItemTypedInvalid", PAGE_NEW_ITEM, kFile, "7:45=Tea.wav", "", kDeleted},
        C{"ItemCancelled", PAGE_NEW_ITEM, kFile, std::nullopt, "  07:30=FileName.wav", kAdded},
        C{"ItemCancelledInvalid", PAGE_NEW_ITEM, "x", std::nullopt, "", kDeleted},
        C{"VoiceTyped", kNewVoice, kFile, "07:45=Voice message.wav", "  07:45=Voice message.wav", kAdded,
          "C:\\Apps\\Voice message.wav"},
        C{"VoiceCancelled", kNewVoice, kFile, std::nullopt, "  07:30=FileName.wav", kAdded, "C:\\Apps\\FileName.wav"},
        C{"VoiceToAFullPathInBlanks", kNewVoice, kFile, "07:45=  D:\\Sounds\\Hi.wav ", "  07:45=  D:\\Sounds\\Hi.wav ",
          kAdded, "D:\\Sounds\\Hi.wav"},
        C{"VoiceNameCutAt258", kNewVoice, kLong, std::nullopt, "  07:30=" + kLong, kAdded,
          "C:\\Apps\\" + kLong.substr(0, 252)},
        C{"VoiceNotRecorded", kNewVoice, kFile, "07:45=Tea.wav", "", kNotCopied, "", false},
        C{"VoiceTargetLocked", kNewVoice, kFile, "07:45=D:\\Locked\\Tea.wav", "", kNotCopied},
        C{"VoiceWithoutName", kNewVoice, kFile, "07:45=   ", "", kNotCopied},
        C{"VoiceTooShortAName", kNewVoice, kFile, "07:45= ab", "", kNotCopied},
        C{"VoiceNameRefusedByWindows", kNewVoice, kFile, "07:45=Tea?.wav", "", kNotCopied},
        C{"VoiceNameOfADevice", kNewVoice, kFile, "07:45=com1.wav", "", kNotCopied},
        C{"VoiceNameEndingInADot", kNewVoice, kFile, "07:45=Tea.wav.", "", kNotCopied},
        C{"VoiceOverTheConfiguration", kNewVoice, kFile, "07:45=tockbell.INI", "", kNotCopied},
        C{"VoiceOverTheBackup", kNewVoice, kFile, "07:45=C:\\Apps\\Tockbell.bak", "", kNotCopied},
        C{"VoiceOverTheProgram", kNewVoice, kFile, "07:45=Tockbell.exe", "", kNotCopied},
        C{"VoiceOverTheRecording", kNewVoice, kFile, "07:45=TOCKBELL.wav", "", kNotCopied},
        C{"VoiceInAFolderOfTheName", kNewVoice, kFile, "07:45=D:\\Con.d\\Tea.wav", "  07:45=D:\\Con.d\\Tea.wav",
          kAdded, "D:\\Con.d\\Tea.wav"},
        C{"VoiceItemInvalid", kNewVoice, kFile, "7:45=Tea.wav", "", kDeleted},
        C{"EditKeepsAnyText", 0, "", "any text at all", "  any text at all", ""},
        C{"EditCancelled", 0, "", std::nullopt, "  06:00=Early.wav", ""}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tockbell
