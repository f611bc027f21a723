#pragma once

#include <cstddef>
#include <string>

namespace tockbell {

// The platform's profile-string functions on one INI file: names compared without regard to case,
// values read with an empty default into a buffer of 260 characters. Like the platform's, an
// implementation may keep the file in memory while its size and write time stay the same.
class ProfileStrings {
public:
    static constexpr std::size_t kReadBufferSize = 260;

    virtual ~ProfileStrings() = default;

    // The value, cut to kReadBufferSize - 1 characters; empty when the file, section or key is missing.
    virtual std::string Read(const std::string& path, const std::string& section, const std::string& key) = 0;
    // Creates the file, the section or the key as needed, or replaces the key's value in place.
    virtual bool Write(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    // Forgets what is kept in memory of the file, after it was changed by other means.
    virtual void Flush(const std::string& path) = 0;
};

}  // namespace tockbell
