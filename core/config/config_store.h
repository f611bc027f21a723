#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/config/profile_document.h"
#include "core/config/program_files.h"
#include "platform/file_system.h"
#include "platform/profile_strings.h"

namespace tockbell {

enum class Rotation { None, ToBackup };

// The configuration file beside the program and its backup. Every change builds the complete new
// file first and puts it in place in one step, so a crash never leaves a half-written time-table.
class ConfigStore {
public:
    // Fills the new file. `presentText` is the file as it is now (empty when there is none).
    using Builder = std::function<void(std::string_view presentText, ProfileDocument& newFile)>;

    ConfigStore(FileSystem& files, ProfileStrings& strings, std::string configPath, std::string backupPath);
    // The program's own settings file and its backup.
    ConfigStore(FileSystem& files, ProfileStrings& strings, const ProgramFiles& own)
        : ConfigStore(files, strings, own.Settings(), own.Backup()) {}

    const std::string& ConfigPath() const { return configPath_; }

    std::string ReadConfigString(const std::string& section, const std::string& key);
    // The whole file as it is now; empty when it is missing or cannot be read.
    std::string ReadText();
    bool WriteConfigString(std::string_view section, std::string_view key, std::string_view value);

    // Without rotation the new file starts as the present one; with rotation it starts empty and the
    // backup becomes a copy of the present file. Nothing is written, and false returned, when the
    // present file exists but cannot be read.
    bool Rewrite(Rotation rotation, const Builder& build);

private:
    FileSystem& files_;
    ProfileStrings& strings_;
    std::string configPath_;
    std::string backupPath_;
};

}  // namespace tockbell
