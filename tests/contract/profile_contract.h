#pragma once

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/profile_strings.h"

namespace tockbell {

// The profile-string behaviour the program relies on, run against every implementation: the same
// cases must pass for the platform's functions under Wine and for the portable one everywhere.
struct ProfileImplementation {
    std::string name;
    std::function<std::unique_ptr<ProfileStrings>()> make;
    FileSystem* files;  // the same system's, for the settings' rotation

    friend void PrintTo(const ProfileImplementation& implementation, std::ostream* out) { *out << implementation.name; }
};

class ProfileContract : public testing::TestWithParam<ProfileImplementation> {
protected:
    void SetUp() override;
    void TearDown() override;

    // A file of this test's own, so that no cache of the platform mixes two tests up.
    std::string PathFor(const std::string& name) const;
    void PutFile(const std::string& path, const std::string& bytes) const;
    std::string FileBytes(const std::string& path) const;

    std::unique_ptr<ProfileStrings> profile;
    std::string folder;
};

}  // namespace tockbell
