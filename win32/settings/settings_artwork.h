#pragma once

#include <windows.h>

namespace tockbell {

// The settings dialog's look on screens of 16 bits per pixel or more: the artwork (bitmap 134, or its
// larger drawings for screens at 150 and 200 %) at the top right, the dialog's colour, the copyright line in its light
// colour and the version line at the left of the copyright's row. On other screens the system's colours hold and two
// text lines stand in for the artwork. Owns its bitmap and brush.
class SettingsArtwork {
public:
    SettingsArtwork();
    ~SettingsArtwork();
    SettingsArtwork(const SettingsArtwork&) = delete;
    SettingsArtwork& operator=(const SettingsArtwork&) = delete;

    bool Shown() const { return shown_; }
    // At the dialog's initialisation: the artwork drawn for `percent` (100, 150 or 200), and the
    // version, copyright and stand-in lines placed on it.
    void PlaceTextLines(HWND dialog, int percent);
    // WM_ERASEBKGND of the dialog.
    void Erase(HWND dialog, HDC dc);
    // WM_CTLCOLORDLG and WM_CTLCOLORSTATIC of the dialog; none leaves them to the system.
    HBRUSH DialogBrush(HDC dc);
    HBRUSH StaticBrush(HDC dc, HWND control) const;

private:
    bool shown_ = false;
    int percent_ = 100;
    HBITMAP bitmap_ = nullptr;
    HBRUSH background_ = nullptr;
};

}  // namespace tockbell
