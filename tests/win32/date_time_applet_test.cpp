// "Set time": the applet is found in the system folder and entered once, straight to its dialog.
// The test's stand-in applet (built beside it) is put in place of the one Wine lacks.
#include "win32/settings/date_time_applet.h"

#include <windows.h>
#include <cpl.h>

#include <string>

#include <gtest/gtest.h>

namespace tockbell {
namespace {

using CallsFunction = int (*)(int, HWND*, UINT*, LPARAM*, LPARAM*);

std::string Beside(const char* name) {
    char path[MAX_PATH] = "";
    std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of('\\') + 1) + name;
}

std::string SystemApplet() {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\timedate.cpl";
}

// Holds the stand-in loaded, so that what it noted outlives the program's own load and release.
class StandIn {
public:
    explicit StandIn(const std::string& path) : module_(LoadLibraryA(path.c_str())) {
        calls_ = module_
                     ? reinterpret_cast<CallsFunction>(reinterpret_cast<void*>(GetProcAddress(module_, "StandInCalls")))
                     : nullptr;
    }
    ~StandIn() {
        if (module_) FreeLibrary(module_);
    }
    bool Loaded() const { return calls_ != nullptr; }
    int Calls(int index, HWND& owner, UINT& message, LPARAM& first, LPARAM& second) const {
        return calls_(index, &owner, &message, &first, &second);
    }

private:
    HMODULE module_;
    CallsFunction calls_ = nullptr;
};

void ExpectOneDoubleClick(const StandIn& standIn) {
    HWND owner = reinterpret_cast<HWND>(1);
    UINT message = 0;
    LPARAM first = -1, second = -1;
    // No opening messages, only the one that shows the dialog, without an owner window.
    EXPECT_EQ(standIn.Calls(0, owner, message, first, second), 1);
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(message, static_cast<UINT>(CPL_DBLCLK));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
}

TEST(DateTimeApplet, AnAppletIsEnteredOnceToShowItsDialog) {
    const std::string path = Beside("cpl_standin.dll");
    StandIn standIn(path);
    ASSERT_TRUE(standIn.Loaded()) << path;
    EXPECT_TRUE(RunControlPanelApplet(path, false));
    HWND owner{};
    UINT message{};
    LPARAM first{}, second{};
    EXPECT_EQ(standIn.Calls(0, owner, message, first, second), 0);  // asking is not opening
    EXPECT_FALSE(RunControlPanelApplet(path, true));
    ExpectOneDoubleClick(standIn);
}

TEST(DateTimeApplet, NothingToRunWithoutTheLibraryOrItsEntry) {
    EXPECT_FALSE(RunControlPanelApplet(Beside("no_such_applet.cpl"), false));
    EXPECT_FALSE(RunControlPanelApplet(Beside("no_such_applet.cpl"), true));
    // A library without the entry: the system's own kernel.
    EXPECT_FALSE(RunControlPanelApplet("kernel32.dll", false));
    EXPECT_FALSE(RunControlPanelApplet(std::string(300, 'a') + ".cpl", false));
}

TEST(DateTimeApplet, TheSystemFoldersAppletIsTheOneThatRuns) {
    const std::string applet = SystemApplet();
    ASSERT_EQ(GetFileAttributesA(applet.c_str()), INVALID_FILE_ATTRIBUTES) << "the prefix has an applet of its own";
    EXPECT_FALSE(RunDateTimeApplet(false));

    ASSERT_TRUE(CopyFileA(Beside("cpl_standin.dll").c_str(), applet.c_str(), TRUE));
    {
        StandIn standIn(applet);
        ASSERT_TRUE(standIn.Loaded());
        EXPECT_TRUE(RunDateTimeApplet(false));
        EXPECT_FALSE(RunDateTimeApplet(true));
        ExpectOneDoubleClick(standIn);
    }
    EXPECT_TRUE(DeleteFileA(applet.c_str()));
}

}  // namespace
}  // namespace tockbell
