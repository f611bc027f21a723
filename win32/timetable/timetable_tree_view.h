#pragma once

#include <windows.h>

#include <optional>

#include "core/settings/table_page_model.h"
#include "win32/timetable/win32_tree_control.h"

namespace tockbell {

// The Table page's time-table tree: hands the tree's notifications, the context menu's commands,
// the drag's mouse messages and dropped files to the page's core model.
class CTimeTableTree {
public:
    // `page` is the Table page (dialog 131) holding `tree`.
    CTimeTableTree(HWND page, Win32TreeControl& tree, TablePageModel& model)
        : page_(page), tree_(tree), model_(model) {}

    // The page's messages that belong to the tree; none for the others.
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::optional<LRESULT> OnNotify(const NMHDR& header);
    void OnMouseMove(LPARAM lParam);
    void OnLButtonUp();
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    void OnBrowse();

    void ShowContextMenu();
    // The node under a point given in the page's client coordinates, and where the point lies.
    TreeNode HitTest(POINT pagePoint, PointerPlace* place = nullptr) const;
    static void ShowCursor(DragCursor cursor);

    HWND page_;
    Win32TreeControl& tree_;
    TablePageModel& model_;
};

}  // namespace tockbell
