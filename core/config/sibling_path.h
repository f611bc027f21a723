#pragma once

#include <string>
#include <string_view>

namespace tockbell {

// The name of a file the program keeps beside itself: a name beginning with "." replaces the
// program's extension (".ini", ".bak", ".wav", ".txt"), any other name its file name.
std::string SiblingPath(std::string_view programPath, std::string_view name);

}  // namespace tockbell
