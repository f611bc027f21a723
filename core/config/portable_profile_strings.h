#pragma once

#include <optional>
#include <string_view>

#include "platform/file_system.h"
#include "platform/profile_strings.h"

namespace tockbell {

// The profile functions of the platform, rebuilt on any file system for systems that lack them.
// The last file read stays in memory while its stamp holds, so that the clock's look-ups in the
// first seconds of every minute do not read it again each time. For one thread only.
class PortableProfileStrings : public ProfileStrings {
public:
    explicit PortableProfileStrings(FileSystem& files) : files_(files) {}

    std::string Read(const std::string& path, const std::string& section, const std::string& key) override;
    bool Write(const std::string& path, const std::string& section, const std::string& key,
               const std::string& value) override;
    void Flush(const std::string& path) override;

private:
    struct CachedFile {
        std::string path;
        std::optional<FileSystem::Stamp> stamp;  // never matches when missing
        std::string content;
    };
    // The file's content, from memory while it is unchanged; nothing when it cannot be read.
    std::optional<std::string_view> Content(const std::string& path);

    FileSystem& files_;
    std::optional<CachedFile> cached_;
};

}  // namespace tockbell
