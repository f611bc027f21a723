#include "win32/app/main_frame.h"

#include <chrono>

#include "core/app/hot_key.h"
#include "core/app/main_commands.h"
#include "core/config/program_files.h"
#include "core/config/settings_file.h"
#include "resource.h"
#include "win32/app/clock_app.h"
#include "win32/app/local_clock.h"
#include "win32/config/program_path.h"
#include "win32/install/autostart.h"
#include "win32/settings/settings_dlg.h"

namespace tockbell {

namespace {

constexpr int kSayTimeHotKey = 1;

void SleepFor(std::chrono::milliseconds duration) { Sleep(static_cast<DWORD>(duration.count())); }

}  // namespace

const MessageEntry<CMainFrame> CMainFrame::kMessageMap[] = {
    OnMessage(WM_CREATE, &CMainFrame::OnCreate),    OnCommand(ID_APP_PROPERTIES, &CMainFrame::OnProperties),
    OnCommand(ID_SAY_TIME, &CMainFrame::OnSayTime), OnCommand(ID_BE_SILENT, &CMainFrame::OnBeSilent),
    OnMessage(WM_HOTKEY, &CMainFrame::OnSayTime),   OnMessage(WM_DESTROY, &CMainFrame::OnDestroy),
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
    const ProgramFiles own(ProgramPath());
    // Without its own path the program cannot name its files: it runs on the defaults and saves nothing.
    if (!own.Base().empty()) {
        voicePath_ = own.Voice();
        config_.emplace(files_, profileStrings_, own);
        LoadSettings(*config_, tray.settings);
    }
    services_.emplace(tray.settings, config_ ? &*config_ : nullptr, files_, tray, own.Base());
    tray.SetMenuNotes([this](const ClockReading& now) { return services_->Actions().MenuNotes(now); });
    if (!tray.Create(Window(), services_->Actions(), opener_)) {
        config_.reset();  // the window is destroyed before it lived; that destruction must not save
        return -1;
    }
    RegisterSayTimeKey();
    return 0;
}

void CMainFrame::RegisterSayTimeKey() {
    const std::optional<HotKey> key =
        ParseHotKey(config_ ? config_->ReadConfigString("Main", std::string(kSayTimeKeyName)) : std::string());
    if (!key) return;
    const UINT modifiers = (key->ctrl ? MOD_CONTROL : 0u) | (key->alt ? MOD_ALT : 0u) | (key->shift ? MOD_SHIFT : 0u) |
                           (key->win ? MOD_WIN : 0u) | MOD_NOREPEAT;
    const UINT virtualKey =
        key->letter != 0 ? static_cast<UINT>(key->letter) : static_cast<UINT>(VK_F1 + key->function - 1);
    // Another program may hold the key already: the menu's entry still speaks.
    RegisterHotKey(Window(), kSayTimeHotKey, modifiers, virtualKey);
}

void CMainFrame::OnSayTime() { services_->Actions().SayTime(ReadLocalClock()); }

void CMainFrame::OnProperties() {
    if (!opener_.Properties()) return;
    CloseRequest request = CloseRequest::KeepRunning;
    {
        SettingsDlgContext context{tray.settings,
                                   tray.Icon(),
                                   config_ ? &*config_ : nullptr,
                                   services_->Sounds(),
                                   services_->Recording(),
                                   files_,
                                   voicePath_,
                                   opener_.LastTab()};
        CSettingsDlg dialog(context);
        opener_.Opened(dialog);
        if (dialog.DoModal() == IDOK && dialog.m_closeRequest == kCloseProgramRequest) {
            request = CloseRequest::CloseProgram;
        }
    }
    if (opener_.Closed(request)) DestroyWindow(Window());
}

void CMainFrame::OnBeSilent() { opener_.BeSilent(); }

void CMainFrame::OnDestroy() {
    UnregisterHotKey(Window(), kSayTimeHotKey);
    EndRun(tray.settings, config_ ? &*config_ : nullptr, SleepFor, [] { UninstallProgram(); });
    PostQuitMessage(0);
}

}  // namespace tockbell
