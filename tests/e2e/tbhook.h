#pragma once

// What tbdriver and tbhook.dll agree on. Under Wine a menu, a tooltip or a tab control can be read only
// inside the process that owns it, so the driver hooks that process's window thread with tbhook.dll
// and sends the window the message named here, with the driver's reply window as wParam; the hook
// answers with WM_COPYDATA holding the window's text, one line per item.
constexpr char kHookLibrary[] = "tbhook.dll";
constexpr char kHookProcedure[] = "ReadWindowHook";
constexpr char kReadMessage[] = "TockbellDriverRead";
