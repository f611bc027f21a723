#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/app/settings_opener.h"
#include "core/app/tray_icon.h"
#include "core/chime/chime.h"
#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "core/settings/settings_dialog_state.h"
#include "core/settings/settings_exchange.h"
#include "linux/settings/about_page.h"
#include "linux/settings/dialog_banner.h"
#include "linux/settings/setup_page.h"
#include "linux/settings/table_page.h"
#include "linux/xdg/date_time_settings.h"

namespace tockbell {

// What the settings dialog reaches of the running program; all of it outlives the dialog.
struct SettingsDialogContext {
    ClockSettings& settings;
    TrayIcon& icon;
    ConfigStore* store;  // none when the program keeps no files
    SoundServices& sounds;
    std::int32_t& lastTab;  // the opener's memory of the last page shown
    FileSystem& files;
    std::string voicePath;  // the recorded message; empty when the program keeps no files
    RecorderServices& recording;
};

// "Tockbell Settings": the banner with the live clock, the version and copyright lines, the pages in
// tabs (Setup, Table and About), OK, Cancel and "Set time". OK stores the Setup page and writes the
// file at once; Cancel and Escape store nothing. Only Save writes the time-table.
class SettingsDialog : public QDialog, public OpenSettingsDialog {
public:
    explicit SettingsDialog(const SettingsDialogContext& context);

    // After OK, what the dialog asks of its opener.
    CloseRequest Request() const { return request_; }

    // OpenSettingsDialog
    void BringForward() override;
    void SetSoundSwitch(bool on) override { setup_->SetSoundSwitch(on); }

    void accept() override;
    void reject() override;
    // However the dialog ends, a recording ends with it.
    void done(int result) override;

private:
    void AddPage(std::int32_t page, QWidget* widget, const char* title, int icon);
    void OnTabChange(int index);
    void OnTimer();
    void OnSetTime();
    void PlaceNearTheTray();

    SettingsDialogContext context_;
    SettingsExchange exchange_;
    SettingsTabs tabs_;
    DialogClock clock_;
    std::optional<SettingsCommand> timeSettings_;
    CloseRequest request_ = CloseRequest::KeepRunning;
    DialogBanner* banner_;
    QTabWidget* tabWidget_;
    SetupPage* setup_;
    TablePage* table_;
    std::vector<std::int32_t> pageOfTab_;  // the core's page number of each tab, in the tabs' order
    QPushButton* setTime_ = nullptr;
    QTimer timer_;
};

}  // namespace tockbell
