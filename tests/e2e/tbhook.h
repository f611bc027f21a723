#pragma once

// What tbdriver and tbhook.dll agree on. Under Wine a menu, a tooltip, a tab or tree control can be read,
// and a shell's file drop made, only inside the process that owns the window, so the driver hooks that
// process's window thread with tbhook.dll and sends the window one of the messages named here, with the
// driver's reply window as wParam; the hook answers with WM_COPYDATA holding text, one line per item.
// (Wine hands a hook the data of a WM_COPYDATA from another process packed, so requests carry their data
// in the reply window's title, which any process can read.)
constexpr char kHookLibrary[] = "tbhook.dll";
constexpr char kHookProcedure[] = "ReadWindowHook";
// Reads the window.
constexpr char kReadMessage[] = "TockbellDriverRead";
// Drops the files that the title names, one a line, at the point lParam (MAKELPARAM x, y) of the window's
// client area; the answer is empty when the drop is made.
constexpr char kDropMessage[] = "TockbellDriverDrop";
