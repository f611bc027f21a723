#include "win32/settings/settings_dlg.h"

#include <commctrl.h>

#include "resource.h"
#include "win32/app/clock_icon.h"
#include "win32/app/display_scale.h"
#include "win32/app/local_clock.h"
#include "win32/settings/art_scale.h"
#include "win32/settings/date_time_applet.h"
#include "win32/settings/dialog_geometry.h"

namespace tockbell {

namespace {

constexpr UINT kTimer = 1;
constexpr UINT kTimerPeriod = 1000;
constexpr int kTabFontPoints = 6;
constexpr int kTabGapAboveButtons = 8;
constexpr int kClockIconSide = 32;  // at 100 %
constexpr int kPageTemplates[kPageCount] = {IDD_SETUP_PAGE, IDD_TABLE_PAGE, IDD_ABOUT_PAGE};
constexpr const char* kTabNames[kPageCount] = {"Setup", "Table", "About"};

// The one dialog that runs; the message filter hands it the thread's messages.
CSettingsDlg* running = nullptr;

}  // namespace

CSettingsDlg::CSettingsDlg(SettingsDlgContext& context)
    : context_(context),
      exchange_(context.settings, context.icon, context.store),
      m_setupPage(*this, context.settings.flags, context.sounds),
      m_tablePage(*this),
      m_aboutPage(*this),
      tabs_(context.lastTab) {}

CSettingsDlg::~CSettingsDlg() {
    if (m_tabFont) DeleteObject(m_tabFont);
    if (clockIcon_) DestroyIcon(clockIcon_);
}

INT_PTR CSettingsDlg::DoModal() {
    running = this;
    const HHOOK filter = SetWindowsHookExA(WH_MSGFILTER, FilterMessage, nullptr, GetCurrentThreadId());
    // No owner: the dialog stands on its own, with a button in the taskbar.
    const INT_PTR result = RunModal(IDD_SETTINGS, nullptr);
    if (filter) UnhookWindowsHookEx(filter);
    running = nullptr;
    return result;
}

std::optional<LRESULT> CSettingsDlg::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<CSettingsDlg> kMessageMap[] = {
        OnMessage(WM_INITDIALOG, &CSettingsDlg::OnInitDialog),
        OnMessage(WM_TIMER, &CSettingsDlg::OnTimer),
        OnMessage(WM_NOTIFY, &CSettingsDlg::OnNotify),
        OnMessage(WM_ERASEBKGND, &CSettingsDlg::OnEraseBkgnd),
        OnMessage(WM_CTLCOLORDLG, &CSettingsDlg::OnCtlColorDlg),
        OnMessage(WM_CTLCOLORSTATIC, &CSettingsDlg::OnCtlColorStatic),
        OnMessage(WM_DESTROY, &CSettingsDlg::OnDestroy),
        OnCommand(IDOK, &CSettingsDlg::OnOK),
        OnCommand(IDCANCEL, &CSettingsDlg::OnCancel),
        OnCommand(IDC_SET_TIME, &CSettingsDlg::OnSetTime),
        OnCommand(IDC_CLOCK_ICON, &CSettingsDlg::OnClockIcon),
    };
    return Dispatch<CSettingsDlg>(kMessageMap, *this, message, wParam, lParam);
}

LRESULT CSettingsDlg::OnInitDialog(WPARAM, LPARAM) {
    const HWND dialog = Window();
    // The dialog's pictures are chosen, and its clock drawn, for the scale of the display it opens on.
    dpi_ = WindowDpi(dialog);
    const int percent = ArtPercent(dpi_);
    m_tabFont = CreateFontA(-MulDiv(kTabFontPoints, static_cast<int>(dpi_), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                            FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, "Small Fonts");

    // The tab control fills the space from the icon's left edge and the version line's top and right
    // edges down to a little above the buttons, as the template lays them out.
    const RECT icon = RectIn(dialog, GetDlgItem(dialog, IDC_CLOCK_ICON));
    const RECT version = RectIn(dialog, GetDlgItem(dialog, IDC_VERSION));
    const RECT ok = RectIn(dialog, GetDlgItem(dialog, IDOK));
    const RECT tabRect{icon.left, version.top, version.right, ok.top - kTabGapAboveButtons};
    if (!m_tabCtrl.Create(dialog, IDC_TABS, tabRect, m_tabFont, percent)) return TRUE;
    for (int page = 0; page < kPageCount; ++page) m_pages[page]->Create(kPageTemplates[page], m_tabCtrl.Window());
    m_tablePage.Attach(context_.store, context_.files, context_.settings, context_.voicePath, context_.recording,
                       context_.sounds, percent);

    artwork_.PlaceTextLines(dialog, percent);
    LoadControls();
    // One tooltip window for the dialog and its pages: each is a window more to make.
    tooltips_.Create(dialog);
    tooltips_.AddControlsOf(dialog);
    for (const CSettingsPage* page : m_pages) tooltips_.AddControlsOf(page->Window());
    tooltips_.Activate(true);

    RECT window{};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left) - 80,
                 GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top) - 100, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(GetDlgItem(dialog, IDC_SET_TIME), RunDateTimeApplet(false));

    for (int page = 0; page < kPageCount; ++page) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(kTabNames[page]);
        item.iImage = page;
        TabCtrl_InsertItem(m_tabCtrl.Window(), page, &item);
    }
    TabCtrl_SetCurSel(m_tabCtrl.Window(), tabs_.Current());
    PlacePages();

    OnTimer();
    SetTimer(dialog, kTimer, kTimerPeriod, nullptr);
    return TRUE;
}

// The data exchange, load direction: the Setup page from the settings, the recorder's ranges, the
// time-table tree from the file.
void CSettingsDlg::LoadControls() {
    m_setupPage.Load(exchange_.Load());
    m_tablePage.Load();
}

// Every page takes the tab control's inside below the tabs; only the current one shows.
void CSettingsDlg::PlacePages() {
    const HWND tabs = m_tabCtrl.Window();
    RECT first{};
    RECT client{};
    TabCtrl_GetItemRect(tabs, 0, &first);
    GetClientRect(tabs, &client);
    const int left = first.left;
    const int top = first.bottom + GetSystemMetrics(SM_CYEDGE);
    const int width = client.right - left - GetSystemMetrics(SM_CXEDGE);
    const int height = client.bottom - top - GetSystemMetrics(SM_CYEDGE);
    for (CSettingsPage* page : m_pages) {
        SetWindowPos(page->Window(), nullptr, left, top, width, height, SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_tablePage.Fit();
    ShowPage(tabs_.Current());
}

void CSettingsDlg::ShowPage(std::int32_t index) {
    if (index == kAboutPage && !m_aboutPage.Filled()) m_aboutPage.Fill();
    m_pages[index]->Show(true);
}

void CSettingsDlg::OnOK() {
    m_closeRequest =
        exchange_.Store(m_setupPage.Read()) == CloseRequest::CloseProgram ? kCloseProgramRequest : kKeepRunningRequest;
    EndDialog(Window(), IDOK);
}

void CSettingsDlg::OnCancel() {
    exchange_.Cancel();
    EndDialog(Window(), IDCANCEL);
}

void CSettingsDlg::OnTimer() {
    DrawClockIcon();
    m_tablePage.OnTimer();
}

void CSettingsDlg::DrawClockIcon() {
    const ClockReading now = ReadLocalClock();
    if (!clock_.MinuteChanged(now.local.tm_min)) return;
    const HICON drawn =
        tockbell::DrawClockIcon(false, now.local.tm_hour, now.local.tm_min, ScaledPixels(kClockIconSide, dpi_));
    SendDlgItemMessageA(Window(), IDC_CLOCK_ICON, STM_SETICON, reinterpret_cast<WPARAM>(drawn), 0);
    if (clockIcon_) DestroyIcon(clockIcon_);
    clockIcon_ = drawn;
}

void CSettingsDlg::OnSetTime() {
    const HWND button = GetDlgItem(Window(), IDC_SET_TIME);
    // Returns when the user has closed the applet; meanwhile a second one cannot be opened.
    EnableWindow(button, FALSE);
    RunDateTimeApplet(true);
    EnableWindow(button, TRUE);
}

void CSettingsDlg::OnClockIcon() {
    if (IsWindowEnabled(GetDlgItem(Window(), IDC_SET_TIME))) OnSetTime();
}

LRESULT CSettingsDlg::OnNotify(WPARAM, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom == m_tabCtrl.Window() && header->code == TCN_SELCHANGE) OnTabChange();
    return 0;
}

void CSettingsDlg::OnTabChange() {
    const SettingsTabs::Change change =
        tabs_.Select(TabCtrl_GetCurSel(m_tabCtrl.Window()), context_.settings.flags.load());
    if (change.stopRecording) m_tablePage.StopRecording();
    m_pages[change.leaving]->Show(false);
    ShowPage(change.entering);
}

LRESULT CSettingsDlg::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    artwork_.Erase(Window(), reinterpret_cast<HDC>(wParam));
    return TRUE;
}

LRESULT CSettingsDlg::OnCtlColorDlg(WPARAM wParam, LPARAM) {
    return reinterpret_cast<LRESULT>(artwork_.DialogBrush(reinterpret_cast<HDC>(wParam)));
}

LRESULT CSettingsDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    return reinterpret_cast<LRESULT>(
        artwork_.StaticBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
}

void CSettingsDlg::OnDestroy() {
    KillTimer(Window(), kTimer);
    m_tablePage.Cancel();
}

bool CSettingsDlg::PreTranslateMessage(const MSG& message) {
    tooltips_.Relay(message);
    const bool enterOrEscape = (message.message == WM_KEYDOWN || message.message == WM_CHAR) &&
                               (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
    if (!enterOrEscape) return false;
    for (CSettingsPage* page : m_pages) {
        if (IsChild(page->Window(), message.hwnd)) return IsDialogMessageA(page->Window(), const_cast<MSG*>(&message));
    }
    return false;
}

LRESULT CALLBACK CSettingsDlg::FilterMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && running && running->PreTranslateMessage(*reinterpret_cast<const MSG*>(lParam))) {
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tockbell
