#include "core/install/installation.h"

#include "core/config/sibling_path.h"

namespace tockbell {

void RegisterAutostart(Installation& installation) {
    const std::string& name = installation.entryName;
    const std::optional<std::string> stored = installation.startup.ReadUserValue(name);
    if (stored && installation.startup.NamesProgram(*stored, installation.programPath)) return;

    installation.startup.WriteUserValue(name, installation.programPath);
    installation.startup.DeleteMachineValue(name);
    installation.menu.CreateEntry(name, installation.programPath);
}

void UninstallProgram(Installation& installation) {
    const std::string& name = installation.entryName;
    installation.startup.DeleteUserValue(name);
    // Only where the system names the folder: an entry written to a fallback place stays.
    if (const std::optional<std::string> entry = installation.menu.EntryPath(name)) {
        installation.files.Remove(*entry);
    }
    for (const char* extension : {".bak", ".ini", ".txt"}) {
        installation.files.Remove(SiblingPath(installation.filesBase, extension));
    }
    if (!installation.deferredDeletion) return;
    DeferredDelete& deferred = installation.deferredDeletion->system;
    if (deferred.HasPendingDelete()) {
        deferred.DeleteAtRestart(installation.programPath);
    } else {
        installation.deferredDeletion->profile.Write(deferred.WindowsFolder() + "\\WININIT.INI", "Rename", "NUL",
                                                     deferred.ShortPath(installation.programPath));
    }
}

}  // namespace tockbell
