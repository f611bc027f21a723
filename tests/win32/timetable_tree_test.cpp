// The Table page's time-table tree on a real tree control: the fill with bold sections, in-place
// edits ending with and without text, the Delete and Insert keys, the status line and the scroll;
// and the recorder's controls beside it.
#include "win32/settings/table_page_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/config/portable_profile_strings.h"
#include "platform/fakes/fake_recording_device.h"
#include "resource.h"
#include "tests/win32/table_page_host.h"
#include "win32/chime/win32_sound.h"
#include "win32/config/win32_file_system.h"

namespace tockbell {
namespace {

// A recorder thread that waits until the test lets it run.
class HeldThreads : public WorkerThreads {
public:
    void StartLowestPriority(std::function<void()> body) override { held.push_back(std::move(body)); }
    std::vector<std::function<void()>> held;
};

class TimeTableTreeControl : public testing::Test {
protected:
    TimeTableTreeControl() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        host = std::make_unique<TablePageHost>(parent);
        page = host->Page();
        tree = GetDlgItem(page, IDC_TREE);
    }
    ~TimeTableTreeControl() override {
        host.reset();
        DestroyWindow(parent);
        std::filesystem::remove_all(folder);
    }

    TablePageModel& Open(const std::string& file) {
        files.Write(config, file);
        MakeView();
        view->Model().Load();
        return view->Model();
    }
    void MakeView() {
        view = std::make_unique<CTablePageView>(page, &store, files, settings, voice, recording, sounds);
        TablePageHost::view = view.get();
    }

    // Sections as their text, "*" in front when bold; items indented by two blanks.
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (HTREEITEM section = TreeView_GetRoot(tree); section; section = TreeView_GetNextSibling(tree, section)) {
            const bool bold = (TreeView_GetItemState(tree, section, TVIS_BOLD) & TVIS_BOLD) != 0;
            lines.push_back(std::string(bold ? 1 : 0, '*').append(Text(section)));
            for (HTREEITEM item = TreeView_GetChild(tree, section); item; item = TreeView_GetNextSibling(tree, item)) {
                lines.push_back("  " + Text(item));
            }
        }
        return lines;
    }
    std::string Text(HTREEITEM item) {
        return Win32TreeControl(tree).Text(Win32TreeControl::Node(item), std::string::npos);
    }
    HTREEITEM Item(int section, int item) {
        HTREEITEM node = TreeView_GetRoot(tree);
        for (int i = 0; i < section; ++i) node = TreeView_GetNextSibling(tree, node);
        if (item < 0) return node;
        node = TreeView_GetChild(tree, node);
        for (int i = 0; i < item; ++i) node = TreeView_GetNextSibling(tree, node);
        return node;
    }
    std::string Status() {
        char text[128] = {};
        GetDlgItemTextA(page, IDC_STATUS, text, sizeof text);
        return text;
    }
    bool Shows(int id) { return (GetWindowLongA(GetDlgItem(page, id), GWL_STYLE) & WS_VISIBLE) != 0; }
    // Types TEXT into the open label edit and ends it as Enter would.
    void FinishEdit(const char* text) {
        const HWND edit = TreeView_GetEditControl(tree);
        ASSERT_NE(edit, nullptr);
        SetWindowTextA(edit, text);
        TreeView_EndEditLabelNow(tree, FALSE);
        Pump();
    }
    static void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    void Key(WPARAM key) { SendMessageA(tree, WM_KEYDOWN, key, 0); }

    const std::string folder = (std::filesystem::temp_directory_path() / "tockbell_tree_test").string();
    const std::string config = folder + "\\tockbell.ini";
    Win32FileSystem files;
    PortableProfileStrings strings{files};
    ConfigStore store{files, strings, config, folder + "\\tockbell.bak"};
    ClockSettings settings{8};
    const std::string voice = folder + "\\tockbell.wav";
    FakeRecordingDevices devices{files};
    HeldThreads threads;
    ResourceWaveSounds waves{GetModuleHandleA(nullptr)};
    MciMediaPlayer media;
    SoundServices sounds{settings.flags, waves, media, threads, [](std::chrono::milliseconds) {}};
    RecorderServices recording{settings.flags, devices, files, threads, [](std::chrono::milliseconds) {}};
    HWND parent = nullptr;
    std::unique_ptr<TablePageHost> host;
    HWND page = nullptr;
    HWND tree = nullptr;
    std::unique_ptr<CTablePageView> view;
};

const std::string kFile =
    "[Main]\r\nFlags=95,1,8,0\r\n[Everyday]\r\n07:30=WakeUp.wav\r\n12:00=a.x\r\n"
    "[Friday]\r\n17:00=Weekend.mid\r\n";

TEST_F(TimeTableTreeControl, FillsSectionsBoldWithTheirLongerLines) {
    Open(kFile);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"*Everyday", "  07:30=WakeUp.wav", "*Friday", "  17:00=Weekend.mid"}));
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
    EXPECT_FALSE(Shows(IDC_STATUS));
}

TEST_F(TimeTableTreeControl, ANewItemEndsWithTheTypedTextOrItsOwn) {
    struct Case {
        const char* typed;  // none: cancelled
        const char* status;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"07:45=Tea.wav", "OK. Item has been added", {"*Everyday", "  07:30=WakeUp.wav", "  07:45=Tea.wav"}},
        {"7:45=Tea.wav", "Deleted due to invalid format", {"*Everyday", "  07:30=WakeUp.wav"}},
        {nullptr, "OK. Item has been added", {"*Everyday", "  07:30=WakeUp.wav", "  *=FileName.wav"}},
    };
    for (const Case& test : cases) {
        TablePageModel& table = Open("[Everyday]\r\n07:30=WakeUp.wav\r\n");
        table.Command(TableCommand::NewItem);
        EXPECT_EQ(Status(), "Edit item in format HH:MM=FileName.ext");
        EXPECT_TRUE(Shows(IDC_STATUS) && !Shows(IDC_PROGRESS));
        if (test.typed) {
            FinishEdit(test.typed);
        } else {
            TreeView_EndEditLabelNow(tree, TRUE);
        }
        EXPECT_EQ(Status(), test.status);
        std::vector<std::string> lines = Lines();
        // The new item's time is the clock's.
        if (lines.size() == 3 && test.lines[2][2] == '*') lines[2] = "  *" + lines[2].substr(7);
        EXPECT_EQ(lines, test.lines) << (test.typed ? test.typed : "cancelled");
        EXPECT_EQ(table.PageFlags(), 0u);
    }
}

TEST_F(TimeTableTreeControl, AnEditKeepsAnyTextUntilSave) {
    TablePageModel& table = Open(kFile);
    TreeView_SelectItem(tree, Item(1, -1));
    table.Command(TableCommand::Edit);
    FinishEdit("Fryday");
    EXPECT_EQ(Text(Item(1, -1)), "Fryday");
    table.Command(TableCommand::Save);
    EXPECT_EQ(Status(), "Invalid format");
    EXPECT_NE(TreeView_GetEditControl(tree), nullptr);
}

TEST_F(TimeTableTreeControl, DeleteAndInsertKeysCarryTheWholeText) {
    const std::string longItem = "07:30=" + std::string(300, 'w') + ".wav";
    TablePageModel& table = Open("[Everyday]\r\n" + longItem + "\r\n08:00=b.wav\r\n[Friday]\r\n17:00=c.wav\r\n");
    Key(VK_INSERT);  // nothing cut yet
    EXPECT_EQ(Lines().size(), 5u);
    TreeView_SelectItem(tree, Item(0, 0));
    Key(VK_DELETE);
    EXPECT_EQ(table.Editor().m_cutBuffer, longItem);
    TreeView_SelectItem(tree, Item(1, -1));
    Key(VK_INSERT);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"*Everyday", "  08:00=b.wav", "*Friday", "  " + longItem, "  17:00=c.wav"}));
    EXPECT_EQ(TreeView_GetSelection(tree), Item(1, 0));
}

TEST_F(TimeTableTreeControl, ScrollingByRowsLeavesTheSelection) {
    std::string file = "[Everyday]\r\n";
    for (int minute = 10; minute < 40; ++minute) file += "07:" + std::to_string(minute) + "=Sound.wav\r\n";
    Open(file);
    TreeView_Expand(tree, Item(0, -1), TVE_EXPAND);
    TreeView_SelectItem(tree, Item(0, 0));
    Win32TreeControl control(tree);
    control.ScrollRows(3);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), Item(0, 2));
    control.ScrollRows(-1);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), Item(0, 1));
    EXPECT_EQ(TreeView_GetSelection(tree), Item(0, 0));
}

TEST_F(TimeTableTreeControl, AFileThatCannotBeOpenedLeavesTheTreeEmpty) {
    std::filesystem::remove_all(folder);  // the folder is gone: the file can be neither read nor made
    // The box is the page's: closed at once by a timer of this thread.
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (const HWND box = FindWindowA("#32770", "Tockbell")) PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MakeView();
    view->Model().Command(TableCommand::Reload);
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(std::filesystem::exists(config));
}

}  // namespace
}  // namespace tockbell

namespace tockbell {
namespace {

// The recorder's share of the page: its buttons, the bar and the status line follow the core's
// recorder through RECORD, the timer, a failure, STOP and a first recording saved after STOP.
class TablePageRecorder : public TimeTableTreeControl {
protected:
    TablePageRecorder() { Open(""); }
    std::string Buttons() {
        std::string states;
        for (const int id : {IDC_RECORD, IDC_PLAY, IDC_PAUSE, IDC_STOP, IDC_INSERT}) {
            states += IsWindowEnabled(GetDlgItem(page, id)) ? '1' : '0';
        }
        return states;
    }
    int Progress() { return static_cast<int>(SendDlgItemMessageA(page, IDC_PROGRESS, PBM_GETPOS, 0, 0)); }
    void Click(int id) { SendMessageA(page, WM_COMMAND, static_cast<WPARAM>(id), 0); }
};

TEST_F(TablePageRecorder, TheControlsFollowTheRecorder) {
    EXPECT_EQ(Buttons(), "10000");  // RECORD, PLAY, PAUSE, STOP, INSERT
    Click(IDC_RECORD);
    EXPECT_EQ(Buttons(), "00110");
    EXPECT_TRUE(Shows(IDC_PROGRESS));
    EXPECT_FALSE(Shows(IDC_STATUS));
    ASSERT_EQ(threads.held.size(), 1u);

    settings.flags.fetch_or(FLAG_RECORD_BUSY);
    SetDlgItemInt(page, IDC_DURATION, 7, TRUE);
    view->OnTimer();
    view->OnTimer();
    EXPECT_EQ(Progress(), 2);
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_PROGRESS, PBM_GETRANGE, FALSE, 0), 7);

    // The thread could keep nothing: the status line says so in the bar's place.
    settings.flags.fetch_or(FLAG_RECORD_FAILED);
    view->OnTimer();
    EXPECT_EQ(Buttons(), "10000");
    EXPECT_TRUE(Shows(IDC_STATUS));
    EXPECT_FALSE(Shows(IDC_PROGRESS));
    EXPECT_EQ(Status(), kRecordFailedMessage);

    // A recording saved after STOP brings PLAY and INSERT at the next tick.
    Click(IDC_RECORD);
    Click(IDC_STOP);
    EXPECT_EQ(Buttons(), "10000");
    EXPECT_TRUE(Shows(IDC_PROGRESS));
    settings.flags.fetch_and(~FLAG_RECORD_CANCELLED);
    devices.onModeQuery = [this] { settings.flags.fetch_and(~FLAG_RECORD_BUSY); };
    threads.held.back()();
    EXPECT_TRUE(std::filesystem::exists(voice));
    view->OnTimer();
    EXPECT_EQ(Buttons(), "11001");
    Click(IDC_PLAY);
    EXPECT_EQ(Buttons(), "10011");
}

}  // namespace
}  // namespace tockbell
