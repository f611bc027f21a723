#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tockbell {

// What the program needs of the file system. Paths are in the platform's own form.
class FileSystem {
public:
    enum class ReadStatus { Ok, Missing, Unreadable };
    struct ReadResult {
        ReadStatus status = ReadStatus::Missing;
        std::string content;
    };
    // What changes when a file is written: its size and its last-write time in the platform's units.
    struct Stamp {
        std::uint64_t size = 0;
        std::int64_t modified = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };

    virtual ~FileSystem() = default;

    virtual ReadResult Read(const std::string& path) = 0;
    // Nothing when the file is missing or cannot be looked at.
    virtual std::optional<Stamp> StampOf(const std::string& path) = 0;
    // Creates or truncates `path` and writes `content` through to the disk; false if any step failed.
    virtual bool Write(const std::string& path, std::string_view content) = 0;
    // Puts `from` in the place of `to` in one step: at every instant `to` is the old or the new file.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    // True when the file is gone, including when it never existed.
    virtual bool Remove(const std::string& path) = 0;
};

}  // namespace tockbell
