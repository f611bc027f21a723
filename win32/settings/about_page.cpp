#include "win32/settings/about_page.h"

#include "resource.h"
#include "win32/settings/about_text_resource.h"

namespace tockbell {

namespace {

constexpr int kAboutTextInset = 8;

}  // namespace

void CAboutPage::Fill() {
    filled_ = true;
    const HWND about = GetDlgItem(Window(), IDC_ABOUT_TEXT);
    if (about == nullptr) return;
    RECT inside{};
    GetClientRect(Window(), &inside);
    InflateRect(&inside, -kAboutTextInset, -kAboutTextInset);
    MoveWindow(about, inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top, FALSE);
    LoadAboutText(about);
}

}  // namespace tockbell
