#pragma once

#include <windows.h>

#include <array>

namespace tockbell {

// An owner-drawn push button that shows a picture for its state: the bitmaps named by its caption
// plus "U" (up), "D" (down), "F" (focused) and "X" (disabled), such as "SAVEU", and for screens at 150
// and 200 % the same names ending in "150" and "200". The caption stays the button's window text, so
// that screen readers name it.
class CBitmapButton {
public:
    CBitmapButton() = default;
    ~CBitmapButton();
    CBitmapButton(const CBitmapButton&) = delete;
    CBitmapButton& operator=(const CBitmapButton&) = delete;

    // Loads the four faces of `button` drawn for `percent` (100, 150 or 200); false when one is missing
    // (the button then draws nothing).
    bool Attach(HWND button, int percent = 100);
    HWND Window() const { return button_; }
    // The size of the faces.
    SIZE FaceSize() const { return faceSize_; }
    // WM_DRAWITEM for this button, as its parent receives it.
    void DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    enum Face { kUp, kDown, kFocused, kDisabled, kFaceCount };

    HWND button_ = nullptr;
    std::array<HBITMAP, kFaceCount> faces_{};
    SIZE faceSize_{};
};

}  // namespace tockbell
