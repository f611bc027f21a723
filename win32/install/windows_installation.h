#pragma once

#include <windows.h>
#include <shlobj.h>

#include "platform/installation.h"

namespace tockbell {

// The Run key of the current user (read and written) and of the machine (only cleaned).
class RegistryStartupEntries : public StartupEntries {
public:
    std::optional<std::string> ReadUserValue(const std::string& name) override;
    // Windows names one file by any case of its path.
    bool NamesProgram(const std::string& stored, const std::string& program) override;
    void WriteUserValue(const std::string& name, const std::string& value) override;
    void DeleteUserValue(const std::string& name) override;
    void DeleteMachineValue(const std::string& name) override;
};

// The shortcut "<name>.lnk" in the Start menu's Programs folder of the current user, through the
// shell; in C:\WINDOWS when the shell names no Programs folder.
class ShellProgramMenu : public ProgramMenu {
public:
    std::optional<std::string> EntryPath(const std::string& name) override;
    // The shortcut's description is its name.
    void CreateEntry(const std::string& name, const std::string& target) override;
    // None: the program installs itself for the user who starts it, and no installer puts its
    // shortcut among every user's programs.
    std::optional<std::string> SharedEntryTarget(const std::string& name) override;
    // None when the shell cannot name the folder.
    virtual std::optional<std::string> ProgramsFolder();
};

class SystemDeferredDelete : public DeferredDelete {
public:
    bool HasPendingDelete() override;
    void DeleteAtRestart(const std::string& path) override;
    std::string ShortPath(const std::string& path) override;
    // WININIT.INI in the Windows folder.
    std::string RenameProfilePath() override;
};

// Writes a shell link at `linkPath` to `target`; the component library must be initialised.
// Returns the status of the save, or of the first call that failed.
HRESULT CreateShellShortcut(const char* target, const char* linkPath, const char* description);

// Releases an item list from the shell through the shell's allocator; an empty list is no error.
void FreeShellItemList(LPITEMIDLIST list);

}  // namespace tockbell
