#pragma once

#include <optional>
#include <string>

namespace tockbell {

// The start-at-log-on entries: a value of the current user's Run key, and the same value of the
// machine's Run key, which is only ever removed.
class StartupEntries {
public:
    virtual ~StartupEntries() = default;
    // None when the value cannot be read.
    virtual std::optional<std::string> ReadUserValue(const std::string& name) = 0;
    virtual void WriteUserValue(const std::string& name, const std::string& value) = 0;
    virtual void DeleteUserValue(const std::string& name) = 0;
    virtual void DeleteMachineValue(const std::string& name) = 0;
};

// The Start menu's Programs folder and the shortcuts in it.
class ProgramMenu {
public:
    virtual ~ProgramMenu() = default;
    // None when the shell cannot name the folder.
    virtual std::optional<std::string> ProgramsFolder() = 0;
    // Writes (or overwrites) a shortcut at `linkPath` to `target`.
    virtual void CreateShortcut(const std::string& target, const std::string& linkPath,
                                const std::string& description) = 0;
};

// Deleting the running program when the system next starts.
class DeferredDelete {
public:
    virtual ~DeferredDelete() = default;
    // True on the NT family, which deletes through MoveFileExA; the others read WININIT.INI.
    virtual bool HasPendingDelete() = 0;
    virtual void DeleteAtRestart(const std::string& path) = 0;
    virtual std::string ShortPath(const std::string& path) = 0;
    virtual std::string WindowsFolder() = 0;
};

}  // namespace tockbell
