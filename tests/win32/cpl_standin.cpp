// A stand-in for the system's date and time applet: it notes every call of its entry, which the
// test reads back while it holds the library loaded.
#include <windows.h>

namespace {

struct Call {
    HWND owner;
    UINT message;
    LPARAM first;
    LPARAM second;
};

Call calls[16];
int callCount = 0;

}  // namespace

extern "C" __declspec(dllexport) LONG APIENTRY CPlApplet(HWND owner, UINT message, LPARAM first, LPARAM second) {
    if (callCount < 16) calls[callCount] = {owner, message, first, second};
    ++callCount;
    return 0;
}

// How often the entry was called, and the arguments of call `index`.
extern "C" __declspec(dllexport) int StandInCalls(int index, HWND* owner, UINT* message, LPARAM* first,
                                                  LPARAM* second) {
    if (index >= 0 && index < callCount && index < 16) {
        *owner = calls[index].owner;
        *message = calls[index].message;
        *first = calls[index].first;
        *second = calls[index].second;
    }
    return callCount;
}
