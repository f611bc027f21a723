#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/app/settings_opener.h"
#include "core/app/tray_icon.h"
#include "core/chime/chime.h"
#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "core/settings/settings_dialog_state.h"
#include "core/settings/settings_exchange.h"
#include "platform/file_system.h"
#include "resource.h"
#include "win32/settings/about_page.h"
#include "win32/settings/control_tooltips.h"
#include "win32/settings/settings_artwork.h"
#include "win32/settings/settings_tab_ctrl.h"
#include "win32/settings/setup_page.h"
#include "win32/settings/table_page.h"
#include "win32/window/message_map.h"
#include "win32/window/window_base.h"

namespace tockbell {

// What the settings dialog reaches of the running program; all of it outlives the dialog.
struct SettingsDlgContext {
    ClockSettings& settings;
    TrayIcon& icon;
    ConfigStore* store;  // none when the program cannot name its files
    SoundServices& sounds;
    RecorderServices& recording;
    FileSystem& files;
    std::string voicePath;  // the recorded message; empty when the program cannot name its files
    std::int32_t& lastTab;  // the opener's memory of the last page shown
};

// The settings dialog's close request after OK, as the opener reads it: the id of the "Close
// Tockbell" box asks it to end the program (also after "Uninstall Tockbell"); 2 lets it run on.
inline constexpr std::int32_t kCloseProgramRequest = IDC_CLOSE_PROGRAM;
inline constexpr std::int32_t kKeepRunningRequest = 2;

// The settings dialog (template 100), run modally by the main window: the clock icon, the artwork,
// the version and copyright lines, and the Setup, Table and About pages in a tab control made at
// run time.
class CSettingsDlg : public WindowBase, public OpenSettingsDialog {
public:
    explicit CSettingsDlg(SettingsDlgContext& context);
    ~CSettingsDlg() override;

    // Returns IDOK or IDCANCEL once the user has closed the dialog, -1 if it could not be shown.
    INT_PTR DoModal();

    // OpenSettingsDialog
    void BringForward() override { SetForegroundWindow(Window()); }
    void SetSoundSwitch(bool on) override { m_setupPage.SetSoundSwitch(on); }

    // After OK: kCloseProgramRequest asks the opener to end the program.
    std::int32_t m_closeRequest = kKeepRunningRequest;

private:
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    void OnOK();
    void OnCancel();
    void OnTimer();
    void DrawClockIcon();
    void OnSetTime();
    void OnClockIcon();
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColorDlg(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    void LoadControls();
    void PlacePages();
    void ShowPage(std::int32_t index);
    void OnTabChange();
    // The dialog's share of the thread's messages before the dialog manager sees them: tooltips, and
    // Enter and Escape for the page that holds the focus.
    bool PreTranslateMessage(const MSG& message);
    static LRESULT CALLBACK FilterMessage(int code, WPARAM wParam, LPARAM lParam);

    SettingsDlgContext& context_;
    SettingsExchange exchange_;
    CSettingsTabCtrl m_tabCtrl;
    CSetupPage m_setupPage;
    CTablePage m_tablePage;
    CAboutPage m_aboutPage;
    // In the order of the tabs.
    std::array<CSettingsPage*, kPageCount> m_pages{&m_setupPage, &m_tablePage, &m_aboutPage};
    HFONT m_tabFont = nullptr;
    DialogClock clock_;
    SettingsTabs tabs_;
    ControlTooltips tooltips_;
    SettingsArtwork artwork_;
    UINT dpi_ = 96;              // of the display the dialog opened on
    HICON clockIcon_ = nullptr;  // the one drawn last; the template's own icon is shared, not ours
};

}  // namespace tockbell
