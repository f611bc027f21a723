#include "linux/app/linux_clock.h"

#include <QCoreApplication>
#include <cstdio>
#include <thread>

#include "core/app/main_commands.h"
#include "core/app/world_clock.h"
#include "core/config/file_replace.h"
#include "core/config/program_files.h"
#include "core/config/settings_file.h"
#include "linux/settings/settings_dialog.h"
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
        std::fputs(
            "tockbell: neither XDG_CONFIG_HOME nor HOME names a folder for the settings: running on the"
            " default settings, and nothing will be saved.\n",
            stderr);
        return std::nullopt;
    }
    const ProgramFiles own(*base);
    const std::string probe = TemporarySibling(own.Settings());
    const bool takesFiles = folderMaker.MakeFolders(*folder) && files.Write(probe, "");
    files.Remove(probe);
    if (!takesFiles) {
        std::fprintf(stderr,
                     "tockbell: the folder %s cannot be written: running on the default settings, and nothing will"
                     " be saved.\n",
                     folder->c_str());
        return std::nullopt;
    }
    return std::optional<ConfigStore>(std::in_place, files, profile, own);
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
      recording_{settings_.flags, recordingDevices_, files_, threads_, SleepFor},
      notifications_([this](std::uint32_t stopId) { actions_.StopReminder(stopId); }),
      actions_(settings_, config_ ? &*config_ : nullptr, sounds_, notifications_, filesBase_),
      tray_(
          settings_,
          [this] {
              const ClockReading now = ReadLocalClock();
              return TrayMenuItems(WorldClockLines(settings_.zoneLines, now.utc), actions_.MenuNotes(now),
                                   settings_.flags.load(), opener_.DialogOpen());
          },
          [this](TrayCommand command) { OnCommand(command); }),
      tick_(settings_, tray_.Icon(), actions_, LocalTimeAt),
      ticker_([this] { Tick(); }),
      // Before the computer sleeps and as it wakes: a tick at once sees the jump of the clock.
      sleepWatch_([this] { ticker_.TickNow(); }) {}

void LinuxClock::Start() {
    if (config_) LoadSettings(*config_, settings_);
    RegisterAutostart(folders_, executable_, files_, folderMaker_);
    tray_.FillMenu();
    tray_.WatchForTray();
    ticker_.Start();
}

void LinuxClock::Tick() {
    tray_.WatchForTray();
    tick_.OnTimer(ReadLocalClock());
}

void LinuxClock::OnRequest(const QByteArray& request) {
    if (request == "properties") {
        OnProperties();
    } else if (request == "say-time") {
        actions_.SayTime(ReadLocalClock());
    } else if (request == "uninstall") {
        settings_.flags.fetch_or(FLAG_UNINSTALL);
        QCoreApplication::quit();
    }
}

void LinuxClock::OnCommand(TrayCommand command) {
    switch (command) {
        case TrayCommand::Properties:
            OnProperties();
            break;
        case TrayCommand::SayTime:
            actions_.SayTime(ReadLocalClock());
            break;
        case TrayCommand::BeSilent:
            opener_.BeSilent();
            break;
        case TrayCommand::Close:
            QCoreApplication::quit();
            break;
        case TrayCommand::None:
            break;
    }
}

void LinuxClock::OnProperties() {
    if (!opener_.Properties()) return;
    // Made for one opening and gone after it; it runs without blocking the tick.
    auto* dialog =
        new SettingsDialog({settings_, tray_.Icon(), config_ ? &*config_ : nullptr, sounds_, opener_.LastTab(), files_,
                            filesBase_.empty() ? std::string() : ProgramFiles(filesBase_).Voice(), recording_});
    opener_.Opened(*dialog);
    QObject::connect(dialog, &QDialog::finished, dialog, [this, dialog](int result) {
        const CloseRequest request = result == QDialog::Accepted ? dialog->Request() : CloseRequest::KeepRunning;
        dialog->deleteLater();
        if (opener_.Closed(request)) QCoreApplication::quit();
    });
    dialog->show();
    dialog->BringForward();
}

void LinuxClock::Finish() {
    EndRun(settings_, config_ ? &*config_ : nullptr, SleepFor,
           [this] { UninstallProgram(folders_, executable_, files_, folderMaker_); });
}

}  // namespace tockbell
