#include "core/app/clock_hands.h"

#include <cmath>

#include <gtest/gtest.h>

namespace tockbell {
namespace {

struct HandsCase {
    int hour, minute;
    IconPoint hourEnd, minuteEnd;
};

TEST(ClockHands, WorkedExamples) {
    for (const HandsCase& c : {
             HandsCase{12, 0, {15, 5}, {15, 0}},
             HandsCase{3, 0, {24, 15}, {15, 0}},
             HandsCase{6, 0, {15, 24}, {15, 0}},
             HandsCase{9, 0, {6, 15}, {15, 0}},
             HandsCase{10, 10, {7, 10}, {27, 8}},
             HandsCase{15, 15, {24, 16}, {29, 15}},
             HandsCase{6, 30, {13, 24}, {15, 29}},
             HandsCase{0, 45, {18, 6}, {1, 15}},
         }) {
        const ClockHands hands = ClockHandsAt(c.hour, c.minute);
        EXPECT_EQ(hands.hourEnd, c.hourEnd) << c.hour << ":" << c.minute;
        EXPECT_EQ(hands.minuteEnd, c.minuteEnd) << c.hour << ":" << c.minute;
    }
}

double Length(IconPoint end) { return std::hypot(end.x - kClockCentre.x, end.y - kClockCentre.y); }

TEST(ClockHands, EveryMinuteOfTheDialStaysOnTheFace) {
    for (int minuteOfDial = 0; minuteOfDial < 720; ++minuteOfDial) {
        const int hour = minuteOfDial / 60, minute = minuteOfDial % 60;
        const ClockHands hands = ClockHandsAt(hour, minute);
        SCOPED_TRACE(testing::Message() << hour << ":" << minute);
        // Truncation shortens a hand by less than a pixel on each axis.
        EXPECT_GT(Length(hands.hourEnd), 10 - std::sqrt(2.0));
        EXPECT_LE(Length(hands.hourEnd), 10.0);
        EXPECT_GT(Length(hands.minuteEnd), 15 - std::sqrt(2.0));
        EXPECT_LE(Length(hands.minuteEnd), 15.0);
        for (const IconPoint end : {hands.hourEnd, hands.minuteEnd}) {
            EXPECT_TRUE(end.x >= 0 && end.x < 32 && end.y >= 0 && end.y < 32);
        }
        // The afternoon draws like the morning; the minute hand knows nothing of the hour.
        const ClockHands afternoon = ClockHandsAt(hour + 12, minute);
        EXPECT_EQ(afternoon.hourEnd, hands.hourEnd);
        EXPECT_EQ(afternoon.minuteEnd, ClockHandsAt(0, minute).minuteEnd);
        // The hour hand turns clockwise with the minutes: its angle grows through the dial.
        const double angle = std::atan2(hands.hourEnd.x - 15.0, 15.0 - hands.hourEnd.y);
        const double expected = minuteOfDial * 2 * M_PI / 720;
        EXPECT_NEAR(std::remainder(angle - expected, 2 * M_PI), 0.0, 0.15);
    }
}

}  // namespace
}  // namespace tockbell
