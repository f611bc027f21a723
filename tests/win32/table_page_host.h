#pragma once

#include <windows.h>

#include <optional>

#include "resource.h"
#include "win32/settings/table_page_view.h"

namespace tockbell {

// The Table page made from its template, its messages going to the page's controls set as `view`, as
// the settings dialog's page hands them on; for tests and benchmarks without the whole dialog.
class TablePageHost {
public:
    explicit TablePageHost(HWND parent)
        : page_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TABLE_PAGE), parent, Procedure, 0)) {
        ShowWindow(page_, SW_SHOW);
    }
    ~TablePageHost() { view = nullptr; }

    HWND Page() const { return page_; }

    static inline CTablePageView* view = nullptr;

private:
    static INT_PTR CALLBACK Procedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
        if (!view) return FALSE;
        const std::optional<LRESULT> result = view->WndProc(message, wParam, lParam);
        if (!result) return FALSE;
        SetWindowLongPtrA(page, DWLP_MSGRESULT, *result);
        return TRUE;
    }

    HWND page_;
};

}  // namespace tockbell
