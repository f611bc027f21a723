#include "core/install/installation.h"

#include "core/config/profile_text.h"
#include "core/config/sibling_path.h"

namespace tockbell {

namespace {

constexpr const char* kFallbackFolder = "C:\\WINDOWS";

std::string LinkPath(const std::string& folder, const std::string& entryName) {
    return folder + "\\" + entryName + ".lnk";
}

}  // namespace

void RegisterAutostart(Installation& installation) {
    const std::string& name = installation.entryName;
    const std::optional<std::string> stored = installation.startup.ReadUserValue(name);
    if (stored && EqualIgnoringCase(*stored, installation.programPath)) return;

    installation.startup.WriteUserValue(name, installation.programPath);
    installation.startup.DeleteMachineValue(name);
    const std::string folder = installation.menu.ProgramsFolder().value_or(kFallbackFolder);
    installation.menu.CreateShortcut(installation.programPath, LinkPath(folder, name), name);
}

void UninstallProgram(Installation& installation) {
    const std::string& name = installation.entryName;
    installation.startup.DeleteUserValue(name);
    // No fallback folder here: a shortcut written to it stays.
    if (const std::optional<std::string> folder = installation.menu.ProgramsFolder()) {
        installation.files.Remove(LinkPath(*folder, name));
    }
    for (const char* extension : {".bak", ".ini", ".txt"}) {
        installation.files.Remove(SiblingPath(installation.programPath, extension));
    }
    DeferredDelete& deferred = installation.deferredDelete;
    if (deferred.HasPendingDelete()) {
        deferred.DeleteAtRestart(installation.programPath);
    } else {
        installation.profile.Write(deferred.WindowsFolder() + "\\WININIT.INI", "Rename", "NUL",
                                   deferred.ShortPath(installation.programPath));
    }
}

}  // namespace tockbell
