// The settings dialog's templates and string table as the program carries them (the resources are
// linked in): every control with its id, class, caption, style and place in dialog units, and the
// tooltip each control shows.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resource.h"
#include "tockbell_version.h"
#include "win32/settings/control_tooltips.h"

namespace tockbell {
namespace {

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A template made into a window of the dialog manager's own, with nothing of the program's code.
class Template {
public:
    Template(int id, HWND parent) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), parent, PlainDialog, 0);
    }
    ~Template() {
        if (window) DestroyWindow(window);
    }
    HWND window = nullptr;
};

std::string Text(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

enum Compare { kPlaceAndSize, kPlaceAndWidth, kPlaceOnly, kNothing };

struct ControlCase {
    int id;
    const char* className;
    const char* caption;
    DWORD styleMask;   // the bits that are compared
    DWORD styleValue;  // what they hold
    RECT units;        // x, y, width, height in dialog units
    Compare compare = kPlaceAndSize;
    bool border = false;  // a border of either kind: the system may turn one into the other
};

constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kCheckBox = BS_TYPEMASK | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kPushButton = BS_TYPEMASK | WS_VISIBLE;
constexpr DWORD kOwnerDrawn = BS_TYPEMASK | WS_TABSTOP | WS_DISABLED | WS_VISIBLE;
constexpr DWORD kText = SS_TYPEMASK | WS_VISIBLE | WS_DISABLED;

void ExpectControls(HWND dialog, const std::vector<ControlCase>& cases) {
    ASSERT_NE(dialog, nullptr);
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(c.id);
        const HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), c.className);
        EXPECT_EQ(Text(control), c.caption);
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
        EXPECT_EQ(style & c.styleMask, c.styleValue) << std::hex << style;
        if (c.border) {
            const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE));
            EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE));
        }
        RECT place{c.units.left, c.units.top, c.units.left, c.units.top};
        RECT size{0, 0, c.units.right, c.units.bottom};
        MapDialogRect(dialog, &place);
        MapDialogRect(dialog, &size);
        RECT actual{};
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        if (c.compare == kNothing) continue;
        EXPECT_EQ(actual.left, place.left);
        EXPECT_EQ(actual.top, place.top);
        if (c.compare == kPlaceAndSize || c.compare == kPlaceAndWidth) {
            EXPECT_EQ(actual.right - actual.left, size.right);
        }
        if (c.compare == kPlaceAndSize) {
            EXPECT_EQ(actual.bottom - actual.top, size.bottom);
        }
    }
}

// The size of a template in dialog units, as its client area.
void ExpectSize(HWND dialog, LONG width, LONG height) {
    RECT size{0, 0, width, height};
    MapDialogRect(dialog, &size);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
}

TEST(SettingsTemplates, TheDialog) {
    Template dialog(IDD_SETTINGS, nullptr);
    ASSERT_NE(dialog.window, nullptr);
    EXPECT_EQ(Text(dialog.window), "Tockbell Settings");
    const DWORD frame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(dialog.window, GWL_STYLE)) & frame, frame);
    ExpectSize(dialog.window, 192, 212);
    ExpectControls(
        dialog.window,
        {
            // The caption names icon 129 by its number.
            {IDC_CLOCK_ICON,
             "Static",
             "\xFF\x81",
             SS_TYPEMASK | SS_NOTIFY | kShown,
             SS_ICON | SS_NOTIFY | kShown,
             {5, 4, 20, 20},
             kPlaceOnly},  // the icon's own size
            {IDC_COPYRIGHT, "Static", TOCKBELL_COPYRIGHT, kText, SS_RIGHT | kShown | WS_DISABLED, {5, 26, 182, 8}},
            {IDC_VERSION, "Static", TOCKBELL_VERSION_LINE, kText, SS_RIGHT | kShown, {122, 36, 65, 8}},
            {IDOK, "Button", "OK", kPushButton, BS_DEFPUSHBUTTON | kShown, {29, 194, 38, 13}},
            {IDCANCEL, "Button", "Cancel", kPushButton, BS_PUSHBUTTON | kShown, {80, 194, 38, 13}},
            {IDC_SET_TIME, "Button", "Set time", kPushButton, BS_PUSHBUTTON | kShown, {149, 194, 38, 13}},
            {IDC_LINE_STRIKING, "Static", "Striking chiming talking", kText, SS_RIGHT, {67, 4, 120, 8}},
            {IDC_LINE_TOCKBELL, "Static", "TOCKBELL", kText, SS_RIGHT, {67, 14, 120, 8}},
        });
}

class PageTemplates : public testing::Test {
protected:
    static HWND Page(Template& page) {
        EXPECT_NE(page.window, nullptr);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(page.window, GWL_STYLE)) & (WS_CHILD | WS_CAPTION),
                  static_cast<DWORD>(WS_CHILD));
        ExpectSize(page.window, 180, 144);
        return page.window;
    }
    Template parent{IDD_SETTINGS, nullptr};
};

TEST_F(PageTemplates, Setup) {
    Template page(IDD_SETUP_PAGE, parent.window);
    const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP | kShown;
    const DWORD edit = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_TABSTOP | kShown;
    const DWORD slider = TBS_VERT | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP | kShown;
    const DWORD combo = CBS_DROPDOWN | CBS_SORT | WS_TABSTOP | kShown;
    const DWORD pickerStyle = DTS_TIMEFORMAT | DTS_UPDOWN | WS_TABSTOP | kShown;
    ExpectControls(
        Page(page),
        {
            {IDC_SOUND_ON, "Button", "Striking and voices", kCheckBox, check, {7, 7, 84, 10}},
            {IDC_MULTISTRIKE, "Button", "Multistrike hours", kCheckBox, check, {17, 18, 80, 10}},
            {IDC_STRIKE_HALF, "Button", "Strike half hour", kCheckBox, check, {17, 29, 81, 10}},
            {IDC_VOICE_HOURS, "Button", "Voice hours", kCheckBox, check, {17, 40, 69, 10}},
            {IDC_VOICE_HALF, "Button", "Voice half hours", kCheckBox, check, {27, 51, 72, 10}},
            {IDC_SWAP_AMPM, "Button", "Switch AM/PM", kCheckBox, check, {7, 66, 74, 10}},
            {IDC_HIDE_ICON, "Button", "Hide icon", kCheckBox, check, {7, 77, 76, 10}},
            {IDC_CLOSE_PROGRAM, "Button", "Close Tockbell", kCheckBox, check, {7, 88, 77, 10}},
            {IDC_UNINSTALL, "Button", "Uninstall Tockbell", kCheckBox, check, {7, 99, 76, 10}},
            {IDC_LANGUAGE,
             "ComboBox",
             "",
             combo | CBS_DROPDOWNLIST,
             combo,
             {125, 7, 48, 30},
             kPlaceAndWidth},  // the height is the list's when it drops down
            {IDC_VOLUME, "msctls_trackbar32", "", slider, slider, {115, 26, 12, 36}},
            {IDC_TEST_TWO, "Button", "Test 2:00", kPushButton, BS_PUSHBUTTON | kShown, {133, 28, 40, 13}},
            {IDC_TEST_HALF_PAST_FIVE, "Button", "Test 17:30", kPushButton, BS_PUSHBUTTON | kShown, {133, 46, 40, 13}},
            {0xFFFF, "Static", "Time zones and comments", kText, SS_LEFT | kShown, {84, 65, 89, 8}},
            {IDC_ZONE_FORM, "Static", "e.g. Asia/Tokyo in Tokyo", kText, SS_LEFT | kShown, {84, 73, 89, 8}},
            {IDC_ZONES, "Edit", "", edit, edit, {85, 81, 88, 29}, kPlaceAndSize, true},
            {IDC_QUIET_ON, "Button", "Quiet hours", kCheckBox, check, {7, 115, 54, 10}},
        });
    // The time pickers show the present time until the page shows the settings.
    for (const int id : {IDC_QUIET_FROM, IDC_QUIET_TO}) {
        const HWND picker = GetDlgItem(page.window, id);
        ASSERT_NE(picker, nullptr) << id;
        EXPECT_EQ(ClassOf(picker), "SysDateTimePick32");
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(picker, GWL_STYLE)) & pickerStyle, pickerStyle);
    }
}

// A label shows its whole text on its one line: a longer text would be cut off.
TEST_F(PageTemplates, SetupLabelsFitTheirPlaces) {
    Template page(IDD_SETUP_PAGE, parent.window);
    for (HWND label = GetWindow(Page(page), GW_CHILD); label != nullptr; label = GetWindow(label, GW_HWNDNEXT)) {
        if (ClassOf(label) != "Static") continue;
        const std::string text = Text(label);
        SCOPED_TRACE(text);
        const HDC context = GetDC(label);
        const HGDIOBJ font = SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(context, font);
        ReleaseDC(label, context);
        RECT place{};
        GetClientRect(label, &place);
        EXPECT_LE(extent.cx, place.right);
        EXPECT_LE(extent.cy, place.bottom);
    }
}

TEST_F(PageTemplates, Table) {
    Template page(IDD_TABLE_PAGE, parent.window);
    const DWORD tree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_NOTOOLTIPS |
                       TVS_TRACKSELECT | WS_TABSTOP | kShown;
    const DWORD spin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | kShown;
    const DWORD enabled = BS_OWNERDRAW | WS_TABSTOP | kShown;
    ExpectControls(Page(page),
                   {
                       {IDC_TREE, "SysTreeView32", "Tree1", tree, tree, {4, 4, 171, 80}, kPlaceAndSize, true},
                       {IDC_PROGRESS, "msctls_progress32", "Progress1", kShown, kShown, {4, 88, 171, 10}},
                       {IDC_STATUS, "Static", "", kText | SS_SUNKEN, SS_LEFT | SS_SUNKEN, {4, 88, 171, 10}},
                       {IDC_STOP, "Button", "STOP", kOwnerDrawn, enabled | WS_DISABLED, {4, 102, 20, 10}},
                       {IDC_PLAY, "Button", "PLAY", kOwnerDrawn, enabled | WS_DISABLED, {24, 102, 20, 10}},
                       {IDC_PAUSE, "Button", "PAUSE", kOwnerDrawn, enabled | WS_DISABLED, {44, 102, 20, 10}},
                       {IDC_RECORD, "Button", "RECORD", kOwnerDrawn, enabled, {64, 102, 20, 10}},
                       {IDC_INSERT, "Button", "INSERT", kOwnerDrawn, enabled | WS_DISABLED, {103, 102, 20, 10}},
                       {IDC_SAVE, "Button", "SAVE", kOwnerDrawn, enabled, {123, 102, 20, 10}},
                       // The spin moves itself to the box's right end and takes its width from the box.
                       {IDC_DURATION,
                        "Edit",
                        "",
                        ES_NUMBER | WS_DISABLED | kShown,
                        ES_NUMBER | kShown,
                        {150, 102, 25, 12},
                        kPlaceOnly,
                        true},
                       {IDC_DURATION_SPIN, "msctls_updown32", "", spin, spin, {165, 101, 10, 14}, kNothing},
                   });
    EXPECT_EQ(SendDlgItemMessageA(page.window, IDC_DURATION_SPIN, UDM_GETBUDDY, 0, 0),
              reinterpret_cast<LRESULT>(GetDlgItem(page.window, IDC_DURATION)));
}

TEST_F(PageTemplates, About) {
    Template page(IDD_ABOUT_PAGE, parent.window);
    const DWORD edit = ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP | kShown;
    ExpectControls(Page(page), {{IDC_ABOUT_TEXT, "Edit", "", edit, edit, {3, 4, 173, 111}, kPlaceAndSize, true}});
}

// The texts of the tools of `window`'s controls, by the id of each tool's control.
std::map<int, std::string> TooltipTexts(HWND window) {
    std::map<int, std::string> texts;
    HWND tooltip = nullptr;
    while ((tooltip = FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
        const auto count = static_cast<WPARAM>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        for (WPARAM i = 0; i < count; ++i) {
            char text[256] = "";
            TTTOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = text;
            SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool));
            if (tool.hwnd != window) continue;
            texts[GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId))] = text;
        }
    }
    return texts;
}

// The tooltip texts that a window made from the template shows.
std::map<int, std::string> TemplateTooltips(int id, HWND parent) {
    Template window(id, parent);
    ControlTooltips tooltips;
    tooltips.Create(window.window);
    tooltips.AddControlsOf(window.window);
    return TooltipTexts(window.window);
}

TEST(SettingsTooltips, EachControlShowsTheStringWithItsIdAndNoneWithout) {
    EXPECT_EQ(TemplateTooltips(IDD_SETTINGS, nullptr), (std::map<int, std::string>{
                                                           {IDOK, "Accept settings"},
                                                           {IDCANCEL, "Discard settings"},
                                                           {IDC_SET_TIME, "Set time"},
                                                           {IDC_CLOCK_ICON, "Set time"},
                                                           {IDC_LINE_STRIKING, "Striking chiming talking"},
                                                           {IDC_LINE_TOCKBELL, "Tockbell"},
                                                           {IDC_VERSION, "Version of the program"},
                                                           {IDC_COPYRIGHT, TOCKBELL_COPYRIGHT},
                                                       }));
    Template dialog(IDD_SETTINGS, nullptr);
    // "Switch AM/PM" and the labels have none.
    EXPECT_EQ(TemplateTooltips(IDD_SETUP_PAGE, dialog.window),
              (std::map<int, std::string>{
                  {IDC_SOUND_ON, "Enable/disable all sounds"},
                  {IDC_MULTISTRIKE, "Striking each Nth hour N times"},
                  {IDC_STRIKE_HALF, "Striking each half hour"},
                  {IDC_VOICE_HOURS, "Voice each hour"},
                  {IDC_VOICE_HALF, "Voice \"...thirty\" each half hour"},
                  {IDC_TEST_TWO, "Test striking and voice"},
                  {IDC_TEST_HALF_PAST_FIVE, "Test striking and voice"},
                  {IDC_HIDE_ICON, "Remove icon from system tray"},
                  {IDC_CLOSE_PROGRAM, "Stop Tockbell for this session"},
                  {IDC_UNINSTALL, "Remove Tockbell from the system"},
                  {IDC_LANGUAGE, "Select language to voice hours"},
                  {IDC_VOLUME, "Volume level"},
                  {IDC_ZONES, "Zone name or hours from UTC, then text, e.g. Europe/Paris in Paris"},
                  {IDC_QUIET_ON, "No chimes between the two times; reminders still sound"},
                  {IDC_QUIET_FROM, "The first quiet minute"},
                  {IDC_QUIET_TO, "The first minute that chimes again; the same time as from: quiet all day"},
              }));
    // The tree and the status line have none.
    EXPECT_EQ(TemplateTooltips(IDD_TABLE_PAGE, dialog.window),
              (std::map<int, std::string>{
                  {IDC_RECORD, "Record"},
                  {IDC_PROGRESS, "Progress of recording"},
                  {IDC_DURATION, "Record duration"},
                  {IDC_DURATION_SPIN, "Record duration"},
                  {IDC_INSERT, "Insert recorded voice message into time-table"},
                  {IDC_PAUSE, "Pause"},
                  {IDC_PLAY, "Play"},
                  {IDC_STOP, "Stop"},
                  {IDC_SAVE, "Save time-table"},
              }));
    EXPECT_TRUE(TemplateTooltips(IDD_ABOUT_PAGE, dialog.window).empty());
}

}  // namespace
}  // namespace tockbell
