#include "core/install/installation.h"

#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "core/config/portable_profile_strings.h"
#include "platform/fakes/fake_file_system.h"

namespace tockbell {
namespace {

constexpr const char* kName = "Striking Tockbell";
constexpr const char* kProgram = "C:\\Apps\\Tockbell.exe";
constexpr const char* kPrograms = "C:\\Users\\me\\Start Menu\\Programs";
constexpr const char* kLink = "C:\\Users\\me\\Start Menu\\Programs\\Striking Tockbell.lnk";

// The registry, the shell and the restart in memory; every change is logged in order.
class FakeSystem : public StartupEntries, public ProgramMenu, public DeferredDelete {
public:
    std::optional<std::string> ReadUserValue(const std::string& name) override {
        const auto found = userValues.find(name);
        if (found == userValues.end()) return std::nullopt;
        return found->second;
    }
    void WriteUserValue(const std::string& name, const std::string& value) override {
        userValues[name] = value;
        log.push_back("user value " + value);
    }
    void DeleteUserValue(const std::string& name) override {
        userValues.erase(name);
        log.push_back("delete user value");
    }
    void DeleteMachineValue(const std::string& name) override {
        machineValues.erase(name);
        log.push_back("delete machine value");
    }
    std::optional<std::string> ProgramsFolder() override { return programsFolder; }
    void CreateShortcut(const std::string& target, const std::string& linkPath,
                        const std::string& description) override {
        files->files[linkPath] = target + "|" + description;
        log.push_back("shortcut " + linkPath);
    }
    bool HasPendingDelete() override { return ntFamily; }
    void DeleteAtRestart(const std::string& path) override { log.push_back("delete at restart " + path); }
    std::string ShortPath(const std::string&) override { return "C:\\APPS\\TOCKBE~1.EXE"; }
    std::string WindowsFolder() override { return "C:\\WINDOWS"; }

    std::map<std::string, std::string> userValues, machineValues;
    std::optional<std::string> programsFolder = kPrograms;
    bool ntFamily = true;
    FakeFileSystem* files = nullptr;
    std::vector<std::string> log;
};

class InstallationTest : public testing::Test {
protected:
    InstallationTest() { system.files = &files; }
    Installation At(const std::string& program) {
        return Installation{kName, program, system, system, files, profile, system};
    }
    std::vector<std::string> TakeLog() { return std::exchange(system.log, {}); }

    FakeFileSystem files;
    PortableProfileStrings profile{files};
    FakeSystem system;
};

TEST_F(InstallationTest, FirstStartRegistersAndMakesTheShortcut) {
    system.machineValues[kName] = "C:\\Old\\Tockbell.exe";
    Installation installation = At(kProgram);
    RegisterAutostart(installation);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"user value C:\\Apps\\Tockbell.exe", "delete machine value",
                                                   std::string("shortcut ") + kLink}));
    EXPECT_EQ(files.files[kLink], std::string(kProgram) + "|" + kName);
    EXPECT_TRUE(system.machineValues.empty());
}

TEST_F(InstallationTest, LaterStartsFromTheSamePlaceWriteNothing) {
    Installation installation = At(kProgram);
    RegisterAutostart(installation);
    files.files.erase(kLink);  // the user deleted the shortcut
    TakeLog();
    RegisterAutostart(installation);
    system.userValues[kName] = "c:\\APPS\\tockbell.EXE";
    RegisterAutostart(installation);
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(files.files.count(kLink), 0u);
}

TEST_F(InstallationTest, AMovedCopyRewritesValueAndShortcut) {
    Installation first = At(kProgram);
    RegisterAutostart(first);
    TakeLog();
    Installation moved = At("D:\\Tools\\Tockbell.exe");
    RegisterAutostart(moved);
    EXPECT_EQ(system.userValues[kName], "D:\\Tools\\Tockbell.exe");
    EXPECT_EQ(files.files[kLink], std::string("D:\\Tools\\Tockbell.exe|") + kName);
    EXPECT_EQ(TakeLog().size(), 3u);
}

TEST_F(InstallationTest, WithoutAProgramsFolderTheShortcutGoesToWindowsAndStaysAtUninstall) {
    system.programsFolder.reset();
    Installation installation = At(kProgram);
    RegisterAutostart(installation);
    const std::string fallback = "C:\\WINDOWS\\Striking Tockbell.lnk";
    EXPECT_EQ(files.files.count(fallback), 1u);
    UninstallProgram(installation);
    EXPECT_EQ(files.files.count(fallback), 1u);
}

TEST_F(InstallationTest, UninstallRemovesEverythingButTheRecording) {
    Installation installation = At(kProgram);
    RegisterAutostart(installation);
    for (const char* sibling : {"C:\\Apps\\Tockbell.ini", "C:\\Apps\\Tockbell.bak", "C:\\Apps\\Tockbell.txt",
                                "C:\\Apps\\Tockbell.wav", "C:\\Apps\\Tockbell.exe", "C:\\Apps\\Other.ini"}) {
        files.files[sibling] = "x";
    }
    TakeLog();
    UninstallProgram(installation);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"delete user value", "delete at restart C:\\Apps\\Tockbell.exe"}));
    EXPECT_TRUE(system.userValues.empty());
    std::vector<std::string> left;
    for (const auto& [path, content] : files.files) left.push_back(path);
    EXPECT_EQ(left, (std::vector<std::string>{"C:\\Apps\\Other.ini", "C:\\Apps\\Tockbell.exe", "C:\\Apps\\Tockbell.wav"}));
}

TEST_F(InstallationTest, OutsideTheNtFamilyWininitDeletesTheProgram) {
    system.ntFamily = false;
    Installation installation = At(kProgram);
    UninstallProgram(installation);
    EXPECT_EQ(profile.Read("C:\\WINDOWS\\WININIT.INI", "Rename", "NUL"), "C:\\APPS\\TOCKBE~1.EXE");
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"delete user value"}));
}

}  // namespace
}  // namespace tockbell
