#pragma once

#include <string>

namespace tockbell {

// The running executable's full path as the system reports it (at most 260 characters).
std::string ProgramPath();

}  // namespace tockbell
