#pragma once

#include <array>
#include <cstdint>

namespace tockbell {

// The clock face that both programs draw the hands on, and tools/make-icons draws as icon 129: a
// grid of 32 by 32 pixels, x to the right and y down, light grey, with twelve green hour marks that
// each cast a black shadow one pixel to their lower right, and a green centre.

struct FaceColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};
inline constexpr FaceColour kFaceGrey{192, 192, 192};
inline constexpr FaceColour kMarkGreen{0, 255, 0};
inline constexpr FaceColour kShadowBlack{0, 0, 0};

// A mark's top left pixel and its side. tools/make-icons reads this table as it stands here.
struct HourMark {
    int x;
    int y;
    int side;
};
// From twelve o'clock on: 3 by 3 blocks on the border at 12, 3, 6 and 9, single pixels on a circle of
// 13.5 pixels round the centre at the other hours.
inline constexpr std::array<HourMark, 12> kHourMarks = {{
    {14, 0, 3},
    {22, 3, 1},
    {27, 8, 1},
    {28, 14, 3},
    {27, 22, 1},
    {22, 27, 1},
    {14, 28, 3},
    {8, 27, 1},
    {3, 22, 1},
    {0, 14, 3},
    {3, 8, 1},
    {8, 3, 1},
}};
inline constexpr HourMark kCentreMark{15, 15, 1};

// The pens of the hands, widths in grid pixels: the tray's bold hands are green over a black
// outline, the settings dialog's thin ones black hairlines.
struct HandPen {
    int width;
    FaceColour colour;
};
inline constexpr HandPen kOutlinePen{5, kShadowBlack};
inline constexpr HandPen kHandPen{3, kMarkGreen};
inline constexpr HandPen kHairlinePen{1, kShadowBlack};

}  // namespace tockbell
