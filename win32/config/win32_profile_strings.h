#pragma once

#include "platform/profile_strings.h"

namespace tockbell {

// GetPrivateProfileStringA and WritePrivateProfileStringA.
class Win32ProfileStrings : public ProfileStrings {
public:
    std::string Read(const std::string& path, const std::string& section, const std::string& key) override;
    bool Write(const std::string& path, const std::string& section, const std::string& key,
               const std::string& value) override;
    void Flush(const std::string& path) override;
};

}  // namespace tockbell
