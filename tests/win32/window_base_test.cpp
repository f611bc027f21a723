// The window-procedure bridge and the message tables against real windows and menus.
#include "win32/window/window_base.h"

#include <gtest/gtest.h>

#include <memory>

#include "win32/window/message_map.h"

namespace tockbell {
namespace {

constexpr UINT kCommand = 100;
constexpr UINT kUnknownCommand = 102;

class TestWindow : public WindowBase {
public:
    bool Create() { return CreateTopLevel("TockbellTestWindow", "Test", WS_OVERLAPPEDWINDOW, nullptr) != nullptr; }

    int created = 0;
    int commands = 0;
    WPARAM lastWParam = 0;
    LPARAM lastLParam = 0;

private:
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCreate() { ++created; }
    LRESULT OnApp(WPARAM wParam, LPARAM lParam) {
        lastWParam = wParam;
        lastLParam = lParam;
        return 42;
    }
    void OnTheCommand() { ++commands; }

    static const MessageEntry<TestWindow> kMessageMap[];
};

const MessageEntry<TestWindow> TestWindow::kMessageMap[] = {
    OnMessage(WM_CREATE, &TestWindow::OnCreate),
    OnMessage(WM_APP, &TestWindow::OnApp),
    OnCommand(kCommand, &TestWindow::OnTheCommand),
};

std::optional<LRESULT> TestWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch<TestWindow>(kMessageMap, *this, message, wParam, lParam);
}

TEST(WindowBase, CreationReachesTheObject) {
    TestWindow window;
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(window.created, 1);
    EXPECT_EQ(GetWindowLongPtrA(window.Window(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&window));
    DestroyWindow(window.Window());
}

TEST(WindowBase, MessagesReachTheirHandlersWithTheirParameters) {
    TestWindow window;
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(SendMessageA(window.Window(), WM_APP, 7, 9), 42);
    EXPECT_EQ(window.lastWParam, 7u);
    EXPECT_EQ(window.lastLParam, 9);
    DestroyWindow(window.Window());
}

TEST(WindowBase, CommandsFromMenusAndAcceleratorsOnly) {
    TestWindow window;
    ASSERT_TRUE(window.Create());
    SendMessageA(window.Window(), WM_COMMAND, MAKEWPARAM(kCommand, 0), 0);  // menu or button click
    SendMessageA(window.Window(), WM_COMMAND, MAKEWPARAM(kCommand, 1), 0);  // accelerator
    SendMessageA(window.Window(), WM_COMMAND, MAKEWPARAM(kCommand, EN_CHANGE), 0);
    SendMessageA(window.Window(), WM_COMMAND, MAKEWPARAM(kUnknownCommand, 0), 0);
    EXPECT_EQ(window.commands, 2);
    DestroyWindow(window.Window());
}

TEST(WindowBase, ADestroyedWindowLeavesTheObject) {
    TestWindow window;
    ASSERT_TRUE(window.Create());
    const HWND hwnd = window.Window();
    DestroyWindow(hwnd);
    EXPECT_EQ(window.Window(), nullptr);
}

TEST(WindowBase, AWindowOutlivingItsObjectFallsBackToTheDefault) {
    auto window = std::make_unique<TestWindow>();
    ASSERT_TRUE(window->Create());
    const HWND hwnd = window->Window();
    window.reset();
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_APP, 7, 9), 0);
    DestroyWindow(hwnd);
}

// Takes over a static text: WM_APP answers here, the rest is the static's own.
class TakenOver : public WindowBase {
public:
    using WindowBase::Subclass;
    std::optional<LRESULT> WndProc(UINT message, WPARAM, LPARAM) override {
        if (message != WM_APP) return std::nullopt;
        ++apps;
        return 7;
    }
    int apps = 0;
};

TEST(WindowBase, ASubclassedControlKeepsItsOwnHandling) {
    const HWND label = CreateWindowExA(0, "STATIC", "text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    const auto own = GetWindowLongPtrA(label, GWLP_WNDPROC);
    {
        TakenOver object;
        ASSERT_TRUE(object.Subclass(label));
        EXPECT_EQ(SendMessageA(label, WM_APP, 0, 0), 7);
        EXPECT_EQ(object.apps, 1);
        char text[16] = "";
        GetWindowTextA(label, text, sizeof text);  // the static's own WM_GETTEXT
        EXPECT_STREQ(text, "text");
    }
    // The object has gone; the control is the static it was.
    EXPECT_EQ(GetWindowLongPtrA(label, GWLP_WNDPROC), own);
    EXPECT_EQ(SendMessageA(label, WM_APP, 0, 0), 0);
    DestroyWindow(label);
}

}  // namespace
}  // namespace tockbell
