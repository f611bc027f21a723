// Resource and command ids, shared by the resource script and the program.
#pragma once

// String 128 (the program's identity and the main window's title) and the tray menu 128.
#define IDR_MAINFRAME 128

#define IDD_SETTINGS 100

// The clock face the hands are drawn on; the program's own icon is IDR_MAINFRAME.
#define IDI_CLOCK_FACE 129

// The tray menu's commands. A second copy of the program posts ID_APP_PROPERTIES to the first.
#define ID_APP_PROPERTIES 57664
#define ID_BE_SILENT 32771
#define ID_APP_EXIT 57665
