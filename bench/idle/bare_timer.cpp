// The yardstick of bench/idle_cpu.sh: the least that a program waking once a second does under Wine,
// a hidden window with a 1000 ms timer whose messages do nothing, and the message loop.
#include <windows.h>

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr UINT kPeriodMilliseconds = 1000;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BareTimer";
    if (RegisterClassA(&windowClass) == 0) return 1;
    // The title lets the benchmark find the program, as it finds the clock by its main window.
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Bare timer", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, instance, nullptr);
    if (window == nullptr || SetTimer(window, kTimer, kPeriodMilliseconds, nullptr) == 0) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
