#include "linux/app/linux_clock.h"

#include <QCoreApplication>

#include <cstdio>
#include <thread>

#include "core/app/main_commands.h"
#include "core/config/file_replace.h"
#include "core/config/settings_file.h"
#include "core/config/sibling_path.h"
#include "linux/xdg/xdg_installation.h"
#include "posix/posix_clock.h"

namespace tockbell {

namespace {

void SleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

// The configuration file in the program's folder, once the folder has proven that it takes files;
// none, said once, when it does not.
std::optional<ConfigStore> OpenConfig(const XdgFolders& folders, FileSystem& files, ProfileStrings& profile,
                                      FolderMaker& folderMaker) {
    const std::optional<std::string> folder = folders.ProgramFolder();
    const std::optional<std::string> base = folders.FilesBase();
    if (!folder || !base) {
        std::fputs("tockbell: neither XDG_CONFIG_HOME nor HOME names a folder for the settings: running on the"
                   " default settings, and nothing will be saved.\n",
                   stderr);
        return std::nullopt;
    }
    const std::string configPath = SiblingPath(*base, ".ini");
    const std::string probe = TemporarySibling(configPath);
    const bool takesFiles = folderMaker.MakeFolders(*folder) && files.Write(probe, "");
    files.Remove(probe);
    if (!takesFiles) {
        std::fprintf(stderr,
                     "tockbell: the folder %s cannot be written: running on the default settings, and nothing will"
                     " be saved.\n",
                     folder->c_str());
        return std::nullopt;
    }
    return std::optional<ConfigStore>(std::in_place, files, profile, configPath, SiblingPath(*base, ".bak"));
}

}  // namespace

LinuxClock::LinuxClock(const XdgFolders& folders, std::string executable)
    : folders_(folders),
      executable_(std::move(executable)),
      config_(OpenConfig(folders, files_, profile_, folderMaker_)),
      filesBase_(config_ ? folders.FilesBase().value_or("") : std::string()),
      settings_(ReadLocalClock().local.tm_mday),
      media_(FindSoundFont()),
      sounds_{settings_.flags, waveSounds_, media_, threads_, SleepFor},
      actions_(settings_, config_ ? &*config_ : nullptr, sounds_, filesBase_),
      tray_(settings_, [] { QCoreApplication::quit(); }),
      tick_(settings_, tray_.Icon(), actions_),
      ticker_([this] { Tick(); }) {}

void LinuxClock::Start() {
    if (config_) LoadSettings(*config_, settings_);
    RegisterAutostart(folders_, executable_, files_, folderMaker_);
    tray_.WatchForTray();
    ticker_.Start();
}

void LinuxClock::Tick() {
    tray_.WatchForTray();
    tick_.OnTimer(ReadLocalClock());
}

void LinuxClock::OnRequest(const QByteArray& request) {
    // "properties" opens the settings dialog, which is still to come.
    if (request == "uninstall") {
        settings_.flags.fetch_or(FLAG_UNINSTALL);
        QCoreApplication::quit();
    }
}

void LinuxClock::Finish() {
    StopSoundThreads(settings_.flags, SleepFor);
    if ((settings_.flags.load() & FLAG_UNINSTALL) != 0) {
        UninstallProgram(folders_, executable_, files_, folderMaker_);
    } else if (config_) {
        SaveSettings(*config_, settings_);
    }
}

}  // namespace tockbell
