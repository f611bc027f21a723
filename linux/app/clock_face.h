#pragma once

#include <QIcon>
#include <QPainter>
#include <QRect>

namespace tockbell {

// Paints the clock face showing hour:minute into the largest square in the middle of `rect`: the
// face of the Windows icon (core/app/clock_face.h) on its 32 by 32 grid scaled to the size, the marks
// on whole device pixels, and the core's hands drawn smoothly: bold (green edged in black) for the
// tray, thin (black hairlines) for the settings dialog.
void PaintClockFace(QPainter& painter, const QRect& rect, int hour, int minute, bool bold);

// The tray's face as an icon drawn afresh at whatever size the tray asks for.
QIcon ClockFaceIcon(int hour, int minute);

}  // namespace tockbell
