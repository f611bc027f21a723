// The six bitmap buttons of the Table page with the program's own faces: the face each state shows,
// and faces a person can tell apart.
#include "win32/settings/bitmap_button.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resource.h"

namespace tockbell {
namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 18;

// The pixels of a 40 x 18 drawing, row by row.
class Canvas {
public:
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    std::vector<std::uint32_t> Pixels() const {
        GdiFlush();
        return {bits_, bits_ + kWidth * kHeight};
    }

private:
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

std::vector<std::uint32_t> BitmapPixels(const std::string& name) {
    Canvas canvas;
    const HBITMAP face = LoadBitmapA(GetModuleHandleA(nullptr), name.c_str());
    EXPECT_NE(face, nullptr) << name;
    HDC source = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(source, face);
    BitBlt(canvas.Dc(), 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(face);
    return canvas.Pixels();
}

std::vector<std::uint32_t> Drawn(const CBitmapButton& button, UINT state) {
    Canvas canvas;
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button.Window();
    item.itemState = state;
    item.hDC = canvas.Dc();
    item.rcItem = {0, 0, kWidth, kHeight};
    button.DrawItem(item);
    return canvas.Pixels();
}

bool Grey(std::uint32_t pixel) {
    const auto red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return red == green && green == blue;
}

TEST(BitmapButtons, EachStateShowsItsFaceAndTheFacesDiffer) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    for (const char* caption : {"STOP", "PLAY", "PAUSE", "RECORD", "INSERT", "SAVE"}) {
        SCOPED_TRACE(caption);
        HWND window = CreateWindowExA(0, "BUTTON", caption, WS_CHILD | BS_OWNERDRAW, 0, 0, kWidth, kHeight, parent,
                                      nullptr, nullptr, nullptr);
        CBitmapButton button;
        ASSERT_TRUE(button.Attach(window));
        EXPECT_EQ(button.FaceSize().cx, kWidth);
        EXPECT_EQ(button.FaceSize().cy, kHeight);
        char text[16] = "";
        GetWindowTextA(window, text, sizeof text);
        EXPECT_STREQ(text, caption);  // what a screen reader names it by

        const std::string name = caption;
        const std::vector<std::uint32_t> up = BitmapPixels(name + "U"), down = BitmapPixels(name + "D"),
                                         focused = BitmapPixels(name + "F"), disabled = BitmapPixels(name + "X");
        EXPECT_EQ(Drawn(button, 0), up);
        EXPECT_EQ(Drawn(button, ODS_SELECTED | ODS_FOCUS), down);
        EXPECT_EQ(Drawn(button, ODS_FOCUS), focused);
        EXPECT_EQ(Drawn(button, ODS_DISABLED), disabled);
        for (const auto* face : {&down, &focused, &disabled}) EXPECT_NE(*face, up);
        EXPECT_NE(down, focused);
        // The disabled face has no colour at all; the others have some.
        EXPECT_TRUE(std::all_of(disabled.begin(), disabled.end(), Grey));
        if (name != "STOP" && name != "PAUSE") {
            EXPECT_FALSE(std::all_of(up.begin(), up.end(), Grey));
        }
        DestroyWindow(window);
    }
    DestroyWindow(parent);
}

TEST(BitmapButtons, AButtonWithoutFacesDrawsNothing) {
    HWND window = CreateWindowExA(0, "BUTTON", "NOSUCH", WS_POPUP | BS_OWNERDRAW, 0, 0, kWidth, kHeight, nullptr,
                                  nullptr, nullptr, nullptr);
    CBitmapButton button;
    EXPECT_FALSE(button.Attach(window));
    Canvas canvas;
    const std::vector<std::uint32_t> blank = canvas.Pixels();
    EXPECT_EQ(Drawn(button, 0), blank);
    DestroyWindow(window);
}

}  // namespace
}  // namespace tockbell
