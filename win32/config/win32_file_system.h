#pragma once

#include "platform/file_system.h"

namespace tockbell {

// The Windows file system through the ANSI calls, so that paths are taken in the system code page.
class Win32FileSystem : public FileSystem {
public:
    ReadResult Read(const std::string& path) override;
    std::optional<Stamp> StampOf(const std::string& path) override;
    bool Write(const std::string& path, std::string_view content) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
};

}  // namespace tockbell
