#include "core/app/clock_hands.h"

#include <cmath>

namespace tockbell {

namespace {

// The turn the face was drawn with; a little less than 2 pi, which keeps the pictures as they were.
constexpr double kFullTurn = 6.283184;
constexpr double kHourHandLength = 10;
constexpr double kMinuteHandLength = 15;

IconPoint HandEnd(double angle, double length) {
    return {kClockCentre.x + static_cast<int>(std::sin(angle) * length),
            kClockCentre.y + static_cast<int>(std::cos(angle) * -length)};
}

}  // namespace

ClockHands ClockHandsAt(int hour, int minute) {
    const double minuteAngle = minute * kFullTurn / 60;
    const double hourAngle = (hour % 12) * kFullTurn / 12 + minuteAngle / 12;
    return {HandEnd(hourAngle, kHourHandLength), HandEnd(minuteAngle, kMinuteHandLength)};
}

}  // namespace tockbell
