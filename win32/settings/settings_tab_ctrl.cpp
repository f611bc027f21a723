#include "win32/settings/settings_tab_ctrl.h"

#include "resource.h"
#include "win32/settings/art_scale.h"
#include "win32/settings/settings_colours.h"
#include "win32/window/message_map.h"

namespace tockbell {

namespace {

constexpr int kTabIconSize = 16;

}  // namespace

CSettingsTabCtrl::~CSettingsTabCtrl() {
    if (m_tabImages) ImageList_Destroy(m_tabImages);
}

bool CSettingsTabCtrl::Create(HWND dialog, int id, const RECT& rect, HFONT font, int percent) {
    // A control parent, so that the dialog's Tab key walks on into the pages.
    const HWND control = CreateWindowExA(
        WS_EX_CONTROLPARENT, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_TOOLTIPS | TCS_HOTTRACK,
        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!Subclass(control)) return false;
    // The icons stand on silver, the classic button face; the system's face colour may be another one
    // (it is under Wine), and the icons' background would then show as grey squares.
    const int icons = percent == 200 ? IDB_TAB_ICONS_200 : percent == 150 ? IDB_TAB_ICONS_150 : IDB_TAB_ICONS;
    m_tabImages =
        ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icons), ArtPixels(kTabIconSize, percent), 0,
                             kTabIconBackground, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    TabCtrl_SetImageList(control, m_tabImages);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return true;
}

std::optional<LRESULT> CSettingsTabCtrl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<CSettingsTabCtrl> kMessageMap[] = {
        OnMessage(WM_ERASEBKGND, &CSettingsTabCtrl::OnEraseBkgnd),
    };
    return Dispatch<CSettingsTabCtrl>(kMessageMap, *this, message, wParam, lParam);
}

LRESULT CSettingsTabCtrl::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    const int count = TabCtrl_GetItemCount(Window());
    RECT last{};
    if (count > 0 && TabCtrl_GetItemRect(Window(), count - 1, &last)) {
        const RECT strip{0, 0, last.right + 2, last.bottom};
        const HBRUSH brush = CreateSolidBrush(kTabStripColour);
        FillRect(reinterpret_cast<HDC>(wParam), &strip, brush);
        DeleteObject(brush);
    }
    return TRUE;
}

}  // namespace tockbell
