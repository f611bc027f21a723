// The clock face drawn for real with GDI at the sizes the tray and the dialog ask for, read back pixel
// by pixel.
#include "win32/app/clock_icon.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/app/clock_face_layout.h"
#include "core/app/clock_hands.h"
#include "core/config/sibling_path.h"
#include "win32/config/program_path.h"

namespace tockbell {
namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(192, 192, 192);

// The colour bitmap of an icon `side` pixels square, as RGB values, top row first; empty when the icon
// is of another size.
struct Picture {
    int side = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * side + x)]; }
    COLORREF At(IconPoint point) const { return At(point.x, point.y); }
};

Picture Pixels(HICON icon, int side) {
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    Picture picture;
    BITMAP size{};
    GetObjectA(info.hbmColor, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, side);
    EXPECT_EQ(size.bmHeight, side);
    if (size.bmWidth == side && size.bmHeight == side) {
        BITMAPINFO format{};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<DWORD> raw(static_cast<std::size_t>(side * side));
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(side), raw.data(), &format, DIB_RGB_COLORS),
                  side);
        ReleaseDC(nullptr, screen);
        picture.side = side;
        for (DWORD bgr : raw) picture.pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
        // Every pixel opaque: the mask is all zero, or the shell would show the tray through the face.
        std::vector<DWORD> mask(raw.size());
        screen = GetDC(nullptr);
        GetDIBits(screen, info.hbmMask, 0, static_cast<UINT>(side), mask.data(), &format, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(std::count(mask.begin(), mask.end(), 0u), static_cast<long>(mask.size())) << side << " pixels";
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture;
}

Picture Drawn(bool bold, int hour, int minute, int side) {
    HICON icon = DrawClockIcon(bold, hour, minute, side);
    EXPECT_NE(icon, nullptr);
    Picture picture = Pixels(icon, side);
    DestroyIcon(icon);
    return picture;
}

// A point a quarter of the way from a hand's end to the centre lies inside the hand.
IconPoint OnHand(IconPoint end, IconPoint centre) {
    return {end.x + (centre.x - end.x) / 4, end.y + (centre.y - end.y) / 4};
}

// Whether the pixel at `point` is green or, for a hand too thin to be sure which pixel of a slanting
// line it takes, one of the four beside it.
bool GreenNear(const Picture& picture, IconPoint point, bool thin) {
    if (picture.At(point) == kGreen) return true;
    if (!thin) return false;
    for (const IconPoint step : {IconPoint{-1, 0}, IconPoint{1, 0}, IconPoint{0, -1}, IconPoint{0, 1}}) {
        if (picture.At(point.x + step.x, point.y + step.y) == kGreen) return true;
    }
    return false;
}

// At 32 pixels the face is icon 129 (the committed artwork, found beside the test) wherever the hands
// are not: the twelve o'clock hands run up the middle columns.
TEST(ClockIcon, AtThirtyTwoPixelsTheFaceIsIcon129) {
    const std::string path = SiblingPath(ProgramPath(), "clock_face.ico");
    HICON face = static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    ASSERT_NE(face, nullptr);
    const Picture artwork = Pixels(face, 32);
    DestroyIcon(face);
    const Picture drawn = Drawn(true, 12, 0, 32);
    ASSERT_EQ(drawn.side, 32);
    EXPECT_EQ(artwork.At(15, 15), kGreen);
    EXPECT_EQ(artwork.At(17, 3), kBlack);  // the shadow of the block at 12
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (x >= 12 && x <= 18 && y <= 17) continue;
            EXPECT_EQ(drawn.At(x, y), artwork.At(x, y)) << x << ", " << y;
        }
    }
}

TEST(ClockIcon, BoldHandsAreGreenEdgedInBlackAtEverySize) {
    for (const int side : {16, 20, 24, 32, 48}) {
        const FaceLayout layout = FaceLayoutAt(side);
        const IconPoint centre = layout.Pixel(kClockCentre);
        for (const auto& [hour, minute] : {std::pair{10, 10}, std::pair{3, 0}, std::pair{0, 45}, std::pair{9, 0}}) {
            SCOPED_TRACE(testing::Message() << side << " pixels, " << hour << ":" << minute);
            const Picture picture = Drawn(true, hour, minute, side);
            ASSERT_EQ(picture.side, side);
            const ClockHands hands = ClockHandsAt(hour, minute);
            for (const IconPoint end : {layout.Pixel(hands.hourEnd), layout.Pixel(hands.minuteEnd)}) {
                EXPECT_TRUE(GreenNear(picture, OnHand(end, centre), layout.handWidth < 3)) << end.x << ", " << end.y;
                EXPECT_EQ(picture.At(end), kGreen);
            }
            // The corners stay the face's grey; the marks the hands do not cross stay green.
            EXPECT_EQ(picture.At(side - 1, 0), kGrey);
            EXPECT_EQ(picture.At(0, side - 1), kGrey);
            EXPECT_EQ(picture.At(layout.marks[4].x, layout.marks[4].y), kGreen);  // five o'clock
        }
        // At 03:00 both hands run straight: green across the hand's width, black beyond it on either side.
        SCOPED_TRACE(testing::Message() << side << " pixels, 3:00");
        const Picture picture = Drawn(true, 3, 0, side);
        const IconPoint onHourHand{centre.x + side / 6, centre.y};
        const int half = layout.handWidth / 2;
        for (int across = -half; across <= (layout.handWidth - 1) / 2; ++across) {
            EXPECT_EQ(picture.At(onHourHand.x, onHourHand.y + across), kGreen) << across;
        }
        EXPECT_EQ(picture.At(onHourHand.x, onHourHand.y - half - 1), kBlack);
        EXPECT_EQ(picture.At(onHourHand.x, onHourHand.y + (layout.handWidth - 1) / 2 + 1), kBlack);
        EXPECT_EQ(picture.At(onHourHand.x, onHourHand.y + side / 4), kGrey);
    }
}

TEST(ClockIcon, ThinHandsAreBlackHairlines) {
    const Picture picture = Drawn(false, 3, 0, 32);
    // 03:00: the hour hand runs from (24, 15) to the centre, the minute hand from (15, 0).
    for (int x = 16; x <= 24; ++x) EXPECT_EQ(picture.At(x, 15), kBlack) << x;
    for (int y = 3; y <= 14; ++y) EXPECT_EQ(picture.At(15, y), kBlack) << y;
    EXPECT_EQ(picture.At(15, 16), kGrey);
    EXPECT_EQ(picture.At(16, 14), kGrey);
    // The dialog's clock at 200 %: hairlines two pixels wide.
    const Picture large = Drawn(false, 3, 0, 64);
    for (int x = 34; x <= 48; ++x) EXPECT_EQ(large.At(x, 31), kBlack) << x;
    EXPECT_EQ(large.At(40, 31) == kBlack && large.At(40, 30) == kBlack ? 2 : 1, 2);
    EXPECT_EQ(large.At(40, 33), kGrey);
}

TEST(ClockIcon, EveryDrawingIsANewIconThatOutlivesTheNext) {
    HICON first = DrawClockIcon(true, 12, 0, 32);
    HICON second = DrawClockIcon(true, 6, 30, 32);
    ASSERT_NE(first, second);
    // The first keeps its own picture: its hands point up, the second's down.
    EXPECT_EQ(Pixels(first, 32).At(15, 7), kGreen);
    EXPECT_EQ(Pixels(first, 32).At(15, 22), kGrey);
    EXPECT_EQ(Pixels(second, 32).At(15, 7), kGrey);
    EXPECT_EQ(Pixels(second, 32).At(15, 22), kGreen);
    DestroyIcon(first);
    DestroyIcon(second);
}

}  // namespace
}  // namespace tockbell
