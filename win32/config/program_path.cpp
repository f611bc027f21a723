#include "win32/config/program_path.h"

#include <windows.h>

namespace tockbell {

std::string ProgramPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    // A path cut at the buffer's end would name the wrong files; an empty one names none.
    if (length == 0 || length >= sizeof path) return {};
    return std::string(path, length);
}

}  // namespace tockbell
