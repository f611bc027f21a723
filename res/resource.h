// Resource and command ids, shared by the resource script and the program.
#pragma once

// String 128 (the program's identity and the main window's title) and the tray menu 128.
#define IDR_MAINFRAME 128

// The clock face the hands are drawn on; the program's own icon is IDR_MAINFRAME.
#define IDI_CLOCK_FACE 129

// The tray menu's commands. A second copy of the program posts ID_APP_PROPERTIES to the first.
#define ID_APP_PROPERTIES 57664
#define ID_BE_SILENT 32771
#define ID_APP_EXIT 57665
#define ID_SAY_TIME 32803

// The settings dialog, its three pages and its pictures.
#define IDD_SETTINGS 100
#define IDD_SETUP_PAGE 130
#define IDD_TABLE_PAGE 131
#define IDD_ABOUT_PAGE 132
#define IDB_ARTWORK 134
#define IDB_TAB_ICONS 135
// The same pictures drawn for screens at 150 and 200 %.
#define IDB_ARTWORK_150 139
#define IDB_ARTWORK_200 140
#define IDB_TAB_ICONS_150 141
#define IDB_TAB_ICONS_200 142

// The About text, scrambled with string IDS_ABOUT_KEY (the copyright line) as its key. The
// resource script names it TEXT itself: a quoted name would be taken for a file name there.
#define IDR_ABOUT_TEXT "TEXT"
#define RT_ABOUT_TEXT 23
#define IDS_ABOUT_KEY 1025
#define TOCKBELL_COPYRIGHT "(c) 2026, The Tockbell authors"

// Controls of the dialog itself. A control's tooltip is the string with its id.
#define IDC_SET_TIME 3
#define IDC_CLOCK_ICON 1001
#define IDC_TABS 1012
#define IDC_LINE_STRIKING 1026
#define IDC_LINE_TOCKBELL 1027
#define IDC_VERSION 1028
#define IDC_COPYRIGHT 1029

// Setup page.
#define IDC_SOUND_ON 1002
#define IDC_MULTISTRIKE 1003
#define IDC_STRIKE_HALF 1004
#define IDC_VOICE_HOURS 1005
#define IDC_VOICE_HALF 1006
#define IDC_TEST_TWO 1007
#define IDC_TEST_HALF_PAST_FIVE 1008
#define IDC_HIDE_ICON 1009
#define IDC_CLOSE_PROGRAM 1010
#define IDC_UNINSTALL 1011
#define IDC_SWAP_AMPM 1012
#define IDC_LANGUAGE 1015
#define IDC_VOLUME 1016
#define IDC_ZONES 1034
#define IDC_ZONE_FORM 1035
#define IDC_QUIET_ON 1036
#define IDC_QUIET_FROM 1037
#define IDC_QUIET_TO 1038

// Table page: the time-table tree, its status line and the recorder.
#define IDC_RECORD 1017
#define IDC_PROGRESS 1019
#define IDC_DURATION 1020
#define IDC_DURATION_SPIN 1021
#define IDC_INSERT 1022
#define IDC_TREE 1023
#define IDC_STATUS 1024
#define IDC_PAUSE 1030
#define IDC_PLAY 1031
#define IDC_STOP 1032
#define IDC_SAVE 1033

// About page.
#define IDC_ABOUT_TEXT 1013

// The time-table tree's context menu 133 and its commands.
#define IDR_TREE_MENU 133
#define ID_TREE_DELETE 32772
#define ID_TREE_NEW_ITEM 32773
#define ID_SECTION_TODAY 32774
#define ID_SECTION_TOMORROW 32775
#define ID_SECTION_EVERYDAY 32776
#define ID_SECTION_MONDAY 32777
#define ID_SECTION_TUESDAY 32778
#define ID_SECTION_POWER_ON 32779
#define ID_SECTION_WEDNESDAY 32780
#define ID_SECTION_THURSDAY 32781
#define ID_SECTION_FRIDAY 32782
#define ID_SECTION_SATURDAY 32783
#define ID_SECTION_SUNDAY 32784
#define ID_SECTION_DAY 32785
#define ID_SECTION_JANUARY 32786
#define ID_SECTION_FEBRUARY 32787
#define ID_SECTION_MARCH 32788
#define ID_SECTION_APRIL 32789
#define ID_SECTION_MAY 32790
#define ID_SECTION_JUNE 32791
#define ID_SECTION_JULY 32792
#define ID_SECTION_AUGUST 32793
#define ID_SECTION_SEPTEMBER 32794
#define ID_SECTION_OCTOBER 32795
#define ID_SECTION_NOVEMBER 32796
#define ID_SECTION_DECEMBER 32797
#define ID_TREE_BROWSE 32798
#define ID_TREE_RELOAD 32799
#define ID_TREE_SAVE 32800
#define ID_TREE_INSERT 32801
#define ID_TREE_EDIT 32802

// The cursors of a drag in the tree: copy, nothing to drop on, move.
#define IDC_DRAG_COPY 136
#define IDC_DRAG_NONE 137
#define IDC_DRAG_MOVE 138
