// The clock face drawn for real with GDI, read back pixel by pixel.
#include "win32/app/clock_icon.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/app/clock_hands.h"
#include "core/config/sibling_path.h"
#include "win32/config/program_path.h"

namespace tockbell {
namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(192, 192, 192);

// The colour bitmap of an icon as 32 by 32 RGB values, top row first.
std::vector<COLORREF> Pixels(HICON icon) {
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> raw(32 * 32);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(screen, info.hbmColor, 0, 32, raw.data(), &format, DIB_RGB_COLORS), 32);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    std::vector<COLORREF> pixels;
    for (DWORD bgr : raw) pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    return pixels;
}

COLORREF At(const std::vector<COLORREF>& pixels, int x, int y) { return pixels[static_cast<std::size_t>(y * 32 + x)]; }

// A point a quarter of the way from a hand's end to the centre lies inside the hand.
IconPoint OnHand(IconPoint end) {
    return {end.x + (kClockCentre.x - end.x) / 4, end.y + (kClockCentre.y - end.y) / 4};
}

class ClockIconTest : public testing::Test {
protected:
    void SetUp() override {
        // The build puts the committed artwork beside the test.
        const std::string path = SiblingPath(ProgramPath(), "clock_face.ico");
        face = static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
        ASSERT_NE(face, nullptr);
    }
    void TearDown() override { DestroyIcon(face); }
    HICON face = nullptr;
};

TEST_F(ClockIconTest, TheFaceIsGreyWithGreenMarks) {
    const std::vector<COLORREF> pixels = Pixels(face);
    EXPECT_EQ(At(pixels, 5, 25), kGrey);
    EXPECT_EQ(At(pixels, 15, 15), kGreen);
    EXPECT_EQ(At(pixels, 15, 1), kGreen);  // the block at 12
    EXPECT_EQ(At(pixels, 17, 3), kBlack);  // and its shadow
}

TEST_F(ClockIconTest, BoldHandsAreGreenEdgedInBlack) {
    ClockIconPainter painter(face);
    for (const auto& [hour, minute] : {std::pair{10, 10}, std::pair{3, 0}, std::pair{0, 45}, std::pair{9, 0}}) {
        HICON icon = painter.DrawClockIcon(true, hour, minute);
        const std::vector<COLORREF> pixels = Pixels(icon);
        const ClockHands hands = ClockHandsAt(hour, minute);
        SCOPED_TRACE(testing::Message() << hour << ":" << minute);
        for (const IconPoint end : {hands.hourEnd, hands.minuteEnd}) {
            const IconPoint inside = OnHand(end);
            EXPECT_EQ(At(pixels, inside.x, inside.y), kGreen);
        }
        EXPECT_EQ(At(pixels, hands.minuteEnd.x, hands.minuteEnd.y), kGreen);
        DestroyIcon(icon);
    }
    // At 03:00 both hands run straight: 3 green pixels across, a black one on either side.
    HICON icon = painter.DrawClockIcon(true, 3, 0);
    const std::vector<COLORREF> pixels = Pixels(icon);
    for (int across = -1; across <= 1; ++across) {
        EXPECT_EQ(At(pixels, 20, 15 + across), kGreen);
        EXPECT_EQ(At(pixels, 15 + across, 5), kGreen);
    }
    for (int side : {-2, 2}) {
        EXPECT_EQ(At(pixels, 20, 15 + side), kBlack);
        EXPECT_EQ(At(pixels, 15 + side, 5), kBlack);
    }
    DestroyIcon(icon);
}

TEST_F(ClockIconTest, ThinHandsAreBlackHairlines) {
    ClockIconPainter painter(face);
    HICON icon = painter.DrawClockIcon(false, 3, 0);
    const std::vector<COLORREF> pixels = Pixels(icon);
    // 03:00: the hour hand runs from (24, 15) to the centre, the minute hand from (15, 0).
    for (int x = 16; x <= 24; ++x) EXPECT_EQ(At(pixels, x, 15), kBlack) << x;
    for (int y = 3; y <= 14; ++y) EXPECT_EQ(At(pixels, 15, y), kBlack) << y;
    EXPECT_EQ(At(pixels, 15, 16), kGrey);
    EXPECT_EQ(At(pixels, 16, 14), kGrey);
    DestroyIcon(icon);
}

TEST_F(ClockIconTest, EveryDrawingIsANewIconThatOutlivesTheNext) {
    ClockIconPainter painter(face);
    HICON first = painter.DrawClockIcon(true, 12, 0);
    HICON second = painter.DrawClockIcon(true, 6, 30);
    ASSERT_NE(first, second);
    // The first keeps its own picture: its hands point up, the second's down.
    EXPECT_EQ(At(Pixels(first), 15, 7), kGreen);
    EXPECT_EQ(At(Pixels(first), 15, 22), kGrey);
    EXPECT_EQ(At(Pixels(second), 15, 7), kGrey);
    EXPECT_EQ(At(Pixels(second), 15, 22), kGreen);
    DestroyIcon(first);
    DestroyIcon(second);
}

}  // namespace
}  // namespace tockbell
