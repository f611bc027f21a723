#include "win32/settings/table_page.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "resource.h"
#include "win32/settings/dialog_geometry.h"

namespace tockbell {

namespace {

constexpr int kRecorderButtonIds[] = {IDC_STOP, IDC_PLAY, IDC_PAUSE, IDC_RECORD, IDC_INSERT, IDC_SAVE};

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
// the page's last row would be cut off: the tree then gives up what is missing, and the rows below it
// move up, keeping the tree's margin at the bottom too.
void FitRows(HWND page) {
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

void CTablePage::Attach(ConfigStore* store, FileSystem& files, ClockSettings& settings, const std::string& voicePath,
                        RecorderServices& recording, SoundServices& sounds, int percent) {
    view_ = std::make_unique<CTablePageView>(Window(), store, files, settings, voicePath, recording, sounds);
    // Sound files dropped from the shell become items.
    DragAcceptFiles(Window(), TRUE);
    for (std::size_t i = 0; i < m_recorderButtons.size(); ++i) {
        m_recorderButtons[i].Attach(GetDlgItem(Window(), kRecorderButtonIds[i]), percent);
    }
}

void CTablePage::Load() { view_->Model().Load(); }

void CTablePage::Fit() {
    FitRows(Window());
    FitDurationBox(Window());
}

std::optional<LRESULT> CTablePage::PageProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (view_) {
        if (const std::optional<LRESULT> result = view_->WndProc(message, wParam, lParam)) return result;
    }
    static const MessageEntry<CTablePage> kMessageMap[] = {
        OnMessage(WM_DRAWITEM, &CTablePage::OnDrawItem),
    };
    return Dispatch<CTablePage>(kMessageMap, *this, message, wParam, lParam);
}

LRESULT CTablePage::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    for (const CBitmapButton& button : m_recorderButtons) {
        if (button.Window() == item.hwndItem) {
            button.DrawItem(item);
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace tockbell
