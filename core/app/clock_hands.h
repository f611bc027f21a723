#pragma once

namespace tockbell {

struct IconPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const IconPoint&, const IconPoint&) = default;
};

// Where the hands of the 32 by 32 clock face end for a time of day; both run to the centre (15, 15).
struct ClockHands {
    IconPoint hourEnd;
    IconPoint minuteEnd;
};

inline constexpr IconPoint kClockCentre{15, 15};

ClockHands ClockHandsAt(int hour, int minute);

}  // namespace tockbell
