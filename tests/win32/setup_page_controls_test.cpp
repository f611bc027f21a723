// The Setup page's controls and their plain description, on the page made from its template.
#include "win32/settings/setup_page_controls.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "resource.h"

namespace tockbell {
namespace {

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class SetupPageControls : public testing::Test {
protected:
    SetupPageControls() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr, nullptr, nullptr);
        page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP_PAGE), parent, PlainDialog, 0);
        PrepareSetupControls(page);
    }
    ~SetupPageControls() override { DestroyWindow(parent); }
    HWND parent = nullptr;
    HWND page = nullptr;
};

struct BoxCase {
    int id;
    bool SetupControls::*box;
};

TEST_F(SetupPageControls, EachBoxShowsItsOwnFieldAndReadsBack) {
    ASSERT_NE(page, nullptr);
    const BoxCase boxes[] = {
        {IDC_SOUND_ON, &SetupControls::soundOn},       {IDC_MULTISTRIKE, &SetupControls::multistrike},
        {IDC_STRIKE_HALF, &SetupControls::strikeHalf}, {IDC_VOICE_HOURS, &SetupControls::voiceHours},
        {IDC_VOICE_HALF, &SetupControls::voiceHalf},   {IDC_SWAP_AMPM, &SetupControls::swapAmPm},
        {IDC_HIDE_ICON, &SetupControls::iconHidden},   {IDC_CLOSE_PROGRAM, &SetupControls::closeProgram},
        {IDC_UNINSTALL, &SetupControls::uninstall},
    };
    for (const BoxCase& checked : boxes) {
        SetupControls controls;
        controls.*checked.box = true;
        ShowSetupControls(page, controls);
        for (const BoxCase& box : boxes) {
            EXPECT_EQ(IsDlgButtonChecked(page, box.id) == BST_CHECKED, box.id == checked.id)
                << checked.id << " " << box.id;
        }
        EXPECT_EQ(ReadSetupControls(page), controls) << checked.id;
    }
}

TEST_F(SetupPageControls, EnabledStatesSliderAndZoneText) {
    SetupControls controls;
    controls.strikeOptionsEnabled = false;
    controls.voiceHalfEnabled = true;
    controls.volumeDivisor = 7;
    controls.zoneText = "+1 in Paris\r\n-5 in New York\r\n";
    ShowSetupControls(page, controls);
    for (const int id : {IDC_MULTISTRIKE, IDC_STRIKE_HALF, IDC_VOICE_HOURS})
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_VOICE_HALF)));
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_VOLUME, TBM_GETPOS, 0, 0), 7);
    EXPECT_EQ(ReadSetupControls(page), controls);

    // The slider keeps to its range; the language box offers English, chosen.
    SendDlgItemMessageA(page, IDC_VOLUME, TBM_SETPOS, TRUE, 12);
    EXPECT_EQ(ReadSetupControls(page).volumeDivisor, 8);
    char language[32] = "";
    GetDlgItemTextA(page, IDC_LANGUAGE, language, sizeof language);
    EXPECT_STREQ(language, "English");
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_LANGUAGE, CB_GETCOUNT, 0, 0), 1);
}

}  // namespace
}  // namespace tockbell
