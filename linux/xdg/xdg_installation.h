#pragma once

#include <optional>
#include <string>
#include <vector>

#include "linux/xdg/folder_maker.h"
#include "linux/xdg/xdg_folders.h"
#include "platform/file_system.h"
#include "platform/installation.h"

namespace tockbell {

// The user's XDG autostart entry "<config>/autostart/tockbell.desktop", standing for the Run value:
// its Exec names the program it starts. The system's autostart folder belongs to the system's
// packages and is never touched.
class XdgStartupEntries : public StartupEntries {
public:
    // With no folder there is no entry to read, and none is written.
    XdgStartupEntries(std::optional<std::string> autostartFolder, FileSystem& files, FolderMaker& folders);

    // None when the entry is missing, unreadable or names no program.
    std::optional<std::string> ReadUserValue(const std::string& name) override;
    // A path names one file only as it is spelled.
    bool NamesProgram(const std::string& stored, const std::string& program) override;
    void WriteUserValue(const std::string& name, const std::string& value) override;
    void DeleteUserValue(const std::string& name) override;
    // Nothing: a machine-wide entry is the system's.
    void DeleteMachineValue(const std::string& name) override;

private:
    std::optional<std::string> folder_;
    FileSystem& files_;
    FolderMaker& folders_;
};

// The user's menu entry "<data>/applications/tockbell.desktop", and the one a package installed in
// the system's data folders.
class XdgProgramMenu : public ProgramMenu {
public:
    // With no folder there is no user's entry, and none is written.
    XdgProgramMenu(const XdgFolders& folders, FileSystem& files, FolderMaker& folderMaker);

    std::optional<std::string> EntryPath(const std::string& name) override;
    void CreateEntry(const std::string& name, const std::string& target) override;
    // The entry of the first data folder that has one, as the menu shows it; its program named
    // without a folder is the first file of that name in $PATH's folders.
    std::optional<std::string> SharedEntryTarget(const std::string& name) override;

private:
    std::optional<std::string> folder_;
    std::vector<std::string> sharedFolders_;
    std::vector<std::string> commandFolders_;
    FileSystem& files_;
    FolderMaker& folders_;
};

// At every start of the first copy: writes the autostart entry when it is missing or starts another
// executable, and only then the menu entry. Nothing when `executable` is not an absolute path or the
// folders name no place for the program's files.
void RegisterAutostart(const XdgFolders& folders, const std::string& executable, FileSystem& files,
                       FolderMaker& folderMaker);

// At the end of a run after "Uninstall Tockbell": removes both entries and the program's settings,
// backup and text files, and keeps the recorded message. The executable stays: it belongs to a
// package or a build folder.
void UninstallProgram(const XdgFolders& folders, const std::string& executable, FileSystem& files,
                      FolderMaker& folderMaker);

}  // namespace tockbell
