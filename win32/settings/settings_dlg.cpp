#include "win32/settings/settings_dlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "core/recorder/record_duration.h"
#include "resource.h"
#include "win32/app/local_clock.h"
#include "win32/settings/about_text_resource.h"
#include "win32/settings/date_time_applet.h"
#include "win32/settings/settings_colours.h"
#include "win32/settings/setup_page_controls.h"

namespace tockbell {

namespace {

constexpr UINT kTimer = 1;
constexpr UINT kTimerPeriod = 1000;
constexpr int kTabFontPoints = 6;
constexpr int kArtworkWidth = 300;
constexpr int kArtworkDepth = 16;  // bits per pixel from which the artwork is shown
constexpr int kTabGapAboveButtons = 8;
constexpr int kVersionLineShift = 282;
constexpr int kVersionLineTop = 38;
constexpr int kAboutTextInset = 8;
constexpr int kPageTemplates[kPageCount] = {IDD_SETUP_PAGE, IDD_TABLE_PAGE, IDD_ABOUT_PAGE};
constexpr const char* kTabNames[kPageCount] = {"Setup", "Table", "About"};
constexpr int kRecorderButtonIds[] = {IDC_STOP, IDC_PLAY, IDC_PAUSE, IDC_RECORD, IDC_INSERT, IDC_SAVE};

// The one dialog that runs; the message filter hands it the thread's messages.
CSettingsDlg* running = nullptr;

RECT RectIn(HWND parent, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ClientRectOf(HWND dialog, int id) { return RectIn(dialog, GetDlgItem(dialog, id)); }

// The duration box gives the spin's arrows their width from its own, which may then be too narrow for
// three digits: it grows to the left by what is missing.
void FitDurationBox(HWND page) {
    const HWND box = GetDlgItem(page, IDC_DURATION);
    const HWND spin = GetDlgItem(page, IDC_DURATION_SPIN);
    HDC dc = GetDC(box);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
    SIZE digits{};
    GetTextExtentPoint32A(dc, "120", 3, &digits);
    SelectObject(dc, oldFont);
    ReleaseDC(box, dc);
    const auto margins = static_cast<DWORD>(SendMessageA(box, EM_GETMARGINS, 0, 0));
    RECT client{};
    GetClientRect(box, &client);
    const LONG missing = digits.cx + LOWORD(margins) + HIWORD(margins) + 2 - client.right;
    if (missing <= 0) return;
    const RECT rect = RectIn(page, box);
    const RECT arrows = RectIn(page, spin);
    // The spin takes its width off the box again when it is given the box anew.
    SetWindowPos(box, nullptr, rect.left - missing, rect.top,
                 rect.right - rect.left + missing + arrows.right - arrows.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(box), 0);
}

// The space under the tabs does not grow with the dialog's font as the pages do, so on some screens
// the Table page's last row would be cut off: the tree then gives up what is missing, and the rows
// below it move up, keeping the tree's margin at the bottom too.
void FitTablePage(HWND page) {
    RECT client{};
    GetClientRect(page, &client);
    const HWND treeControl = GetDlgItem(page, IDC_TREE);
    const RECT tree = RectIn(page, treeControl);
    LONG bottom = 0;
    for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        bottom = std::max(bottom, RectIn(page, control).bottom);
    }
    const LONG excess = bottom + tree.top - client.bottom;
    if (excess <= 0 || excess >= tree.bottom - tree.top) return;
    for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        const RECT rect = RectIn(page, control);
        if (control == treeControl) {
            SetWindowPos(control, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top - excess,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (rect.top >= tree.bottom) {
            SetWindowPos(control, nullptr, rect.left, rect.top - excess, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

}  // namespace

CSettingsDlg::CSettingsDlg(SettingsDlgContext& context)
    : context_(context),
      exchange_(context.settings, context.icon, context.store),
      m_pages{CSettingsPage(*this), CSettingsPage(*this), CSettingsPage(*this)},
      tabs_(context.lastTab) {}

CSettingsDlg::~CSettingsDlg() {
    if (m_tabFont) DeleteObject(m_tabFont);
    if (artworkBitmap_) DeleteObject(artworkBitmap_);
    if (background_) DeleteObject(background_);
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
    HDC screen = GetDC(nullptr);
    m_tabFont = CreateFontA(-MulDiv(kTabFontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                            FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, "Small Fonts");
    artwork_ = GetDeviceCaps(screen, BITSPIXEL) >= kArtworkDepth;
    ReleaseDC(nullptr, screen);

    // The tab control fills the space from the icon's left edge and the version line's top and right
    // edges down to a little above the buttons, as the template lays them out.
    const RECT icon = ClientRectOf(dialog, IDC_CLOCK_ICON);
    const RECT version = ClientRectOf(dialog, IDC_VERSION);
    const RECT ok = ClientRectOf(dialog, IDOK);
    const RECT tabRect{icon.left, version.top, version.right, ok.top - kTabGapAboveButtons};
    if (!m_tabCtrl.Create(dialog, IDC_TABS, tabRect, m_tabFont)) return TRUE;
    for (int page = 0; page < kPageCount; ++page) m_pages[page].Create(kPageTemplates[page], m_tabCtrl.Window());

    const HWND table = m_pages[kTablePage].Window();
    timeTable_ = &m_pages[kTablePage].AttachTimeTable(context_.store, context_.files, context_.settings,
                                                      context_.voicePath);
    // Sound files dropped from the shell become items.
    DragAcceptFiles(table, TRUE);
    for (std::size_t i = 0; i < m_recorderButtons.size(); ++i) {
        m_recorderButtons[i].Attach(GetDlgItem(table, kRecorderButtonIds[i]));
    }
    recorder_ = &m_pages[kTablePage].AttachRecorder(context_.files, context_.voicePath, context_.recording,
                                                    context_.sounds);
    recorder_->ShowOpening();

    PlaceTextLines();
    LoadControls();
    // One tooltip window for the dialog and its pages: each is a window more to make.
    tooltips_.Create(dialog);
    tooltips_.AddControlsOf(dialog);
    for (const CSettingsPage& page : m_pages) tooltips_.AddControlsOf(page.Window());
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

// With the artwork, the copyright line shows in its light colour and the version line moves to the
// left end of the copyright's row; without it, two text lines stand in for the artwork.
void CSettingsDlg::PlaceTextLines() {
    const HWND dialog = Window();
    if (!artwork_) {
        ShowWindow(GetDlgItem(dialog, IDC_LINE_STRIKING), SW_SHOWNA);
        ShowWindow(GetDlgItem(dialog, IDC_LINE_TOCKBELL), SW_SHOWNA);
        return;
    }
    // The copyright line stays right-aligned: left-aligned, it would run under the version line.
    EnableWindow(GetDlgItem(dialog, IDC_COPYRIGHT), TRUE);
    const HWND versionLine = GetDlgItem(dialog, IDC_VERSION);
    const RECT version = ClientRectOf(dialog, IDC_VERSION);
    // Not left of the icon and the tabs, where its first letter would be cut off.
    const int left = std::max<int>(version.right - kVersionLineShift, ClientRectOf(dialog, IDC_CLOCK_ICON).left);
    SetWindowLongPtrA(versionLine, GWL_STYLE, (GetWindowLongPtrA(versionLine, GWL_STYLE) & ~SS_RIGHT) | SS_LEFT);
    MoveWindow(versionLine, left, kVersionLineTop, version.right - version.left, version.bottom - version.top, FALSE);
}

// The data exchange, load direction: the Setup page from the settings, the recorder's ranges, the
// time-table tree from the file.
void CSettingsDlg::LoadControls() {
    const HWND setup = m_pages[kSetupPage].Window();
    PrepareSetupControls(setup);
    ShowSetupControls(setup, exchange_.Load());

    const HWND table = m_pages[kTablePage].Window();
    SendDlgItemMessageA(table, IDC_DURATION_SPIN, UDM_SETRANGE32, kMinRecordSeconds, kMaxRecordSeconds);
    SendDlgItemMessageA(table, IDC_DURATION_SPIN, UDM_SETPOS32, 0, kDefaultRecordSeconds);
    SetDlgItemInt(table, IDC_DURATION, kDefaultRecordSeconds, TRUE);
    SendDlgItemMessageA(table, IDC_PROGRESS, PBM_SETRANGE32, 0, kDefaultRecordSeconds);
    SendDlgItemMessageA(table, IDC_PROGRESS, PBM_SETSTEP, 1, 0);
    timeTable_->Editor().ReloadTree();
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
    for (CSettingsPage& page : m_pages) {
        SetWindowPos(page.Window(), nullptr, left, top, width, height, SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FitTablePage(m_pages[kTablePage].Window());
    FitDurationBox(m_pages[kTablePage].Window());
    ShowPage(tabs_.Current());
}

void CSettingsDlg::ShowPage(std::int32_t index) {
    if (index == kAboutPage && !aboutFilled_) FillAboutPage();
    m_pages[index].Show(true);
}

// The text box takes the page inside a margin. Its text waits for the page's first showing: laying out
// the long text costs the opening more than all the rest of it, and most openings never show it.
void CSettingsDlg::FillAboutPage() {
    aboutFilled_ = true;
    const HWND page = m_pages[kAboutPage].Window();
    const HWND about = GetDlgItem(page, IDC_ABOUT_TEXT);
    if (about == nullptr) return;
    RECT inside{};
    GetClientRect(page, &inside);
    InflateRect(&inside, -kAboutTextInset, -kAboutTextInset);
    MoveWindow(about, inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top, FALSE);
    LoadAboutText(about);
}

void CSettingsDlg::OnOK() {
    m_closeRequest = exchange_.Store(ReadSetupControls(m_pages[kSetupPage].Window()));
    EndDialog(Window(), IDOK);
}

void CSettingsDlg::OnCancel() {
    exchange_.Cancel();
    EndDialog(Window(), IDCANCEL);
}

void CSettingsDlg::OnTimer() {
    DrawClockIcon();
    if (recorder_) recorder_->OnTimer();
}

void CSettingsDlg::DrawClockIcon() {
    const ClockReading now = ReadLocalClock();
    if (!clock_.MinuteChanged(now.local.tm_min)) return;
    const HICON drawn = context_.painter.DrawClockIcon(false, now.local.tm_hour, now.local.tm_min);
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
    if (change.stopRecording) SendMessageA(m_pages[kTablePage].Window(), WM_COMMAND, IDC_STOP, 0);
    m_pages[change.leaving].Show(false);
    ShowPage(change.entering);
}

LRESULT CSettingsDlg::DrawRecorderButton(const DRAWITEMSTRUCT& item) const {
    for (const CBitmapButton& button : m_recorderButtons) {
        if (button.Window() == item.hwndItem) {
            button.DrawItem(item);
            return TRUE;
        }
    }
    return FALSE;
}

LRESULT CSettingsDlg::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    RECT client{};
    GetClientRect(Window(), &client);
    if (!artwork_) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
        return TRUE;
    }
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(OnCtlColorDlg(0, 0)));
    if (!artworkBitmap_) artworkBitmap_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ARTWORK));
    HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, artworkBitmap_);
    BITMAP bitmap{};
    GetObjectA(artworkBitmap_, sizeof bitmap, &bitmap);
    BitBlt(dc, client.right - kArtworkWidth, 0, bitmap.bmWidth, bitmap.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return TRUE;
}

LRESULT CSettingsDlg::OnCtlColorDlg(WPARAM wParam, LPARAM) {
    if (!artwork_) return FALSE;
    if (!background_) background_ = CreateSolidBrush(kDialogColour);
    if (wParam) SetBkColor(reinterpret_cast<HDC>(wParam), kDialogColour);
    return reinterpret_cast<LRESULT>(background_);
}

LRESULT CSettingsDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    if (!artwork_) return FALSE;
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_COPYRIGHT) SetTextColor(dc, kCopyrightColour);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void CSettingsDlg::OnDestroy() {
    KillTimer(Window(), kTimer);
    // A recording left running would go on with nothing to stop it.
    if (recorder_) recorder_->Cancel();
}

bool CSettingsDlg::PreTranslateMessage(const MSG& message) {
    tooltips_.Relay(message);
    const bool enterOrEscape = (message.message == WM_KEYDOWN || message.message == WM_CHAR) &&
                               (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
    if (!enterOrEscape) return false;
    for (CSettingsPage& page : m_pages) {
        if (IsChild(page.Window(), message.hwnd)) return IsDialogMessageA(page.Window(), const_cast<MSG*>(&message));
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
