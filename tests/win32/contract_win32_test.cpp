#include <windows.h>

#include <commctrl.h>

#include "core/config/portable_profile_strings.h"
#include "tests/contract/profile_contract.h"
#include "tests/contract/tree_contract.h"
#include "win32/config/win32_file_system.h"
#include "win32/config/win32_profile_strings.h"
#include "win32/timetable/win32_tree_control.h"

namespace tockbell {
namespace {

Win32FileSystem files;

// The platform's own functions are the reference; the portable ones must match them on Windows too.
INSTANTIATE_TEST_SUITE_P(
    Win32, ProfileContract,
    testing::Values(ProfileImplementation{"platform", [] { return std::make_unique<Win32ProfileStrings>(); }, &files},
                    ProfileImplementation{"portable", [] { return std::make_unique<PortableProfileStrings>(files); }, &files}),
    [](const auto& test) { return test.param.name; });

// A tree view of its own, with the styles of the Table page's tree.
class OwnedTreeView : public Win32TreeControl {
public:
    OwnedTreeView() : Win32TreeControl(Create()) {}
    ~OwnedTreeView() override { DestroyWindow(Window()); }

private:
    static HWND Create() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        return CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP | TVS_HASLINES | TVS_HASBUTTONS | TVS_EDITLABELS, 0, 0,
                               300, 200, nullptr, nullptr, nullptr, nullptr);
    }
};

INSTANTIATE_TEST_SUITE_P(Win32, TreeContract,
                         testing::Values(TreeImplementation{"common", [] { return std::make_unique<OwnedTreeView>(); }}),
                         [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace tockbell
