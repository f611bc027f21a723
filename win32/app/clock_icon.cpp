#include "win32/app/clock_icon.h"

#include <initializer_list>

#include "core/app/clock_hands.h"

namespace tockbell {

namespace {

void DrawHand(HDC dc, IconPoint end, HPEN pen) {
    SelectObject(dc, pen);
    MoveToEx(dc, end.x, end.y, nullptr);
    // LineTo leaves out the last point, the centre, as the face was always drawn.
    LineTo(dc, kClockCentre.x, kClockCentre.y);
}

}  // namespace

ClockIconPainter::~ClockIconPainter() {
    FreeBitmapCopies();
    for (HPEN pen : {outlinePen, handPen, hairlinePen}) {
        if (pen) DeleteObject(pen);
    }
}

void ClockIconPainter::FreeBitmapCopies() {
    if (clockIconInfo.hbmMask) DeleteObject(clockIconInfo.hbmMask);
    if (clockIconInfo.hbmColor) DeleteObject(clockIconInfo.hbmColor);
    clockIconInfo = {};
}

HICON ClockIconPainter::DrawClockIcon(bool bold, int hour, int minute) {
    if (!outlinePen) {
        outlinePen = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
        handPen = CreatePen(PS_SOLID, 3, RGB(0, 255, 0));
        hairlinePen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    }
    const ClockHands hands = ClockHandsAt(hour, minute);

    // GetIconInfo makes fresh copies of the face's bitmaps; the previous drawing's copies go.
    FreeBitmapCopies();
    GetIconInfo(clockIcon, &clockIconInfo);

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, clockIconInfo.hbmColor);
    HGDIOBJ oldPen = GetCurrentObject(dc, OBJ_PEN);
    if (bold) {
        DrawHand(dc, hands.hourEnd, outlinePen);
        DrawHand(dc, hands.hourEnd, handPen);
        DrawHand(dc, hands.minuteEnd, outlinePen);
        DrawHand(dc, hands.minuteEnd, handPen);
    } else {
        DrawHand(dc, hands.hourEnd, hairlinePen);
        DrawHand(dc, hands.minuteEnd, hairlinePen);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    return CreateIconIndirect(&clockIconInfo);
}

}  // namespace tockbell
