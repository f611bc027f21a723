#pragma once

#include <windows.h>

namespace tockbell {

// Draws the time onto copies of the clock face. One painter lives as long as the program; its pens
// and the bitmap copies of the latest drawing are its own.
class ClockIconPainter {
public:
    // `face` (icon 129) stays the caller's.
    explicit ClockIconPainter(HICON face) : clockIcon(face) {}
    ~ClockIconPainter();
    ClockIconPainter(const ClockIconPainter&) = delete;
    ClockIconPainter& operator=(const ClockIconPainter&) = delete;

    // A new icon showing hour:minute: bold (green hands edged in black) for the tray, thin (black
    // hairlines) for the settings dialog. The caller destroys it.
    HICON DrawClockIcon(bool bold, int hour, int minute);

private:
    void FreeBitmapCopies();

    HICON clockIcon;
    ICONINFO clockIconInfo{};
    HPEN outlinePen = nullptr;
    HPEN handPen = nullptr;
    HPEN hairlinePen = nullptr;
};

}  // namespace tockbell
