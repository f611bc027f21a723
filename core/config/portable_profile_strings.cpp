#include "core/config/portable_profile_strings.h"

#include "core/config/file_replace.h"
#include "core/config/profile_document.h"
#include "core/config/profile_text.h"

namespace tockbell {

std::optional<std::string_view> PortableProfileStrings::Content(const std::string& path) {
    // Stamped before reading: a change made during the read shows as a new stamp next time.
    const std::optional<FileSystem::Stamp> stamp = files_.StampOf(path);
    if (stamp && cached_ && cached_->path == path && cached_->stamp == stamp) return cached_->content;
    cached_.reset();
    // A file that cannot even be looked at cannot be read: the clock's look-ups of a missing file,
    // several a minute, cost one call rather than two.
    if (!stamp) return std::nullopt;
    FileSystem::ReadResult file = files_.Read(path);
    if (file.status != FileSystem::ReadStatus::Ok) return std::nullopt;
    cached_ = CachedFile{path, stamp, std::move(file.content)};
    return cached_->content;
}

std::string PortableProfileStrings::Read(const std::string& path, const std::string& section, const std::string& key) {
    const std::optional<std::string_view> content = Content(path);
    if (!content) return {};
    const auto value = FindProfileValue(*content, section, key);
    return value ? ProfileReadResult(*value, kReadBufferSize) : std::string();
}

bool PortableProfileStrings::Write(const std::string& path, const std::string& section, const std::string& key,
                                   const std::string& value) {
    Flush(path);
    const FileSystem::ReadResult file = files_.Read(path);
    // A file that exists but cannot be read is left alone rather than replaced by this one entry.
    if (file.status == FileSystem::ReadStatus::Unreadable) return false;
    ProfileDocument document = ProfileDocument::Parse(file.content);
    document.Set(section, key, value);
    return ReplaceFileContents(files_, path, document.Serialize());
}

void PortableProfileStrings::Flush(const std::string& path) {
    if (cached_ && cached_->path == path) cached_.reset();
}

}  // namespace tockbell
