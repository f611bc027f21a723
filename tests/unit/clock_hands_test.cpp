#include "core/app/clock_hands.h"

#include <cmath>

#include <gtest/gtest.h>

#include "core/app/clock_face.h"
#include "core/app/clock_face_layout.h"

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

// The face's table of marks as its description has them: blocks on the border at 12, 3, 6 and 9, the
// other hours on a circle of 13.5 round the centre.
TEST(ClockFace, TheHourMarksStandWhereTheirHoursAre) {
    for (int hour = 0; hour < 12; ++hour) {
        const HourMark& mark = kHourMarks[static_cast<std::size_t>(hour)];
        if (hour % 3 == 0) {
            EXPECT_EQ(mark.side, 3) << hour;
            // Centred on the centre's row or column, touching the border.
            const int across = hour % 6 == 0 ? mark.x : mark.y;
            const int along = hour % 6 == 0 ? mark.y : mark.x;
            EXPECT_EQ(across + 1, kClockCentre.x) << hour;
            EXPECT_TRUE(along == 0 || along + mark.side == 31) << hour;
            continue;
        }
        const double angle = hour * 3.14159265358979 / 6;
        EXPECT_EQ(mark.side, 1) << hour;
        EXPECT_EQ(mark.x, kClockCentre.x + std::lround(std::sin(angle) * 13.5)) << hour;
        EXPECT_EQ(mark.y, kClockCentre.y - std::lround(std::cos(angle) * 13.5)) << hour;
    }
    EXPECT_EQ(kCentreMark.x, kClockCentre.x);
    EXPECT_EQ(kCentreMark.y, kClockCentre.y);
}

TEST(FaceLayout, AtThirtyTwoPixelsTheFaceIsItsGrid) {
    const FaceLayout layout = FaceLayoutAt(32);
    ASSERT_EQ(layout.marks.size(), kHourMarks.size() + 1);
    for (std::size_t i = 0; i < kHourMarks.size(); ++i) {
        const HourMark& mark = kHourMarks[i];
        EXPECT_EQ(layout.marks[i], (FaceSquare{mark.x, mark.y, mark.side})) << i;
        EXPECT_EQ(layout.shadows[i], (FaceSquare{mark.x + 1, mark.y + 1, mark.side})) << i;
    }
    EXPECT_EQ(layout.marks.back(), (FaceSquare{kCentreMark.x, kCentreMark.y, kCentreMark.side}));
    EXPECT_EQ(layout.outlineWidth, kOutlinePen.width);
    EXPECT_EQ(layout.handWidth, kHandPen.width);
    EXPECT_EQ(layout.hairlineWidth, kHairlinePen.width);
    for (int grid = 0; grid < 32; ++grid) EXPECT_EQ(layout.Pixel({grid, 31 - grid}), (IconPoint{grid, 31 - grid}));
}

struct LayoutCase {
    int side, outline, hand, hairline;
    IconPoint centre;
};

// The sizes a tray asks for at 100 to 200 %, and the dialog's clock at 150 and 200 %.
TEST(FaceLayout, EverySizeKeepsTheMarksApartAndTheHandsEdged) {
    for (const LayoutCase& c : {
             LayoutCase{16, 3, 1, 1, {7, 7}},
             LayoutCase{20, 4, 2, 1, {9, 9}},
             LayoutCase{24, 4, 2, 1, {11, 11}},
             LayoutCase{32, 5, 3, 1, {15, 15}},
             LayoutCase{40, 6, 4, 1, {19, 19}},
             LayoutCase{48, 6, 4, 1, {23, 23}},
             LayoutCase{64, 10, 6, 2, {31, 31}},
         }) {
        SCOPED_TRACE(c.side);
        const FaceLayout layout = FaceLayoutAt(c.side);
        EXPECT_EQ(layout.outlineWidth, c.outline);
        EXPECT_EQ(layout.handWidth, c.hand);
        EXPECT_EQ(layout.hairlineWidth, c.hairline);
        EXPECT_EQ(layout.Pixel(kClockCentre), c.centre);
        const auto inside = [&](const FaceSquare& square) {
            return square.side >= 1 && square.x >= 0 && square.y >= 0 && square.x + square.side <= c.side &&
                   square.y + square.side <= c.side;
        };
        for (std::size_t i = 0; i < layout.marks.size(); ++i) {
            EXPECT_TRUE(inside(layout.marks[i])) << "mark " << i;
            for (std::size_t j = i + 1; j < layout.marks.size(); ++j) {
                const FaceSquare &a = layout.marks[i], &b = layout.marks[j];
                const bool apart =
                    a.x + a.side <= b.x || b.x + b.side <= a.x || a.y + a.side <= b.y || b.y + b.side <= a.y;
                EXPECT_TRUE(apart) << "marks " << i << " and " << j;
            }
        }
        // A shadow may run past the edge beside a mark on the border; the drawing cuts it off there.
        for (const FaceSquare& shadow : layout.shadows) EXPECT_TRUE(shadow.x < c.side && shadow.y < c.side);
        // Every hand end of the dial lands on the face.
        for (int minute = 0; minute < 60; ++minute) {
            const ClockHands hands = ClockHandsAt(minute / 5, minute);
            for (const IconPoint end : {layout.Pixel(hands.hourEnd), layout.Pixel(hands.minuteEnd)}) {
                EXPECT_TRUE(end.x >= 0 && end.x < c.side && end.y >= 0 && end.y < c.side) << minute;
            }
        }
    }
}

}  // namespace
}  // namespace tockbell
