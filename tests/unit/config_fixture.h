#pragma once

#include <string>

#include <gtest/gtest.h>

#include "core/config/config_store.h"
#include "core/config/portable_profile_strings.h"
#include "platform/fakes/fake_file_system.h"

namespace tockbell {

// A configuration store on files in memory, named as for C:\Apps\Tockbell.exe.
class ConfigFixture : public testing::Test {
protected:
    static constexpr const char* kConfig = "C:\\Apps\\Tockbell.ini";
    static constexpr const char* kBackup = "C:\\Apps\\Tockbell.bak";

    std::string Config() const { return files.files.count(kConfig) ? files.files.at(kConfig) : "<none>"; }
    std::string Backup() const { return files.files.count(kBackup) ? files.files.at(kBackup) : "<none>"; }

    FakeFileSystem files;
    PortableProfileStrings strings{files};
    ConfigStore store{files, strings, kConfig, kBackup};
};

}  // namespace tockbell
