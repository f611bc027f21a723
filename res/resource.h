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

// The settings dialog, its three pages and its pictures.
#define IDD_SETTINGS 100
#define IDD_SETUP_PAGE 130
#define IDD_TABLE_PAGE 131
#define IDD_ABOUT_PAGE 132
#define IDB_ARTWORK 134
#define IDB_TAB_ICONS 135

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
