#include "core/app/clock_face_layout.h"

#include <algorithm>
#include <cmath>

#include "core/app/clock_face.h"

namespace tockbell {

namespace {

constexpr int kGrid = 32;

// Rounded to the nearest whole pixel, halves down: a 16-pixel face keeps a one-pixel hand between
// its two one-pixel edges.
int RoundHalfDown(double value) { return static_cast<int>(std::ceil(value - 0.5)); }

}  // namespace

IconPoint FaceLayout::Pixel(IconPoint grid) const {
    const double scale = side / double(kGrid);
    return {static_cast<int>(std::lround((grid.x + 0.5) * scale - 0.5)),
            static_cast<int>(std::lround((grid.y + 0.5) * scale - 0.5))};
}

FaceLayout FaceLayoutAt(int side) {
    FaceLayout layout;
    layout.side = side;
    const double scale = side / double(kGrid);
    const auto pixels = [scale](int grid) { return static_cast<int>(std::lround(grid * scale)); };
    const int shadowOffset = std::max(1, pixels(1));
    const auto square = [&](const HourMark& mark, int offset) {
        return FaceSquare{pixels(mark.x) + offset, pixels(mark.y) + offset, std::max(1, pixels(mark.side))};
    };
    for (const HourMark& mark : kHourMarks) layout.shadows.push_back(square(mark, shadowOffset));
    for (const HourMark& mark : kHourMarks) layout.marks.push_back(square(mark, 0));
    layout.marks.push_back(square(kCentreMark, 0));
    const int edge = std::max(1, RoundHalfDown((kOutlinePen.width - kHandPen.width) / 2.0 * scale));
    layout.handWidth = std::max(1, RoundHalfDown(kHandPen.width * scale));
    layout.outlineWidth = layout.handWidth + 2 * edge;
    layout.hairlineWidth = std::max(1, RoundHalfDown(kHairlinePen.width * scale));
    return layout;
}

}  // namespace tockbell
