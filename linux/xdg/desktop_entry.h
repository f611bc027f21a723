#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tockbell {

// The two desktop entries of the program: the one in the menu of programs, and the one started at
// log-on, which says so to the desktops that can switch it off.
enum class DesktopEntryKind { Menu, Autostart };

// The whole text of the program's desktop entry of `kind` that starts `executable`.
std::string DesktopEntryText(DesktopEntryKind kind, std::string_view executable);

// The value of an Exec key that starts `executable` with no arguments: quoted where the path holds a
// character the format reserves, then escaped as a string value, so that any path comes back whole.
std::string ExecValue(std::string_view executable);

// The executable an entry starts: the first argument of the first Exec key of its [Desktop Entry]
// group, unquoted and unescaped. None when the text has no such key, or its value is broken (an
// open quote) or empty.
std::optional<std::string> DesktopEntryExecutable(std::string_view text);

}  // namespace tockbell
