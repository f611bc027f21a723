#include "win32/app/clock_icon.h"

#include <initializer_list>
#include <vector>

#include "core/app/clock_face.h"
#include "core/app/clock_face_layout.h"
#include "core/app/clock_hands.h"

namespace tockbell {

namespace {

COLORREF Colour(const FaceColour& colour) { return RGB(colour.red, colour.green, colour.blue); }

void FillSquares(HDC dc, const std::vector<FaceSquare>& squares, const FaceColour& colour) {
    const HBRUSH brush = CreateSolidBrush(Colour(colour));
    for (const FaceSquare& square : squares) {
        const RECT rect{square.x, square.y, square.x + square.side, square.y + square.side};
        FillRect(dc, &rect, brush);
    }
    DeleteObject(brush);
}

void DrawHand(HDC dc, IconPoint end, IconPoint centre, int width, const FaceColour& colour) {
    const HPEN pen = CreatePen(PS_SOLID, width, Colour(colour));
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, end.x, end.y, nullptr);
    // LineTo leaves out the last point, the centre, as the face was always drawn.
    LineTo(dc, centre.x, centre.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

HICON DrawClockIcon(bool bold, int hour, int minute, int side) {
    const FaceLayout layout = FaceLayoutAt(side);
    const ClockHands hands = ClockHandsAt(hour, minute);
    const IconPoint centre = layout.Pixel(kClockCentre);
    const IconPoint hourEnd = layout.Pixel(hands.hourEnd);
    const IconPoint minuteEnd = layout.Pixel(hands.minuteEnd);

    // The colours in 32 bits a pixel, whose fourth byte, the alpha, says how opaque each pixel is:
    // shells draw such an icon by its alpha and leave the mask aside (Wine's tray mangles the mask of
    // a 24-pixel icon).
    ICONINFO info{};
    info.fIcon = TRUE;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    info.hbmColor = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    info.hbmMask = CreateBitmap(side, side, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    // An all-zero mask as well: every pixel of the face is opaque.
    const HGDIOBJ oldBitmap = SelectObject(dc, info.hbmMask);
    PatBlt(dc, 0, 0, side, side, BLACKNESS);
    SelectObject(dc, info.hbmColor);

    const RECT face{0, 0, side, side};
    const HBRUSH grey = CreateSolidBrush(Colour(kFaceGrey));
    FillRect(dc, &face, grey);
    DeleteObject(grey);
    FillSquares(dc, layout.shadows, kShadowBlack);
    FillSquares(dc, layout.marks, kMarkGreen);
    if (bold) {
        for (const IconPoint end : {hourEnd, minuteEnd}) {
            DrawHand(dc, end, centre, layout.outlineWidth, kOutlinePen.colour);
            DrawHand(dc, end, centre, layout.handWidth, kHandPen.colour);
        }
    } else {
        DrawHand(dc, hourEnd, centre, layout.hairlineWidth, kHairlinePen.colour);
        DrawHand(dc, minuteEnd, centre, layout.hairlineWidth, kHairlinePen.colour);
    }

    GdiFlush();
    // GDI leaves the alpha at 0; the whole face is opaque.
    auto* pixel = static_cast<DWORD*>(bits);
    for (int i = 0; i < side * side; ++i) pixel[i] |= 0xFF000000u;
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    // The icon holds copies of the bitmaps.
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

}  // namespace tockbell
