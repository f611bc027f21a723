#pragma once

#include <atomic>
#include <cstdint>

#include "core/app/tray_icon.h"
#include "core/settings/settings_exchange.h"

namespace tockbell {

// What the opener asks of the settings dialog while it is open.
class OpenSettingsDialog {
public:
    virtual ~OpenSettingsDialog() = default;
    virtual void BringForward() = 0;
    // The Setup page's "Striking and voices" box, set and applied.
    virtual void SetSoundSwitch(bool on) = 0;
};

// Opens the settings dialog for "Properties...", a click on the icon and a second start of the
// program: one dialog at a time, on the tab last shown while the program runs. While a dialog is
// open, "Be silent" flips its sound switch too and "Close" is greyed, since the dialog's end decides
// whether the program goes on.
class SettingsOpener {
public:
    // `flags` is the settings' flags word; `icon` is the tray's; both outlive the opener.
    SettingsOpener(std::atomic<std::uint32_t>& flags, TrayIcon& icon) : flags_(flags), icon_(icon) {}

    // "Properties...": true when a new dialog is to be made, on LastTab(), and handed to Opened; an
    // open one is brought forward instead.
    bool Properties();
    void Opened(OpenSettingsDialog& dialog) { dialog_ = &dialog; }
    // The dialog has ended, with its request (KeepRunning after Cancel). The icon goes out of the
    // tray and back in, as after every dialog; true when the program is to end now.
    bool Closed(CloseRequest request);

    // "Be silent" in the tray menu; returns whether sounds are now on.
    bool BeSilent();

    bool DialogOpen() const { return dialog_ != nullptr; }
    // The page the next dialog opens on; the dialog keeps it up to date (SettingsTabs).
    std::int32_t& LastTab() { return lastTab_; }

private:
    std::atomic<std::uint32_t>& flags_;
    TrayIcon& icon_;
    OpenSettingsDialog* dialog_ = nullptr;
    std::int32_t lastTab_ = 0;
};

}  // namespace tockbell
