#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/app/settings_opener.h"
#include "core/config/config_store.h"
#include "core/config/portable_profile_strings.h"
#include "win32/app/clock_services.h"
#include "win32/app/system_tray.h"
#include "win32/config/win32_file_system.h"
#include "win32/window/message_map.h"
#include "win32/window/window_base.h"

namespace tockbell {

class CClockApp;

// The program's main window, never shown. Its creation loads the configuration and starts the tray
// icon; its destruction stops the sound threads and saves. It takes the tray menu's commands and the
// "Properties..." that a second copy of the program posts.
class CMainFrame : public WindowBase {
public:
    // Commands that find no handler here go on to `app`.
    explicit CMainFrame(CClockApp& app);

    // Creates the hidden window with the given title and menu (which the window then owns).
    bool Create(const char* title, HMENU menu);

    CSystemTray tray;

private:
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    void OnProperties();
    void OnSayTime();
    void OnBeSilent();
    // The global key of "Say the time", as the file's "SayTimeKey" names it.
    void RegisterSayTimeKey();
    void OnDestroy();

    static const MessageEntry<CMainFrame> kMessageMap[];

    CClockApp& app_;
    Win32FileSystem files_;
    // The profile reader of the core, proven equal to the platform's by the contract tests: one open
    // and read per look-up, where the platform's costs several times as much under Wine.
    PortableProfileStrings profileStrings_{files_};
    std::optional<ConfigStore> config_;  // set once the program's own path is known
    std::string voicePath_;              // the recorded message, beside the program
    std::optional<ClockServices> services_;
    SettingsOpener opener_{tray.settings.flags, tray.Icon()};
};

}  // namespace tockbell
