#pragma once

#include <windows.h>

#include <optional>

#include "resource.h"
#include "win32/recorder/voice_recorder_view.h"
#include "win32/timetable/timetable_tree_view.h"

namespace tockbell {

// The Table page made from its template, its messages going to the recorder and the time-table tree
// set as `recorder` and `tree`, as the settings dialog's page hands them on; for tests and benchmarks without the whole dialog.
class TablePageHost {
public:
    explicit TablePageHost(HWND parent)
        : page_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TABLE_PAGE), parent, Procedure, 0)) {
        ShowWindow(page_, SW_SHOW);
    }
    ~TablePageHost() {
        tree = nullptr;
        recorder = nullptr;
    }

    HWND Page() const { return page_; }

    static inline CTimeTableTree* tree = nullptr;
    static inline CVoiceRecorderView* recorder = nullptr;

private:
    static INT_PTR CALLBACK Procedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
        if (!tree) return FALSE;
        std::optional<LRESULT> result = recorder ? recorder->WndProc(message, wParam, lParam) : std::nullopt;
        if (!result) result = tree->WndProc(message, wParam, lParam);
        if (!result) return FALSE;
        SetWindowLongPtrA(page, DWLP_MSGRESULT, *result);
        return TRUE;
    }

    HWND page_;
};

}  // namespace tockbell
