// The Table page's model as both programs drive it: gestures on a tree in memory, and what the tree,
// the status line, the page flags and the recorder's controls show after each.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/settings/table_page_model.h"
#include "platform/fakes/fake_tree_control.h"
#include "tests/unit/config_fixture.h"

namespace tockbell {
namespace {

constexpr const char* kVoice = "C:\\Apps\\Tockbell.wav";
const std::string kFile = "[Everyday]\n07:30=WakeUp.wav\n08:00=Teapot.wav\n[Friday]\n17:00=Weekend.mid\n";

class RecordedView : public TablePageView {
public:
    void Show(const RecorderControls& shown) override {
        controls = shown;
        ++shows;
    }
    void ShowDuration(int minimum, int maximum, int seconds) override { duration = {minimum, maximum, seconds}; }
    void ShowFileError(const std::string& text) override { fileErrors.push_back(text); }
    void Beep() override { ++beeps; }

    RecorderControls controls;
    std::vector<int> duration;
    std::vector<std::string> fileErrors;
    int shows = 0;
    int beeps = 0;
};

class SetClock : public Clock {
public:
    ClockReading Now() override {
        ClockReading reading;
        reading.local.tm_year = 126, reading.local.tm_mon = 11, reading.local.tm_mday = 8;
        reading.local.tm_hour = 7, reading.local.tm_min = 58;
        reading.utc = timegm(&reading.local);
        return reading;
    }
    // The tests' time zone is UTC.
    std::tm LocalTimeAt(std::time_t utc) override {
        std::tm local{};
        gmtime_r(&utc, &local);
        return local;
    }
};

class TablePage : public ConfigFixture {
protected:
    TablePage() {
        files.files[kConfig] = kFile;
        page.Load();
    }
    std::string Status() const { return view.controls.progressShown ? "<bar>" : view.controls.status; }
    // Ends the edit that a gesture began, as the control does with a typed text or a cancel.
    void EndEdit(const std::optional<std::string>& typed) {
        ASSERT_NE(tree.editing, nullptr);
        const TreeNode node = std::exchange(tree.editing, nullptr);
        if (page.EndLabelEdit(node, typed) && typed) tree.SetText(node, *typed);
    }

    FakeTreeControl tree;
    RecordedView view;
    SetClock clock;
    ClockSettings settings{8};
    std::vector<std::string> recordings;
    std::vector<std::string> playbacks;
    TablePageModel page{tree,
                        view,
                        {&store, files, settings, clock, kVoice},
                        {[this](const std::string& path) { recordings.push_back(path); },
                         [this](const std::string& path) { playbacks.push_back(path); }}};
};

TEST_F(TablePage, OpensWithTheTreeFilledTheBarShownAndTheRecordersRanges) {
    EXPECT_EQ(tree.Lines(), (std::vector<std::string>{"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav",
                                                      "*Friday", "  17:00=Weekend.mid"}));
    EXPECT_EQ(view.duration, (std::vector<int>{3, 120, 20}));
    EXPECT_EQ(Status(), "<bar>");
    EXPECT_EQ(view.controls.progressRange, 20);
    EXPECT_TRUE(view.controls.recordEnabled);
    EXPECT_FALSE(view.controls.playEnabled || view.controls.insertEnabled || view.controls.stopEnabled);
}

// Each gesture starts from the file above with one node selected ({section, item}, item -1 for the
// section itself, section -1 for none).
TEST_F(TablePage, GesturesGiveTheirTreesStatusesAndFlags) {
    struct Case {
        const char* name;
        int section, item;
        std::function<void(TablePageModel&)> gesture;
        std::vector<std::string> lines;
        std::string status;
        std::uint32_t flags;
        std::string selected;  // the selection's text afterwards
    };
    const std::vector<std::string> unchanged = {"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav", "*Friday",
                                                "  17:00=Weekend.mid"};
    const std::vector<Case> cases = {
        {"New item goes last into the selected item's section",
         0,
         0,
         [](TablePageModel& p) { p.Command(TableCommand::NewItem); },
         {"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav", "  08:00=FileName.wav", "*Friday",
          "  17:00=Weekend.mid"},
         "Edit item in format HH:MM=FileName.ext",
         PAGE_NEW_ITEM,
         "08:00=FileName.wav"},
        {"INSERT marks the copy of the recording too",
         1,
         -1,
         [](TablePageModel& p) { p.Command(TableCommand::InsertRecording); },
         {"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav", "*Friday", "  17:00=Weekend.mid",
          "  08:00=FileName.wav"},
         "Edit item in format HH:MM=FileName.ext",
         PAGE_NEW_ITEM | PAGE_COPY_VOICE,
         "08:00=FileName.wav"},
        {"A day section is edited with its prompt",
         -1,
         0,
         [](TablePageModel& p) { p.NewSection(SectionCommand::March); },
         {"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav", "*Friday", "  17:00=Weekend.mid", "March dd"},
         "Edit day in format DD",
         PAGE_NEW_SECTION,
         "March dd"},
        {"A section that exists is only selected", -1, 0,
         [](TablePageModel& p) { p.NewSection(SectionCommand::Friday); }, unchanged, "<bar>", 0, "Friday"},
        {"The Insert key without a cut buffer is the control's", 0, 1,
         [](TablePageModel& p) { EXPECT_FALSE(p.KeyDown(TableKey::Insert)); }, unchanged, "<bar>", 0,
         "08:00=Teapot.wav"},
        {"The Delete key cuts an item",
         0,
         1,
         [](TablePageModel& p) { EXPECT_TRUE(p.KeyDown(TableKey::Delete)); },
         {"*Everyday", "  07:30=WakeUp.wav", "*Friday", "  17:00=Weekend.mid"},
         "<bar>",
         0,
         "Everyday"},
        {"Delete then Insert on a section puts the item first in it",
         0,
         0,
         [&](TablePageModel& p) {
             p.KeyDown(TableKey::Delete);
             tree.Select(tree.At(1));
             EXPECT_TRUE(p.KeyDown(TableKey::Insert));
         },
         {"*Everyday", "  08:00=Teapot.wav", "*Friday", "  07:30=WakeUp.wav", "  17:00=Weekend.mid"},
         "<bar>",
         0,
         "07:30=WakeUp.wav"},
        {"Moving up within a section",
         0,
         1,
         [](TablePageModel& p) { EXPECT_TRUE(p.KeyDown(TableKey::MoveUp)); },
         {"*Everyday", "  08:00=Teapot.wav", "  07:30=WakeUp.wav", "*Friday", "  17:00=Weekend.mid"},
         "<bar>",
         0,
         "08:00=Teapot.wav"},
        {"Moving down past the last item goes first into the next section",
         0,
         1,
         [](TablePageModel& p) { EXPECT_TRUE(p.KeyDown(TableKey::MoveDown)); },
         {"*Everyday", "  07:30=WakeUp.wav", "*Friday", "  08:00=Teapot.wav", "  17:00=Weekend.mid"},
         "<bar>",
         0,
         "08:00=Teapot.wav"},
        {"Moving up past the first item goes last into the previous section",
         1,
         0,
         [](TablePageModel& p) { EXPECT_TRUE(p.KeyDown(TableKey::MoveUp)); },
         {"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav", "  17:00=Weekend.mid", "*Friday"},
         "<bar>",
         0,
         "17:00=Weekend.mid"},
        {"Nothing lies above the first item, and sections do not move", 0, 0,
         [&](TablePageModel& p) {
             EXPECT_FALSE(p.KeyDown(TableKey::MoveUp));
             tree.Select(tree.At(1));
             EXPECT_FALSE(p.KeyDown(TableKey::MoveDown));
         },
         unchanged, "<bar>", 0, "Friday"},
        {"A dropped file becomes an item of the section under it",
         1,
         -1,
         [&](TablePageModel& p) { p.DropFile(tree.At(0), "/home/ann/Sounds/gong.wav"); },
         {"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav", "  08:00=/home/ann/Sounds/gong.wav", "*Friday",
          "  17:00=Weekend.mid"},
         "Edit item in format HH:MM=FileName.ext",
         PAGE_NEW_ITEM,
         "08:00=/home/ann/Sounds/gong.wav"},
        {"A drop of nothing adds nothing", 0, 0, [](TablePageModel& p) { p.DropFile(nullptr, ""); }, unchanged, "<bar>",
         0, "07:30=WakeUp.wav"},
        {"Save writes and says so", -1, 0, [](TablePageModel& p) { p.Command(TableCommand::Save); }, unchanged, "OK", 0,
         ""},
    };
    for (const Case& c : cases) {
        files.files[kConfig] = kFile;
        page.Command(TableCommand::Reload);
        page.OnStop();  // the bar in the status line's place again
        page.Command(TableCommand::Reload);
        tree.editing = nullptr;
        if (c.section >= 0) {
            const auto section = static_cast<std::size_t>(c.section);
            tree.Select(c.item < 0 ? tree.At(section) : tree.At(section, static_cast<std::size_t>(c.item)));
        }
        c.gesture(page);
        EXPECT_EQ(tree.Lines(), c.lines) << c.name;
        EXPECT_EQ(Status(), c.status) << c.name;
        EXPECT_EQ(page.PageFlags(), c.flags) << c.name;
        EXPECT_EQ(tree.Selected() ? tree.Text(tree.Selected(), 100) : "", c.selected) << c.name;
        if (c.flags != 0) {
            EXPECT_EQ(tree.editing, tree.Selected()) << c.name;
        }
        // Whatever edit a gesture began ends before the next one.
        if (tree.editing) EndEdit(std::nullopt);
    }
}

TEST_F(TablePage, TheContextMenuSelectsTheNodeUnderThePointerAndOffersInsertOnlyWithACutBuffer) {
    EXPECT_FALSE(page.OpenContextMenu(tree.At(1, 0)));
    EXPECT_EQ(tree.Selected(), tree.At(1, 0));
    EXPECT_FALSE(page.OpenContextMenu(nullptr));
    EXPECT_EQ(tree.Selected(), tree.At(1, 0));
    page.Command(TableCommand::Delete);
    EXPECT_TRUE(page.OpenContextMenu(tree.At(0)));
    EXPECT_EQ(tree.Selected(), tree.At(0));
}

TEST_F(TablePage, ADragMovesOrWithTheCopyKeyCopiesAndAFailedDropBeeps) {
    for (const bool copy : {false, true}) {
        files.files[kConfig] = kFile;
        page.Command(TableCommand::Reload);
        EXPECT_EQ(page.BeginDrag(tree.At(0, 0), copy), copy ? DragCursor::Copy : DragCursor::Move);
        page.DragOver(tree.At(1), PointerPlace::Inside);
        page.Drop();
        const std::vector<std::string> moved = {"*Everyday", "  08:00=Teapot.wav", "*Friday", "  07:30=WakeUp.wav",
                                                "  17:00=Weekend.mid"};
        const std::vector<std::string> copied = {"*Everyday", "  07:30=WakeUp.wav", "  08:00=Teapot.wav",
                                                 "*Friday",   "  07:30=WakeUp.wav", "  17:00=Weekend.mid"};
        EXPECT_EQ(tree.Lines(), copy ? copied : moved);
    }
    EXPECT_EQ(view.beeps, 0);
    EXPECT_FALSE(page.BeginDrag(tree.At(0), false));  // sections stay
    page.BeginDrag(tree.At(0, 0), false);
    page.DragOver(nullptr, PointerPlace::Below);
    page.Drop();
    EXPECT_EQ(view.beeps, 1);
}

TEST_F(TablePage, TheStatusLineAndTheBarShareTheirPlace) {
    page.Command(TableCommand::Save);
    EXPECT_EQ(Status(), "OK");
    page.OnRecord();
    EXPECT_EQ(recordings, std::vector<std::string>{kVoice});
    EXPECT_EQ(Status(), "<bar>");
    EXPECT_EQ(view.controls.progress, 0);
    settings.flags.fetch_or(FLAG_RECORD_BUSY);
    page.OnTimer(5);
    EXPECT_EQ(view.controls.progress, 1);
    EXPECT_EQ(view.controls.progressRange, 5);
    // A new item's prompt takes the bar's place while the recording runs on.
    page.Command(TableCommand::NewItem);
    EXPECT_EQ(Status(), "Edit item in format HH:MM=FileName.ext");
    // Leaving the page ends the recording and shows the bar again.
    page.LeaveTab();
    EXPECT_EQ(settings.flags.load() & FLAG_RECORD_BUSY, 0u);
    EXPECT_EQ(Status(), "<bar>");
    EXPECT_TRUE(view.controls.recordEnabled);
}

TEST_F(TablePage, ClosingCancelsARecordingThatHasNotBegun) {
    page.OnRecord();
    page.Close();
    EXPECT_NE(settings.flags.load() & FLAG_RECORD_CANCELLED, 0u);
}

TEST_F(TablePage, AFileThatCannotBeReadIsReportedInABox) {
    files.unreadable.insert(kConfig);
    page.Command(TableCommand::Reload);
    EXPECT_EQ(view.fileErrors, std::vector<std::string>{
                                   "The time-table file\nC:\\Apps\\Tockbell.ini\ncan neither be opened nor created."});
    EXPECT_TRUE(tree.Lines().empty());
}

}  // namespace
}  // namespace tockbell
