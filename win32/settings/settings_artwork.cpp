#include "win32/settings/settings_artwork.h"

#include <algorithm>

#include "resource.h"
#include "win32/settings/art_scale.h"
#include "win32/settings/dialog_geometry.h"
#include "win32/settings/settings_colours.h"

namespace tockbell {

namespace {

constexpr int kArtworkDepth = 16;  // bits per pixel from which the artwork is shown
constexpr int kVersionLineShift = 282;
constexpr int kVersionLineTop = 38;

}  // namespace

SettingsArtwork::SettingsArtwork() {
    HDC screen = GetDC(nullptr);
    shown_ = GetDeviceCaps(screen, BITSPIXEL) >= kArtworkDepth;
    ReleaseDC(nullptr, screen);
}

SettingsArtwork::~SettingsArtwork() {
    if (bitmap_) DeleteObject(bitmap_);
    if (background_) DeleteObject(background_);
}

void SettingsArtwork::PlaceTextLines(HWND dialog, int percent) {
    percent_ = percent;
    if (!shown_) {
        ShowWindow(GetDlgItem(dialog, IDC_LINE_STRIKING), SW_SHOWNA);
        ShowWindow(GetDlgItem(dialog, IDC_LINE_TOCKBELL), SW_SHOWNA);
        return;
    }
    // The copyright line stays right-aligned: left-aligned, it would run under the version line.
    EnableWindow(GetDlgItem(dialog, IDC_COPYRIGHT), TRUE);
    const HWND versionLine = GetDlgItem(dialog, IDC_VERSION);
    const RECT version = RectIn(dialog, versionLine);
    // Not left of the icon and the tabs, where its first letter would be cut off.
    const int left = std::max<int>(version.right - ArtPixels(kVersionLineShift, percent_),
                                   RectIn(dialog, GetDlgItem(dialog, IDC_CLOCK_ICON)).left);
    SetWindowLongPtrA(versionLine, GWL_STYLE, (GetWindowLongPtrA(versionLine, GWL_STYLE) & ~SS_RIGHT) | SS_LEFT);
    MoveWindow(versionLine, left, ArtPixels(kVersionLineTop, percent_), version.right - version.left,
               version.bottom - version.top, FALSE);
}

void SettingsArtwork::Erase(HWND dialog, HDC dc) {
    RECT client{};
    GetClientRect(dialog, &client);
    if (!shown_) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
        return;
    }
    FillRect(dc, &client, DialogBrush(nullptr));
    if (!bitmap_) {
        const int artwork = percent_ == 200 ? IDB_ARTWORK_200 : percent_ == 150 ? IDB_ARTWORK_150 : IDB_ARTWORK;
        bitmap_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(artwork));
    }
    HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, bitmap_);
    BITMAP bitmap{};
    GetObjectA(bitmap_, sizeof bitmap, &bitmap);
    BitBlt(dc, client.right - bitmap.bmWidth, 0, bitmap.bmWidth, bitmap.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

HBRUSH SettingsArtwork::DialogBrush(HDC dc) {
    if (!shown_) return nullptr;
    if (!background_) background_ = CreateSolidBrush(kDialogColour);
    if (dc) SetBkColor(dc, kDialogColour);
    return background_;
}

HBRUSH SettingsArtwork::StaticBrush(HDC dc, HWND control) const {
    if (!shown_) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    if (GetDlgCtrlID(control) == IDC_COPYRIGHT) SetTextColor(dc, kCopyrightColour);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace tockbell
