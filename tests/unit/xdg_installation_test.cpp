#include "linux/xdg/xdg_installation.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "linux/xdg/desktop_entry.h"
#include "platform/fakes/fake_file_system.h"
#include "posix/posix_file_system.h"

namespace tockbell {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "/opt/my tools/tockbell";
constexpr const char* kAutostartFolder = "/home/me/.config/autostart";
constexpr const char* kApplicationsFolder = "/home/me/.local/share/applications";
constexpr const char* kAutostart = "/home/me/.config/autostart/tockbell.desktop";
constexpr const char* kMenu = "/home/me/.local/share/applications/tockbell.desktop";

// Folders in memory: every request is logged; a refused folder cannot be made.
class FakeFolderMaker : public FolderMaker {
public:
    bool MakeFolders(const std::string& path) override {
        made.push_back(path);
        return refused.count(path) == 0;
    }

    std::vector<std::string> made;
    std::set<std::string> refused;
};

class XdgInstallationTest : public testing::Test {
protected:
    void Start(const std::string& program = kProgram) { RegisterAutostart(folders, program, files, folderMaker); }
    void Uninstall() { UninstallProgram(folders, kProgram, files, folderMaker); }
    std::vector<std::string> FilesLeft() const {
        std::vector<std::string> left;
        for (const auto& [path, content] : files.files) left.push_back(path);
        return left;
    }

    XdgFolders folders{"/home/me/.config", "/home/me/.local/share"};
    FakeFileSystem files;
    FakeFolderMaker folderMaker;
};

TEST_F(XdgInstallationTest, TheFirstStartWritesBothEntriesInFoldersItMakes) {
    Start();
    EXPECT_EQ(files.files[kAutostart], DesktopEntryText(DesktopEntryKind::Autostart, kProgram));
    EXPECT_EQ(files.files[kMenu], DesktopEntryText(DesktopEntryKind::Menu, kProgram));
    EXPECT_EQ(FilesLeft(), (std::vector<std::string>{kAutostart, kMenu}));  // no temporary file stays
    EXPECT_EQ(folderMaker.made, (std::vector<std::string>{kAutostartFolder, kApplicationsFolder}));
}

// A package's menu entry in the system's data folders, as the menu finds it, takes the place of the
// user's when it starts this program.
struct SharedEntryCase {
    const char* what;
    std::map<std::string, std::string> files;  // beside the shared entries: the programs on PATH
    const char* program;
    bool userEntry;
};

TEST_F(XdgInstallationTest, APackagesMenuEntryThatStartsTheProgramTakesThePlaceOfTheUsers) {
    const std::string local = "/usr/local/share/applications/tockbell.desktop";
    const std::string shared = "/usr/share/applications/tockbell.desktop";
    const std::string byName = DesktopEntryText(DesktopEntryKind::Menu, "tockbell");
    const std::string byPath = DesktopEntryText(DesktopEntryKind::Menu, "/usr/bin/tockbell");
    const std::string other = DesktopEntryText(DesktopEntryKind::Menu, "/opt/old/tockbell");
    const SharedEntryCase cases[] = {
        {"by its name, on PATH", {{shared, byName}, {"/usr/bin/tockbell", ""}}, "/usr/bin/tockbell", false},
        {"by its path", {{shared, byPath}}, "/usr/bin/tockbell", false},
        {"the first of PATH's programs of that name is another",
         {{shared, byName}, {"/usr/local/bin/tockbell", ""}, {"/usr/bin/tockbell", ""}},
         "/usr/bin/tockbell",
         true},
        {"the name is on no folder of PATH", {{shared, byName}}, "/usr/bin/tockbell", true},
        {"a copy in a build folder", {{shared, byName}, {"/usr/bin/tockbell", ""}}, kProgram, true},
        {"the first data folder's entry starts another", {{local, other}, {shared, byPath}}, "/usr/bin/tockbell", true},
        {"the first data folder has none",
         {{"/usr/local/share/applications/other.desktop", other}, {shared, byPath}},
         "/usr/bin/tockbell",
         false},
        {"a broken entry", {{shared, "[Desktop Entry]\nExec=\"tockbell\n"}}, "/usr/bin/tockbell", true},
    };
    folders.commandFolders = {"/usr/local/bin", "/usr/bin/"};
    for (const SharedEntryCase& c : cases) {
        SCOPED_TRACE(c.what);
        files.files = c.files;
        Start(c.program);
        EXPECT_EQ(files.files[kAutostart], DesktopEntryText(DesktopEntryKind::Autostart, c.program));
        EXPECT_EQ(files.files.count(kMenu), c.userEntry ? 1u : 0u);
        // The package's files stay as they are at the uninstall.
        UninstallProgram(folders, c.program, files, folderMaker);
        EXPECT_EQ(files.files, c.files);
    }
}

TEST_F(XdgInstallationTest, ASecondStartWritesNothing) {
    Start();
    const int steps = files.StepsTaken();
    folderMaker.made.clear();
    Start();
    EXPECT_EQ(files.StepsTaken(), steps);
    EXPECT_TRUE(folderMaker.made.empty());
}

TEST_F(XdgInstallationTest, AMenuEntryTheUserDeletedIsNotMadeAgain) {
    Start();
    files.files.erase(kMenu);
    Start();
    EXPECT_EQ(files.files.count(kMenu), 0u);
}

struct StoredCase {
    const char* what;
    std::optional<std::string> autostart;  // the entry before the start; none: missing
    bool rewritten;
};

TEST_F(XdgInstallationTest, AnAutostartEntryThatStartsAnotherProgramIsRewrittenAndTheMenuEntryMadeAgain) {
    const std::string edited =
        "[Desktop Entry]\nType=Application\nName=My clock\nExec=\"/opt/my tools/tockbell\" "
        "--quiet\nX-GNOME-Autostart-enabled=false\n";
    const StoredCase cases[] = {
        {"missing", std::nullopt, true},
        {"this program", DesktopEntryText(DesktopEntryKind::Autostart, kProgram), false},
        {"edited by the user, for this program", edited, false},
        {"another place", DesktopEntryText(DesktopEntryKind::Autostart, "/usr/bin/tockbell"), true},
        {"another case", DesktopEntryText(DesktopEntryKind::Autostart, "/opt/My Tools/tockbell"), true},
        {"a trailing slash", DesktopEntryText(DesktopEntryKind::Autostart, "/opt/my tools/tockbell/"), true},
        {"broken", "[Desktop Entry]\nExec=\"/opt/my tools/tockbell\n", true},
        {"no entry group", "Exec=/opt/my tools/tockbell\n", true},
        {"empty", "", true},
    };
    for (const StoredCase& c : cases) {
        files.files.clear();
        if (c.autostart) files.files[kAutostart] = *c.autostart;
        Start();
        const std::string expected =
            c.rewritten ? DesktopEntryText(DesktopEntryKind::Autostart, kProgram) : c.autostart.value_or("");
        EXPECT_EQ(files.files[kAutostart], expected) << c.what;
        EXPECT_EQ(files.files.count(kMenu), c.rewritten ? 1u : 0u) << c.what;
    }
}

TEST_F(XdgInstallationTest, AnUnreadableAutostartEntryIsReplaced) {
    files.files[kAutostart] = "x";
    files.unreadable.insert(kAutostart);
    Start();
    EXPECT_EQ(files.files[kAutostart], DesktopEntryText(DesktopEntryKind::Autostart, kProgram));
    EXPECT_EQ(files.files.count(kMenu), 1u);
}

TEST_F(XdgInstallationTest, UninstallRemovesBothEntriesAndTheFilesButTheRecording) {
    Start();
    const std::string base = "/home/me/.config/tockbell/tockbell";
    const std::vector<std::string> kept = {"/etc/xdg/autostart/tockbell.desktop", kProgram,
                                           "/home/me/.config/autostart/other.desktop", base + ".wav"};
    for (const std::string& path : kept) files.files[path] = "x";
    for (const char* extension : {".ini", ".bak", ".txt"}) files.files[base + extension] = "x";
    Uninstall();
    EXPECT_EQ(FilesLeft(), (std::vector<std::string>{"/etc/xdg/autostart/tockbell.desktop",
                                                     "/home/me/.config/autostart/other.desktop",
                                                     base + ".wav", kProgram}));
}

TEST_F(XdgInstallationTest, WithoutAHomeNothingIsWritten) {
    folders = FindXdgFolders([](const std::string&) { return std::nullopt; });
    Start();
    Uninstall();
    EXPECT_EQ(files.StepsTaken(), 0);
    EXPECT_TRUE(folderMaker.made.empty());
}

TEST_F(XdgInstallationTest, ARelativeExecutableIsNotRegistered) {
    for (const char* program : {"", "tockbell", "./tockbell", "build/linux/tockbell"}) Start(program);
    EXPECT_EQ(files.StepsTaken(), 0);
}

TEST_F(XdgInstallationTest, WithoutADataFolderOnlyTheAutostartEntryIsWritten) {
    folders.dataHome.reset();
    Start();
    EXPECT_EQ(FilesLeft(), (std::vector<std::string>{kAutostart}));
}

TEST_F(XdgInstallationTest, AFolderThatCannotBeMadeGetsNoEntry) {
    folderMaker.refused = {kAutostartFolder, kApplicationsFolder};
    Start();
    EXPECT_TRUE(files.files.empty());
}

// The entry is whole before it takes its name: a start cut short leaves none, never half of one.
TEST_F(XdgInstallationTest, APowerCutWhileTheEntryIsWrittenLeavesNoHalfEntry) {
    files.CutPowerAtStep(1);
    EXPECT_THROW(Start(), FakeFileSystem::PowerCut);
    EXPECT_EQ(files.files.count(kAutostart), 0u);
    files.CutPowerAtStep(0);
    Start();
    EXPECT_EQ(files.files[kAutostart], DesktopEntryText(DesktopEntryKind::Autostart, kProgram));
}

// A folder of its own below the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "tockbell-xdg-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

fs::perms ModeOf(const std::string& path) { return fs::status(path).permissions() & fs::perms::mask; }

TEST(PosixFolderMakerTest, MakesEveryMissingFolderForTheUserAlone) {
    TemporaryFolder temporary;
    ASSERT_FALSE(temporary.path().empty());
    fs::permissions(temporary.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    const std::string deep = temporary.path() + "/a b/c/d";
    PosixFolderMaker maker;
    EXPECT_TRUE(maker.MakeFolders(deep));
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_EQ(ModeOf(temporary.path() + "/a b"), fs::perms::owner_all);
    EXPECT_EQ(ModeOf(deep), fs::perms::owner_all);
    EXPECT_TRUE(maker.MakeFolders(deep + "/"));
    EXPECT_TRUE(maker.MakeFolders(temporary.path()));
    EXPECT_EQ(ModeOf(temporary.path()), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);

    std::ofstream(temporary.path() + "/file") << "x";
    EXPECT_FALSE(maker.MakeFolders(temporary.path() + "/file"));
    EXPECT_FALSE(maker.MakeFolders(temporary.path() + "/file/below"));
    EXPECT_FALSE(maker.MakeFolders(""));
}

// The whole way on the real file system, in a home of its own that has no .config yet.
TEST(XdgInstallationOnDiskTest, StartAndUninstallInAFreshHome) {
    TemporaryFolder home;
    ASSERT_FALSE(home.path().empty());
    const XdgFolders folders = FindXdgFolders([&home](const std::string& name) -> std::optional<std::string> {
        if (name == "HOME") return home.path();
        return std::nullopt;
    });
    const std::string program = home.path() + "/my \"build\" $dir/tockbell";
    const std::string autostart = home.path() + "/.config/autostart/tockbell.desktop";
    const std::string menu = home.path() + "/.local/share/applications/tockbell.desktop";
    PosixFileSystem files;
    PosixFolderMaker folderMaker;

    RegisterAutostart(folders, program, files, folderMaker);
    EXPECT_EQ(files.Read(autostart).content, DesktopEntryText(DesktopEntryKind::Autostart, program));
    EXPECT_EQ(files.Read(menu).content, DesktopEntryText(DesktopEntryKind::Menu, program));
    EXPECT_EQ(ModeOf(home.path() + "/.config"), fs::perms::owner_all);
    const std::optional<FileSystem::Stamp> written = files.StampOf(autostart);
    RegisterAutostart(folders, program, files, folderMaker);
    EXPECT_EQ(files.StampOf(autostart), written);

    ASSERT_TRUE(folderMaker.MakeFolders(*folders.ProgramFolder()));
    for (const char* extension : {".ini", ".bak", ".txt", ".wav"}) {
        ASSERT_TRUE(files.Write(*folders.FilesBase() + extension, "x"));
    }
    UninstallProgram(folders, program, files, folderMaker);
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(home.path())) {
        if (entry.is_regular_file()) left.push_back(entry.path().string());
    }
    EXPECT_EQ(left, (std::vector<std::string>{home.path() + "/.config/tockbell/tockbell.wav"}));
}

}  // namespace
}  // namespace tockbell
