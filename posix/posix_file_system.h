#pragma once

#include "platform/file_system.h"

namespace tockbell {

// The file system of POSIX systems, for the native tools and the Linux front end.
class PosixFileSystem : public FileSystem {
public:
    ReadResult Read(const std::string& path) override;
    std::optional<Stamp> StampOf(const std::string& path) override;
    bool Write(const std::string& path, std::string_view content) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
};

}  // namespace tockbell
