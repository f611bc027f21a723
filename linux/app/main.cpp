#include <QApplication>
#include <QStringList>
#include <optional>

#include "linux/app/linux_clock.h"
#include "linux/app/quit_signals.h"
#include "linux/app/single_instance.h"
#include "linux/xdg/xdg_installation.h"

// tockbell             the clock; a second start asks the running clock for its settings and ends
// tockbell --say-time  the running clock speaks the time (for a key binding); without one, the clock
//                      starts and speaks it
// tockbell --uninstall removes the autostart and menu entries and the settings (the recording stays),
//                      at the end of the running clock if there is one
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tockbell"));
    // The clock lives in the tray: closing a window never ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    const bool uninstall = QApplication::arguments().contains(QStringLiteral("--uninstall"));
    const bool sayTime = QApplication::arguments().contains(QStringLiteral("--say-time"));

    std::optional<tockbell::LinuxClock> clock;
    tockbell::SingleInstance instance([&clock](const QByteArray& request) {
        if (clock) clock->OnRequest(request);
    });
    if (!instance.Claim()) {
        tockbell::SingleInstance::Ask(uninstall ? "uninstall" : sayTime ? "say-time" : "properties");
        return EXIT_SUCCESS;
    }
    const tockbell::XdgFolders folders = tockbell::FindXdgFolders(tockbell::ProcessEnvironment);
    const std::string executable = QApplication::applicationFilePath().toStdString();
    if (uninstall) {
        tockbell::PosixFileSystem files;
        tockbell::PosixFolderMaker folderMaker;
        tockbell::UninstallProgram(folders, executable, files, folderMaker);
        return EXIT_SUCCESS;
    }
    clock.emplace(folders, executable);
    tockbell::QuitOnTerminationSignals();
    clock->Start();
    if (sayTime) clock->OnRequest("say-time");
    const int code = QApplication::exec();
    clock->Finish();
    return code;
}
