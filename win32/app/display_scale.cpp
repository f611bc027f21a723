#include "win32/app/display_scale.h"

namespace tockbell {

namespace {

constexpr UINT kStandardDpi = 96;

template <class Function>
Function User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kStandardDpi;
}

}  // namespace

UINT WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : ScreenDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    static const auto getSystemMetricsForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return getSystemMetricsForDpi ? getSystemMetricsForDpi(index, dpi) : GetSystemMetrics(index);
}

int ScaledPixels(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kStandardDpi); }

}  // namespace tockbell
