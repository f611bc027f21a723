// The installation against the real registry, shell link and file calls of the platform. A name of
// its own keeps the test apart from the program's entry.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "core/config/sibling_path.h"
#include "core/install/installation.h"
#include "win32/config/program_path.h"
#include "win32/config/win32_file_system.h"
#include "win32/config/win32_profile_strings.h"
#include "win32/install/windows_installation.h"

namespace tockbell {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntry = "Tockbell Installation Test";

std::string RunValue(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return "<no key>";
    }
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    const LONG result = RegQueryValueExA(key, kEntry, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(value) : "<none>";
}

std::string PendingRenames() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS) {
        return {};
    }
    std::string value(65536, '\0');
    DWORD size = static_cast<DWORD>(value.size());
    const LONG result = RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(value.data()), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return {};
    value.resize(size);
    for (char& c : value) c = c == '\0' ? '|' : c;
    return value;
}

class InstallationWin32Test : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / "tockbell-install-test";
        fs::remove_all(folder);
        fs::create_directories(folder);
        program = (folder / "tbcopy.exe").string();
        fs::copy_file(ProgramPath(), program);
    }
    void TearDown() override {
        RegistryStartupEntries().DeleteUserValue(kEntry);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    Installation For(const std::string& path) {
        return Installation{
            kEntry, path, ProgramFiles(path), startup, menu, files, DeferredDeletion{deferredDelete, profile}};
    }
    std::string LinkPath() { return *menu.ProgramsFolder() + "\\" + kEntry + ".lnk"; }

    fs::path folder;
    std::string program;
    RegistryStartupEntries startup;
    ShellProgramMenu menu;
    Win32FileSystem files;
    Win32ProfileStrings profile;
    SystemDeferredDelete deferredDelete;
};

TEST_F(InstallationWin32Test, RegistersTheRunValueAndTheShortcut) {
    ASSERT_TRUE(menu.ProgramsFolder().has_value());
    Installation installation = For(program);
    RegisterAutostart(installation);
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), program);
    ASSERT_NE(GetFileAttributesA(LinkPath().c_str()), INVALID_FILE_ATTRIBUTES);

    // A later start from the same place leaves a deleted shortcut deleted.
    DeleteFileA(LinkPath().c_str());
    RegisterAutostart(installation);
    EXPECT_EQ(GetFileAttributesA(LinkPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallationWin32Test, TheShortcutPointsAtTheProgram) {
    Installation installation = For(program);
    RegisterAutostart(installation);
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IShellLinkA* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&link))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, LinkPath().c_str(), -1, widePath, MAX_PATH);
    ASSERT_TRUE(SUCCEEDED(file->Load(widePath, STGM_READ)));
    char target[MAX_PATH] = {};
    char description[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    link->GetDescription(description, MAX_PATH);
    file->Release();
    link->Release();
    CoUninitialize();
    EXPECT_TRUE(lstrcmpiA(target, program.c_str()) == 0) << target;
    EXPECT_STREQ(description, kEntry);
}

TEST_F(InstallationWin32Test, UninstallRemovesEntriesAndFilesAndDeletesTheProgramAtRestart) {
    Installation installation = For(program);
    RegisterAutostart(installation);
    for (const char* extension : {".ini", ".bak", ".txt", ".wav"}) {
        std::ofstream(SiblingPath(program, extension)) << "x";
    }
    UninstallProgram(installation);
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), "<none>");
    EXPECT_EQ(GetFileAttributesA(LinkPath().c_str()), INVALID_FILE_ATTRIBUTES);
    for (const char* extension : {".ini", ".bak", ".txt"}) {
        EXPECT_FALSE(fs::exists(SiblingPath(program, extension))) << extension;
    }
    EXPECT_TRUE(fs::exists(SiblingPath(program, ".wav")));
    EXPECT_TRUE(fs::exists(program));  // until the next restart
    EXPECT_NE(PendingRenames().find("tbcopy.exe"), std::string::npos) << PendingRenames();
}

TEST(RegistryStartupEntriesTest, AStoredValueNamesTheProgramInAnyCase) {
    struct Case {
        const char* stored;
        bool namesProgram;
    };
    const Case cases[] = {
        {"C:\\Apps\\Tockbell.exe", true}, {"c:\\APPS\\tockbell.EXE", true},  {"C:\\Apps\\Tockbell.exe ", false},
        {"C:\\Apps\\Tockbell", false},    {"D:\\Apps\\Tockbell.exe", false}, {"", false},
    };
    RegistryStartupEntries startup;
    for (const Case& c : cases) {
        EXPECT_EQ(startup.NamesProgram(c.stored, "C:\\Apps\\Tockbell.exe"), c.namesProgram) << c.stored;
    }
}

// The shell as it is when it cannot name the Programs folder.
class NoProgramsFolderMenu : public ShellProgramMenu {
public:
    std::optional<std::string> ProgramsFolder() override { return std::nullopt; }
};

TEST_F(InstallationWin32Test, WithoutAProgramsFolderTheShortcutGoesToWindowsAndStaysAtUninstall) {
    NoProgramsFolderMenu noFolder;
    Installation installation{kEntry, program, ProgramFiles(program), startup, noFolder, files, std::nullopt};
    const std::string fallback = std::string("C:\\WINDOWS\\") + kEntry + ".lnk";
    DeleteFileA(fallback.c_str());
    EXPECT_FALSE(noFolder.EntryPath(kEntry).has_value());
    RegisterAutostart(installation);
    EXPECT_NE(GetFileAttributesA(fallback.c_str()), INVALID_FILE_ATTRIBUTES);
    UninstallProgram(installation);
    EXPECT_NE(GetFileAttributesA(fallback.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(fallback.c_str());
}

}  // namespace
}  // namespace tockbell
