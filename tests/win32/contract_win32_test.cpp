#include "core/config/portable_profile_strings.h"
#include "tests/contract/profile_contract.h"
#include "win32/config/win32_file_system.h"
#include "win32/config/win32_profile_strings.h"

namespace tockbell {
namespace {

Win32FileSystem files;

// The platform's own functions are the reference; the portable ones must match them on Windows too.
INSTANTIATE_TEST_SUITE_P(
    Win32, ProfileContract,
    testing::Values(ProfileImplementation{"platform", [] { return std::make_unique<Win32ProfileStrings>(); }, &files},
                    ProfileImplementation{"portable", [] { return std::make_unique<PortableProfileStrings>(files); }, &files}),
    [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace tockbell
