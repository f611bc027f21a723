#pragma once

#include <QIcon>

namespace tockbell {

// The tray's clock face showing hour:minute, drawn afresh at whatever size the tray asks for: the
// face of the Windows icon (light grey, green hour marks with a black shadow, a green centre) with
// the core's hands, green edged in black, on its 32 by 32 grid scaled to the size.
QIcon ClockFaceIcon(int hour, int minute);

}  // namespace tockbell
