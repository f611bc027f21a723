#pragma once

#include <optional>
#include <string>

namespace tockbell {

// The start-at-log-on entries: the current user's (the Run key's value on Windows, the XDG autostart
// entry on Linux), and the machine's, which is only ever removed.
class StartupEntries {
public:
    virtual ~StartupEntries() = default;
    // The program the user's entry starts; none when there is no entry or it cannot be read.
    virtual std::optional<std::string> ReadUserValue(const std::string& name) = 0;
    // True when a stored value names `program`: Windows compares paths ignoring case, Linux exactly.
    virtual bool NamesProgram(const std::string& stored, const std::string& program) = 0;
    virtual void WriteUserValue(const std::string& name, const std::string& value) = 0;
    virtual void DeleteUserValue(const std::string& name) = 0;
    virtual void DeleteMachineValue(const std::string& name) = 0;
};

// The program's entry in the menu of programs: a shortcut in the Start menu's Programs folder, or a
// desktop entry among the user's applications.
class ProgramMenu {
public:
    virtual ~ProgramMenu() = default;
    // The file of the entry `name`; none when the system names no folder for it.
    virtual std::optional<std::string> EntryPath(const std::string& name) = 0;
    // Writes (or overwrites) the entry `name` that starts `target`. Where the system names no folder,
    // the system's own fallback place, if it has one; otherwise nothing.
    virtual void CreateEntry(const std::string& name, const std::string& target) = 0;
    // The program that the entry `name` installed for every user (by a package) starts; none when
    // there is no such entry or it names no program.
    virtual std::optional<std::string> SharedEntryTarget(const std::string& name) = 0;
};

// Deleting the running program when the system next starts.
class DeferredDelete {
public:
    virtual ~DeferredDelete() = default;
    // True on the NT family, which deletes through MoveFileExA; the others read WININIT.INI.
    virtual bool HasPendingDelete() = 0;
    virtual void DeleteAtRestart(const std::string& path) = 0;
    virtual std::string ShortPath(const std::string& path) = 0;
    // The profile whose section "Rename" the system reads as it starts, where it has no pending delete.
    virtual std::string RenameProfilePath() = 0;
};

}  // namespace tockbell
