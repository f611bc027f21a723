#include "linux/xdg/xdg_installation.h"

#include <utility>

#include "core/config/file_replace.h"
#include "core/install/installation.h"
#include "linux/xdg/desktop_entry.h"

namespace tockbell {

namespace {

// The program's desktop file ID in both folders; the entry's name is the Windows Run value's and
// names no file here.
constexpr const char* kDesktopFile = "tockbell.desktop";
constexpr const char* kEntryName = "Striking Tockbell";

std::optional<std::string> EntryIn(const std::optional<std::string>& folder) {
    if (!folder) return std::nullopt;
    return *folder + "/" + kDesktopFile;
}

// Through a temporary sibling, so that a half-written entry never starts a broken program.
void WriteEntry(const std::optional<std::string>& folder, DesktopEntryKind kind, const std::string& executable,
                FileSystem& files, FolderMaker& folders) {
    if (!folder || !folders.MakeFolders(*folder)) return;
    ReplaceFileContents(files, *EntryIn(folder), DesktopEntryText(kind, executable));
}

// Runs `step` on the installation the folders name; nothing when they name no place for the files.
template <class Step>
void WithInstallation(const XdgFolders& folders, const std::string& executable, FileSystem& files,
                      FolderMaker& folderMaker, Step step) {
    const std::optional<std::string> base = folders.FilesBase();
    if (!base) return;
    XdgStartupEntries startup(folders.AutostartFolder(), files, folderMaker);
    XdgProgramMenu menu(folders, files, folderMaker);
    Installation installation{kEntryName, executable, ProgramFiles(*base), startup, menu, files, std::nullopt};
    step(installation);
}

}  // namespace

XdgStartupEntries::XdgStartupEntries(std::optional<std::string> autostartFolder, FileSystem& files,
                                     FolderMaker& folders)
    : folder_(std::move(autostartFolder)), files_(files), folders_(folders) {}

std::optional<std::string> XdgStartupEntries::ReadUserValue(const std::string&) {
    const std::optional<std::string> path = EntryIn(folder_);
    if (!path) return std::nullopt;
    const FileSystem::ReadResult entry = files_.Read(*path);
    if (entry.status != FileSystem::ReadStatus::Ok) return std::nullopt;
    return DesktopEntryExecutable(entry.content);
}

bool XdgStartupEntries::NamesProgram(const std::string& stored, const std::string& program) {
    return stored == program;
}

void XdgStartupEntries::WriteUserValue(const std::string&, const std::string& value) {
    WriteEntry(folder_, DesktopEntryKind::Autostart, value, files_, folders_);
}

void XdgStartupEntries::DeleteUserValue(const std::string&) {
    if (const std::optional<std::string> path = EntryIn(folder_)) files_.Remove(*path);
}

void XdgStartupEntries::DeleteMachineValue(const std::string&) {}

XdgProgramMenu::XdgProgramMenu(const XdgFolders& folders, FileSystem& files, FolderMaker& folderMaker)
    : folder_(folders.ApplicationsFolder()),
      sharedFolders_(folders.SharedApplicationsFolders()),
      commandFolders_(folders.commandFolders),
      files_(files),
      folders_(folderMaker) {}

std::optional<std::string> XdgProgramMenu::EntryPath(const std::string&) { return EntryIn(folder_); }

void XdgProgramMenu::CreateEntry(const std::string&, const std::string& target) {
    WriteEntry(folder_, DesktopEntryKind::Menu, target, files_, folders_);
}

std::optional<std::string> XdgProgramMenu::SharedEntryTarget(const std::string&) {
    for (const std::string& folder : sharedFolders_) {
        const FileSystem::ReadResult entry = files_.Read(*EntryIn(folder));
        if (entry.status != FileSystem::ReadStatus::Ok) continue;
        const std::optional<std::string> program = DesktopEntryExecutable(entry.content);
        if (!program || program->find('/') != std::string::npos) return program;
        for (const std::string& command : commandFolders_) {
            const std::string path = (command.back() == '/' ? command : command + "/") + *program;
            if (files_.StampOf(path)) return path;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

void RegisterAutostart(const XdgFolders& folders, const std::string& executable, FileSystem& files,
                       FolderMaker& folderMaker) {
    if (executable.empty() || executable.front() != '/') return;  // an entry could not find it
    WithInstallation(folders, executable, files, folderMaker,
                     [](Installation& installation) { RegisterAutostart(installation); });
}

void UninstallProgram(const XdgFolders& folders, const std::string& executable, FileSystem& files,
                      FolderMaker& folderMaker) {
    WithInstallation(folders, executable, files, folderMaker,
                     [](Installation& installation) { UninstallProgram(installation); });
}

}  // namespace tockbell
