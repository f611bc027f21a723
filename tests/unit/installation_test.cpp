#include "core/install/installation.h"

#include <map>
#include <set>
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
constexpr const char* kFallbackLink = "C:\\WINDOWS\\Striking Tockbell.lnk";

// The registry, the shell and the restart in memory; every change is logged in order.
class FakeSystem : public StartupEntries, public ProgramMenu, public DeferredDelete {
public:
    std::optional<std::string> ReadUserValue(const std::string& name) override {
        const auto found = userValues.find(name);
        if (found == userValues.end()) return std::nullopt;
        return found->second;
    }
    bool NamesProgram(const std::string& stored, const std::string& program) override {
        return stored == program || otherSpellings.count(stored) > 0;
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
    std::optional<std::string> EntryPath(const std::string& name) override {
        if (!programsFolder) return std::nullopt;
        return *programsFolder + "\\" + name + ".lnk";
    }
    void CreateEntry(const std::string& name, const std::string& target) override {
        const std::string path = EntryPath(name).value_or(kFallbackLink);
        files->files[path] = target + "|" + name;
        log.push_back("entry " + path);
    }
    std::optional<std::string> SharedEntryTarget(const std::string&) override { return sharedEntry; }
    bool HasPendingDelete() override { return ntFamily; }
    void DeleteAtRestart(const std::string& path) override { log.push_back("delete at restart " + path); }
    std::string ShortPath(const std::string&) override { return "C:\\APPS\\TOCKBE~1.EXE"; }
    std::string RenameProfilePath() override { return "C:\\WINDOWS\\WININIT.INI"; }

    std::map<std::string, std::string> userValues, machineValues;
    std::set<std::string> otherSpellings;  // stored values the system takes as naming the program too
    std::optional<std::string> programsFolder = kPrograms;
    std::optional<std::string> sharedEntry;  // what a menu entry installed for every user starts
    bool ntFamily = true;
    FakeFileSystem* files = nullptr;
    std::vector<std::string> log;
};

class InstallationTest : public testing::Test {
protected:
    InstallationTest() { system.files = &files; }
    Installation At(const std::string& program) {
        return Installation{
            kName, program, ProgramFiles(program), system, system, files, DeferredDeletion{system, profile}};
    }
    std::vector<std::string> TakeLog() { return std::exchange(system.log, {}); }
    std::vector<std::string> FilesLeft() const {
        std::vector<std::string> left;
        for (const auto& [path, content] : files.files) left.push_back(path);
        return left;
    }

    FakeFileSystem files;
    PortableProfileStrings profile{files};
    FakeSystem system;
};

TEST_F(InstallationTest, FirstStartRegistersAndMakesTheShortcut) {
    system.machineValues[kName] = "C:\\Old\\Tockbell.exe";
    Installation installation = At(kProgram);
    RegisterAutostart(installation);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"user value C:\\Apps\\Tockbell.exe", "delete machine value",
                                                   std::string("entry ") + kLink}));
    EXPECT_EQ(files.files[kLink], std::string(kProgram) + "|" + kName);
    EXPECT_TRUE(system.machineValues.empty());
}

// A menu entry installed for every user shows the program already; one for another copy does not.
TEST_F(InstallationTest, AnEntryForEveryUserThatStartsTheProgramTakesThePlaceOfTheUsers) {
    struct Case {
        const char* shared;
        bool userEntry;
    };
    for (const Case c :
         {Case{kProgram, false}, Case{"c:\\APPS\\tockbell.EXE", false}, Case{"D:\\Old\\Tockbell.exe", true}}) {
        SCOPED_TRACE(c.shared);
        system.userValues.clear();
        files.files.clear();
        system.otherSpellings = {"c:\\APPS\\tockbell.EXE"};
        system.sharedEntry = c.shared;
        Installation installation = At(kProgram);
        RegisterAutostart(installation);
        EXPECT_EQ(system.userValues[kName], kProgram);
        EXPECT_EQ(files.files.count(kLink), c.userEntry ? 1u : 0u);
    }
}

TEST_F(InstallationTest, LaterStartsOfTheSameProgramWriteNothing) {
    Installation installation = At(kProgram);
    RegisterAutostart(installation);
    files.files.erase(kLink);  // the user deleted the shortcut
    TakeLog();
    RegisterAutostart(installation);
    system.otherSpellings = {"c:\\APPS\\tockbell.EXE"};
    system.userValues[kName] = "c:\\APPS\\tockbell.EXE";
    RegisterAutostart(installation);
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(files.files.count(kLink), 0u);
}

TEST_F(InstallationTest, AValueTheSystemTakesForAnotherProgramIsRewritten) {
    system.userValues[kName] = "c:\\APPS\\tockbell.EXE";
    Installation installation = At(kProgram);
    RegisterAutostart(installation);
    EXPECT_EQ(system.userValues[kName], kProgram);
    EXPECT_EQ(files.files.count(kLink), 1u);
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

TEST_F(InstallationTest, AnEntryWrittenWhereTheMenuNamesNoFolderStaysAtUninstall) {
    system.programsFolder.reset();
    Installation installation = At(kProgram);
    RegisterAutostart(installation);
    EXPECT_EQ(files.files.count(kFallbackLink), 1u);
    UninstallProgram(installation);
    EXPECT_EQ(files.files.count(kFallbackLink), 1u);
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
    EXPECT_EQ(FilesLeft(),
              (std::vector<std::string>{"C:\\Apps\\Other.ini", "C:\\Apps\\Tockbell.exe", "C:\\Apps\\Tockbell.wav"}));
}

TEST_F(InstallationTest, FilesApartFromTheExecutableAreRemovedAndNoExecutableIsDeletedWithoutADeferredDelete) {
    const std::string base = "/home/me/.config/tockbell/tockbell";
    Installation installation{kName, "/usr/bin/tockbell", ProgramFiles(base), system, system, files, std::nullopt};
    for (const char* extension : {".ini", ".bak", ".txt", ".wav"}) files.files[base + extension] = "x";
    files.files["/usr/bin/tockbell"] = "x";
    files.files["/usr/bin/tockbell.ini"] = "x";
    UninstallProgram(installation);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"delete user value"}));
    EXPECT_EQ(FilesLeft(), (std::vector<std::string>{base + ".wav", "/usr/bin/tockbell", "/usr/bin/tockbell.ini"}));
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
