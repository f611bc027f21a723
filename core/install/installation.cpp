#include "core/install/installation.h"

namespace tockbell {

void RegisterAutostart(Installation& installation) {
    const std::string& name = installation.entryName;
    const std::optional<std::string> stored = installation.startup.ReadUserValue(name);
    if (stored && installation.startup.NamesProgram(*stored, installation.programPath)) return;

    installation.startup.WriteUserValue(name, installation.programPath);
    installation.startup.DeleteMachineValue(name);
    // A packaged program has its menu entry already: a user's entry would show it twice.
    const std::optional<std::string> shared = installation.menu.SharedEntryTarget(name);
    if (shared && installation.startup.NamesProgram(*shared, installation.programPath)) return;
    installation.menu.CreateEntry(name, installation.programPath);
}

void UninstallProgram(Installation& installation) {
    const std::string& name = installation.entryName;
    installation.startup.DeleteUserValue(name);
    // Only where the system names the folder: an entry written to a fallback place stays.
    if (const std::optional<std::string> entry = installation.menu.EntryPath(name)) {
        installation.files.Remove(*entry);
    }
    const ProgramFiles& own = installation.programFiles;
    // The recorded message stays: it is the user's.
    for (const std::string& file : {own.Backup(), own.Settings(), own.Notes()}) installation.files.Remove(file);
    if (!installation.deferredDeletion) return;
    DeferredDelete& deferred = installation.deferredDeletion->system;
    if (deferred.HasPendingDelete()) {
        deferred.DeleteAtRestart(installation.programPath);
    } else {
        installation.deferredDeletion->profile.Write(deferred.RenameProfilePath(), "Rename", "NUL",
                                                     deferred.ShortPath(installation.programPath));
    }
}

}  // namespace tockbell
