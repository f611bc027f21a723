#include "core/config/config_store.h"

#include <utility>

#include "core/config/file_replace.h"

namespace tockbell {

ConfigStore::ConfigStore(FileSystem& files, ProfileStrings& strings, std::string configPath, std::string backupPath)
    : files_(files), strings_(strings), configPath_(std::move(configPath)), backupPath_(std::move(backupPath)) {}

std::string ConfigStore::ReadConfigString(const std::string& section, const std::string& key) {
    return strings_.Read(configPath_, section, key);
}

std::string ConfigStore::ReadText() {
    FileSystem::ReadResult present = files_.Read(configPath_);
    return present.status == FileSystem::ReadStatus::Ok ? std::move(present.content) : std::string();
}

bool ConfigStore::WriteConfigString(std::string_view section, std::string_view key, std::string_view value) {
    return Rewrite(Rotation::None,
                   [&](std::string_view, ProfileDocument& newFile) { newFile.Set(section, key, value); });
}

bool ConfigStore::Rewrite(Rotation rotation, const Builder& build) {
    const FileSystem::ReadResult present = files_.Read(configPath_);
    if (present.status == FileSystem::ReadStatus::Unreadable) return false;

    ProfileDocument newFile = ProfileDocument::Parse(rotation == Rotation::None ? present.content : std::string_view());
    build(present.content, newFile);

    if (rotation == Rotation::ToBackup) {
        // A failed backup is no reason to keep the new settings from the disk.
        if (present.status == FileSystem::ReadStatus::Ok) {
            ReplaceFileContents(files_, backupPath_, present.content);
        } else {
            files_.Remove(backupPath_);
        }
    }
    const bool replaced = ReplaceFileContents(files_, configPath_, newFile.Serialize());
    // The new file may carry the old one's stamp when both were written within the clock's granule.
    strings_.Flush(configPath_);
    return replaced;
}

}  // namespace tockbell
