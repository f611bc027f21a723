// Loaded by Wine into a process that tbdriver hooks (see tbhook.h): reads the window that the driver
// names, from inside its process, and sends the text back to the driver.
//
//   popup menu (class "#32768")   one line per item: its centre on the screen, a tab, then "-" for a
//                                 separator or the item's text with [default], [checked], [grayed]
//   tooltip control               one line per tool that holds a text of its own: that text
//   tab control                   one line per tab: its rectangle on the screen (left top right
//                                 bottom), a tab, its text, then " [selected]" for the current one
#include <windows.h>
#include <commctrl.h>

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
    for (WPARAM index = 0; index < count; ++index) {
        char tip[1024] = "";  // far more than a tooltip control hands out
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = tip;
        // A tool whose text its owner hands out only when asked (a tab control's) has none to list.
        if (SendMessageA(window, TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(&tool)) != 0 && tool.lpszText == tip) {
            text += tip;
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

std::string WindowText(HWND window) {
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    const std::string kind = className;
    if (kind == "#32768") return MenuText(window);
    if (kind == TOOLTIPS_CLASSA) return TipText(window);
    if (kind == WC_TABCONTROLA) return TabText(window);
    return "no readable window\n";
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ReadWindowHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT readMessage = RegisterWindowMessageA(kReadMessage);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == readMessage) {
        const std::string text = WindowText(call->hwnd);
        COPYDATASTRUCT data{};
        data.cbData = static_cast<DWORD>(text.size());
        data.lpData = const_cast<char*>(text.data());
        DWORD_PTR ignored = 0;
        // The driver takes the answer while it waits in its own SendMessage; the bound keeps a driver
        // that has gone from holding up the program.
        SendMessageTimeoutA(reinterpret_cast<HWND>(call->wParam), WM_COPYDATA, reinterpret_cast<WPARAM>(call->hwnd),
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kReplyMilliseconds, &ignored);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
