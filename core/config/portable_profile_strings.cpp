#include "core/config/portable_profile_strings.h"

#include "core/config/file_replace.h"
#include "core/config/profile_document.h"
#include "core/config/profile_text.h"

namespace tockbell {

std::string PortableProfileStrings::Read(const std::string& path, const std::string& section, const std::string& key) {
    const FileSystem::ReadResult file = files_.Read(path);
    if (file.status != FileSystem::ReadStatus::Ok) return {};
    const auto value = FindProfileValue(file.content, section, key);
    return value ? ProfileReadResult(*value, kReadBufferSize) : std::string();
}

bool PortableProfileStrings::Write(const std::string& path, const std::string& section, const std::string& key,
                                   const std::string& value) {
    const FileSystem::ReadResult file = files_.Read(path);
    // A file that exists but cannot be read is left alone rather than replaced by this one entry.
    if (file.status == FileSystem::ReadStatus::Unreadable) return false;
    ProfileDocument document = ProfileDocument::Parse(file.content);
    document.Set(section, key, value);
    return ReplaceFileContents(files_, path, document.Serialize());
}

}  // namespace tockbell
