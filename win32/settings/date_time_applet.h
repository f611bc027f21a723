#pragma once

#include <string>

namespace tockbell {

// The system's date and time settings: the Control Panel applet "timedate.cpl" in the system folder.
// With `open` false, only whether it can be run; with `open` true, shows it and returns (false)
// when the user has closed it.
bool RunDateTimeApplet(bool open);

// The same for the applet library at `path`, entered through its "CPlApplet".
bool RunControlPanelApplet(const std::string& path, bool open);

}  // namespace tockbell
