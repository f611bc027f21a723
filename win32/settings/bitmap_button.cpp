#include "win32/settings/bitmap_button.h"

#include <string>

namespace tockbell {

CBitmapButton::~CBitmapButton() {
    for (HBITMAP face : faces_) {
        if (face) DeleteObject(face);
    }
}

bool CBitmapButton::Attach(HWND button, int percent) {
    button_ = button;
    char caption[32] = "";
    GetWindowTextA(button, caption, sizeof caption);
    static constexpr char kSuffixes[kFaceCount] = {'U', 'D', 'F', 'X'};
    bool complete = true;
    for (int face = kUp; face < kFaceCount; ++face) {
        const std::string name =
            std::string(caption) + kSuffixes[face] + (percent == 100 ? std::string() : std::to_string(percent));
        faces_[face] = LoadBitmapA(GetModuleHandleA(nullptr), name.c_str());
        complete = complete && faces_[face] != nullptr;
    }
    BITMAP bitmap{};
    if (faces_[kUp] && GetObjectA(faces_[kUp], sizeof bitmap, &bitmap)) faceSize_ = {bitmap.bmWidth, bitmap.bmHeight};
    return complete;
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) const {
    // A pressed button shows its down face even while it has the focus.
    const Face face = (item.itemState & ODS_SELECTED)   ? kDown
                      : (item.itemState & ODS_FOCUS)    ? kFocused
                      : (item.itemState & ODS_DISABLED) ? kDisabled
                                                        : kUp;
    if (faces_[face] == nullptr) return;
    HDC source = CreateCompatibleDC(item.hDC);
    const HGDIOBJ old = SelectObject(source, faces_[face]);
    const RECT& r = item.rcItem;
    // The faces of each scale are drawn a third larger than the buttons that the template makes at
    // that scale, with lines and symbols that still read when shrunk to them.
    SetStretchBltMode(item.hDC, HALFTONE);
    StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, faceSize_.cx, faceSize_.cy,
               SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace tockbell
