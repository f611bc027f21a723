#include "core/config/portable_profile_strings.h"
#include "platform/fakes/fake_tree_control.h"
#include "posix/posix_file_system.h"
#include "tests/contract/profile_contract.h"
#include "tests/contract/tree_contract.h"

namespace tockbell {
namespace {

PosixFileSystem files;

INSTANTIATE_TEST_SUITE_P(Native, ProfileContract,
                         testing::Values(ProfileImplementation{
                             "portable", [] { return std::make_unique<PortableProfileStrings>(files); }, &files}),
                         [](const auto& test) { return test.param.name; });

INSTANTIATE_TEST_SUITE_P(Native, TreeContract,
                         testing::Values(TreeImplementation{"fake", [] { return std::make_unique<FakeTreeControl>(); }}),
                         [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace tockbell
