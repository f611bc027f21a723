// Loaded by Wine into a process that tbdriver hooks (see tbhook.h): reads the window that the driver
// names, from inside its process, and sends the text back to the driver; or drops files on it.
//
//   popup menu (class "#32768")   one line per item: its centre on the screen, a tab, then "-" for a
//                                 separator or the item's text with [default], [checked], [grayed]
//   tooltip control               one line per tool that holds a text of its own: that text; a balloon
//                                 (a tray icon's notification) only while it shows, "balloon", a tab,
//                                 then its text
//   tab control                   one line per tab: its rectangle on the screen (left top right
//                                 bottom), a tab, its text, then " [selected]" for the current one
//   tree control                  one line per node, parents before their children: the centre of its
//                                 label on the screen ("-" while it is folded or scrolled away), a tab, two
//                                 blanks per level above it, its text, then those of " [bold]",
//                                 " [expanded]", " [selected]", " [drop]" (the drop highlight) and
//                                 " [editing: TEXT]" (the label edit's text now) that hold
//   dialog (class "#32770")       one line per shown window at any depth below it, parents before their
//                                 children: its handle, its parent's handle, its id and class, tab-separated,
//                                 then, tab-separated too, three rectangles on the screen (left top right
//                                 bottom): its parent's client area, its own, and its ink, where its text
//                                 (with a check box's box) is drawn as its style aligns it; for a control
//                                 without such text the ink is its rectangle. The dialog itself comes first,
//                                 as its own parent.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tbhook.h"

namespace {

constexpr UINT kReplyMilliseconds = 5000;

std::string MenuText(HWND window) {
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    const int count = GetMenuItemCount(menu);
    std::string text;
    for (int position = 0; position < count; ++position) {
        const auto index = static_cast<UINT>(position);
        char label[256] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = label;
        item.cch = sizeof label;
        RECT rect{};
        if (!GetMenuItemInfoA(menu, index, TRUE, &item) || !GetMenuItemRect(window, menu, index, &rect)) {
            return text + "unreadable item\n";
        }
        text += std::to_string((rect.left + rect.right) / 2) + ' ' + std::to_string((rect.top + rect.bottom) / 2);
        if ((item.fType & MFT_SEPARATOR) != 0) {
            text += "\t-\n";
            continue;
        }
        text += '\t';
        text += label;
        if ((item.fState & MFS_DEFAULT) != 0) text += " [default]";
        if ((item.fState & MFS_CHECKED) != 0) text += " [checked]";
        if ((item.fState & MFS_GRAYED) != 0) text += " [grayed]";
        text += '\n';
    }
    return text;
}

std::string TipText(HWND window) {
    const auto count = static_cast<WPARAM>(SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0));
    std::string text;
    // A balloon starts its line with a mark of its own; Wine keeps its title where no message reads it.
    const bool balloon = (GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON) != 0;
    if (balloon && !IsWindowVisible(window)) return text;
    const std::string mark = balloon ? "balloon\t" : "";
    for (WPARAM index = 0; index < count; ++index) {
        char tip[1024] = "";  // far more than a tooltip control hands out
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = tip;
        // A tool whose text its owner hands out only when asked (a tab control's) has none to list.
        if (SendMessageA(window, TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(&tool)) != 0 && tool.lpszText == tip) {
            text += mark + tip;
            text += '\n';
        }
    }
    return text;
}

std::string TabText(HWND window) {
    const auto count = static_cast<int>(SendMessageA(window, TCM_GETITEMCOUNT, 0, 0));
    const auto selected = static_cast<int>(SendMessageA(window, TCM_GETCURSEL, 0, 0));
    std::string text;
    for (int index = 0; index < count; ++index) {
        const auto position = static_cast<WPARAM>(index);
        char label[256] = "";
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = label;
        item.cchTextMax = sizeof label;
        RECT rect{};
        if (SendMessageA(window, TCM_GETITEMA, position, reinterpret_cast<LPARAM>(&item)) == 0 ||
            SendMessageA(window, TCM_GETITEMRECT, position, reinterpret_cast<LPARAM>(&rect)) == 0) {
            return text + "unreadable tab\n";
        }
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        text += std::to_string(rect.left) + ' ' + std::to_string(rect.top) + ' ' + std::to_string(rect.right) + ' ' +
                std::to_string(rect.bottom) + '\t' + label + (index == selected ? " [selected]" : "") + '\n';
    }
    return text;
}

// The node whose row holds the label edit, found by place: the control does not tell which it is.
HTREEITEM EditedNode(HWND tree, HWND edit) {
    RECT rect{};
    if (edit == nullptr || !IsWindowVisible(edit) || !GetWindowRect(edit, &rect)) return nullptr;
    MapWindowPoints(nullptr, tree, reinterpret_cast<POINT*>(&rect), 2);
    TVHITTESTINFO hit{};
    hit.pt = {0, (rect.top + rect.bottom) / 2};
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit.hItem;
}

void AddTreeLines(HWND tree, HTREEITEM first, const std::string& indent, HTREEITEM edited, std::string& text) {
    const HTREEITEM selected = TreeView_GetSelection(tree);
    const HTREEITEM drop = TreeView_GetDropHilight(tree);
    RECT client{};
    GetClientRect(tree, &client);
    for (HTREEITEM node = first; node != nullptr; node = TreeView_GetNextSibling(tree, node)) {
        char label[1024] = "";
        TVITEMA item{};
        item.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
        item.hItem = node;
        item.stateMask = TVIS_BOLD | TVIS_EXPANDED;
        item.pszText = label;
        item.cchTextMax = sizeof label;
        if (!TreeView_GetItem(tree, &item)) {
            text += "-\tunreadable node\n";
            continue;
        }
        // The control takes the node in the rectangle it fills.
        RECT rect{};
        std::memcpy(&rect, &node, sizeof node);
        POINT centre{-1, -1};
        if (SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)) != 0) {
            centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        }
        if (PtInRect(&client, centre)) {
            MapWindowPoints(tree, nullptr, &centre, 1);
            text += std::to_string(centre.x) + ' ' + std::to_string(centre.y);
        } else {
            text += '-';
        }
        text += '\t' + indent + label;
        if ((item.state & TVIS_BOLD) != 0) text += " [bold]";
        if ((item.state & TVIS_EXPANDED) != 0) text += " [expanded]";
        if (node == selected) text += " [selected]";
        if (node == drop) text += " [drop]";
        if (node == edited) {
            char typed[1024] = "";
            GetWindowTextA(TreeView_GetEditControl(tree), typed, sizeof typed);
            text += std::string(" [editing: ") + typed + ']';
        }
        text += '\n';
        AddTreeLines(tree, TreeView_GetChild(tree, node), indent + "  ", edited, text);
    }
}

std::string TreeText(HWND tree) {
    std::string text;
    AddTreeLines(tree, TreeView_GetRoot(tree), "", EditedNode(tree, TreeView_GetEditControl(tree)), text);
    return text;
}

std::string RectText(RECT rect) {
    return std::to_string(rect.left) + ' ' + std::to_string(rect.top) + ' ' + std::to_string(rect.right) + ' ' +
           std::to_string(rect.bottom);
}

RECT ScreenClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// Where the control draws its text, as its style places it, on the screen.
RECT Ink(HWND control, const std::string& kind, RECT rect) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    const DWORD buttonType = style & BS_TYPEMASK;
    const bool checkBox = kind == WC_BUTTONA && (buttonType == BS_CHECKBOX || buttonType == BS_AUTOCHECKBOX ||
                                                 buttonType == BS_RADIOBUTTON || buttonType == BS_AUTORADIOBUTTON);
    const DWORD staticType = style & SS_TYPEMASK;
    const bool text = kind == WC_STATICA && (staticType == SS_LEFT || staticType == SS_RIGHT ||
                                             staticType == SS_CENTER || staticType == SS_LEFTNOWORDWRAP);
    char caption[256] = "";
    const int length = GetWindowTextA(control, caption, sizeof caption);
    if ((!checkBox && !text) || length == 0) return rect;
    HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, caption, length, &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT ink{rect.left, rect.top, rect.left + extent.cx, rect.top + extent.cy};
    if (checkBox) {
        // The box, and the gap the button leaves between it and the text.
        ink.right += GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);
    } else if (staticType == SS_RIGHT) {
        ink = {rect.right - extent.cx, rect.top, rect.right, rect.top + extent.cy};
    } else if (staticType == SS_CENTER) {
        const LONG left = (rect.left + rect.right - extent.cx) / 2;
        ink = {left, rect.top, left + extent.cx, rect.top + extent.cy};
    }
    return ink;
}

void AddLayoutLines(HWND window, HWND parent, std::string& text) {
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    RECT rect{};
    GetWindowRect(window, &rect);
    char handles[64];
    std::snprintf(handles, sizeof handles, "%p\t%p\t", static_cast<void*>(window), static_cast<void*>(parent));
    text += handles + std::to_string(GetDlgCtrlID(window)) + '\t' + className + '\t' + RectText(ScreenClient(parent)) +
            '\t' + RectText(rect) + '\t' + RectText(Ink(window, className, rect)) + '\n';
    // Only the dialog, its tab control and the pages on it are laid out by us; the parts a control
    // makes inside itself (the time picker's up-down arrows) are the control's own.
    if (std::strcmp(className, "#32770") != 0 && std::strcmp(className, WC_TABCONTROLA) != 0) return;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) AddLayoutLines(child, window, text);
    }
}

std::string LayoutText(HWND dialog) {
    std::string text;
    AddLayoutLines(dialog, dialog, text);
    return text;
}

std::string WindowText(HWND window) {
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    const std::string kind = className;
    if (kind == "#32768") return MenuText(window);
    if (kind == TOOLTIPS_CLASSA) return TipText(window);
    if (kind == WC_TABCONTROLA) return TabText(window);
    if (kind == WC_TREEVIEWA) return TreeText(window);
    if (kind == "#32770") return LayoutText(window);
    return "no readable window\n";
}

// The shell hands over a drop as a global memory block, which the receiver frees with DragFinish: the
// files, each ended by a zero and the list by another.
std::string Drop(HWND window, const std::string& files, LPARAM point) {
    std::string names = files + "\n\n";
    for (char& c : names) {
        if (c == '\n') c = '\0';
    }
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    const HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof header + names.size());
    auto* block = drop != nullptr ? static_cast<char*>(GlobalLock(drop)) : nullptr;
    if (block == nullptr) return "no memory for the drop\n";
    std::memcpy(block, &header, sizeof header);
    std::memcpy(block + sizeof header, names.data(), names.size());
    GlobalUnlock(drop);
    if (!PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) {
        GlobalFree(drop);
        return "cannot post the drop\n";
    }
    return {};
}

// The text of a window of another process, such as the driver's reply window.
std::string TitleOf(HWND window) {
    std::string title(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    title.resize(static_cast<std::size_t>(GetWindowTextA(window, title.data(), static_cast<int>(title.size()))));
    return title;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ReadWindowHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT readMessage = RegisterWindowMessageA(kReadMessage);
    static const UINT dropMessage = RegisterWindowMessageA(kDropMessage);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && (call->message == readMessage || call->message == dropMessage)) {
        const auto reply = reinterpret_cast<HWND>(call->wParam);
        const std::string text =
            call->message == readMessage ? WindowText(call->hwnd) : Drop(call->hwnd, TitleOf(reply), call->lParam);
        COPYDATASTRUCT data{};
        data.cbData = static_cast<DWORD>(text.size());
        data.lpData = const_cast<char*>(text.data());
        DWORD_PTR ignored = 0;
        // The driver takes the answer while it waits in its own SendMessage; the bound keeps a driver
        // that has gone from holding up the program.
        SendMessageTimeoutA(reply, WM_COPYDATA, reinterpret_cast<WPARAM>(call->hwnd), reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, kReplyMilliseconds, &ignored);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
