#pragma once

#include "platform/file_system.h"
#include "platform/profile_strings.h"

namespace tockbell {

// The profile functions of the platform, rebuilt on any file system for systems that lack them.
class PortableProfileStrings : public ProfileStrings {
public:
    explicit PortableProfileStrings(FileSystem& files) : files_(files) {}

    std::string Read(const std::string& path, const std::string& section, const std::string& key) override;
    bool Write(const std::string& path, const std::string& section, const std::string& key,
               const std::string& value) override;

private:
    FileSystem& files_;
};

}  // namespace tockbell
