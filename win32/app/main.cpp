#include <windows.h>

#include "win32/app/clock_app.h"

namespace tockbell {

CClockApp theApp;

}  // namespace tockbell

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return tockbell::theApp.InitInstance() ? tockbell::theApp.Run() : 0;
}
