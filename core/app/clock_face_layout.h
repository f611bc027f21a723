#pragma once

#include <vector>

#include "core/app/clock_hands.h"

namespace tockbell {

// A square of whole pixels on a face drawn at some size.
struct FaceSquare {
    int x = 0;
    int y = 0;
    int side = 0;
    friend bool operator==(const FaceSquare&, const FaceSquare&) = default;
};

// The clock face of clock_face.h drawn `side` pixels square, as the tray and the dialog ask for it at
// each scale: the 32-pixel grid scaled, every mark and shadow on whole pixels and at least one pixel
// (scaled down, a mark would blur or vanish under its shadow), and the pens in whole pixels that keep
// the bold hand's black edge visible on both sides. At 32 pixels it is the grid itself.
struct FaceLayout {
    int side = 0;
    std::vector<FaceSquare> shadows;  // drawn first: a mark covers the shadow of its neighbour
    std::vector<FaceSquare> marks;    // the twelve hour marks, then the centre
    int outlineWidth = 0;
    int handWidth = 0;
    int hairlineWidth = 0;

    // The pixel on this face that stands for the grid pixel `grid`, centre to centre.
    IconPoint Pixel(IconPoint grid) const;
};

FaceLayout FaceLayoutAt(int side);

}  // namespace tockbell
