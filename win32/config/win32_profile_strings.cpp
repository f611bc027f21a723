#include "win32/config/win32_profile_strings.h"

#include <windows.h>

namespace tockbell {

std::string Win32ProfileStrings::Read(const std::string& path, const std::string& section, const std::string& key) {
    char buffer[kReadBufferSize];
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, path.c_str());
    return std::string(buffer, length);
}

bool Win32ProfileStrings::Write(const std::string& path, const std::string& section, const std::string& key,
                                const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

void Win32ProfileStrings::Flush(const std::string& path) {
    // The documented way to make the platform drop the file it keeps in memory.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

}  // namespace tockbell
