#include "win32/app/main_frame.h"

#include <chrono>

#include "core/app/main_commands.h"
#include "core/config/settings_file.h"
#include "core/config/sibling_path.h"
#include "resource.h"
#include "win32/app/clock_app.h"
#include "win32/config/program_path.h"
#include "win32/install/autostart.h"
#include "win32/settings/settings_dlg.h"

namespace tockbell {

namespace {

void SleepFor(std::chrono::milliseconds duration) { Sleep(static_cast<DWORD>(duration.count())); }

}  // namespace

const MessageEntry<CMainFrame> CMainFrame::kMessageMap[] = {
    OnMessage(WM_CREATE, &CMainFrame::OnCreate),
    OnCommand(ID_APP_PROPERTIES, &CMainFrame::OnProperties),
    OnCommand(ID_BE_SILENT, &CMainFrame::OnBeSilent),
    OnCommandUpdate(ID_BE_SILENT, &CMainFrame::OnUpdateBeSilent),
    OnCommandUpdate(ID_APP_EXIT, &CMainFrame::OnUpdateClose),
    OnMessage(WM_DESTROY, &CMainFrame::OnDestroy),
};

CMainFrame::CMainFrame(CClockApp& app) : app_(app) {}

bool CMainFrame::Create(const char* title, HMENU menu) {
    return CreateTopLevel("CMainFrame", title, WS_OVERLAPPEDWINDOW, menu) != nullptr;
}

std::optional<LRESULT> CMainFrame::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> result = Dispatch<CMainFrame>(kMessageMap, *this, message, wParam, lParam)) {
        return result;
    }
    // As in the framework, a command the main window does not handle is the application's.
    if (IsCommand(message, wParam) && app_.OnCommand(LOWORD(wParam))) return 0;
    return std::nullopt;
}

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM) {
    const std::string programPath = ProgramPath();
    // Without its own path the program cannot name its files: it runs on the defaults and saves nothing.
    if (!programPath.empty()) {
        configPath = SiblingPath(programPath, ".ini");
        voicePath_ = SiblingPath(programPath, ".wav");
        config_.emplace(files_, profileStrings_, configPath, SiblingPath(programPath, ".bak"));
        LoadSettings(*config_, tray.settings);
    }
    services_.emplace(tray.settings, config_ ? &*config_ : nullptr, files_, programPath);
    if (!tray.Create(Window(), services_->Actions(), app_.Painter())) {
        config_.reset();  // the window is destroyed before it lived; that destruction must not save
        return -1;
    }
    return 0;
}

void CMainFrame::OnProperties() {
    if (settingsDlg != nullptr) {
        SetForegroundWindow(settingsDlg->Window());
        return;
    }
    std::int32_t closeRequest = 0;
    {
        SettingsDlgContext context{tray.settings,          tray.Icon(),    config_ ? &*config_ : nullptr,
                                   services_->Sounds(),    services_->Recording(), app_.Painter(),
                                   files_,                 voicePath_,     lastTab};
        CSettingsDlg dialog(context);
        settingsDlg = &dialog;
        if (dialog.DoModal() == IDOK) closeRequest = dialog.m_closeRequest;
        settingsDlg = nullptr;
    }
    tray.RefreshIcon();
    if (closeRequest == kCloseProgram) DestroyWindow(Window());
}

void CMainFrame::OnBeSilent() {
    const bool on = ToggleSound(tray.settings.flags);
    // An open dialog's "Striking and voices" box follows the switch.
    if (settingsDlg != nullptr) settingsDlg->SetupPage().SetSoundSwitch(on);
}

void CMainFrame::OnUpdateBeSilent(CommandState& item) {
    item.SetCheck((tray.settings.flags.load() & FLAG_SOUND_ON) == 0);
}

// Closing while the dialog runs would destroy the window whose handler runs the dialog.
void CMainFrame::OnUpdateClose(CommandState& item) { item.Enable(settingsDlg == nullptr); }

void CMainFrame::OnDestroy() {
    StopSoundThreads(tray.settings.flags, SleepFor);
    if ((tray.settings.flags.load() & FLAG_UNINSTALL) != 0) {
        UninstallProgram();
    } else if (config_) {
        SaveSettings(*config_, tray.settings);
    }
    PostQuitMessage(0);
}

}  // namespace tockbell
