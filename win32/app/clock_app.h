#pragma once

#include <windows.h>

#include <memory>
#include <optional>


namespace tockbell {

class CMainFrame;

// The application: decides at start-up whether this copy may run, makes the hidden main window and
// runs the message loop until that window is gone.
class CClockApp {
public:
    CClockApp();
    ~CClockApp();

    // False ends the process at once: another copy runs (it has been asked to open its settings), or
    // the main window could not be made.
    bool InitInstance();
    // The message loop; returns the program's exit code.
    int Run();
    // The commands that the main window leaves to the application; true when handled.
    bool OnCommand(UINT id);

private:
    std::unique_ptr<CMainFrame> mainFrame_;
};

}  // namespace tockbell
