#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/timetable/timetable_editor.h"
#include "core/timetable/tree_drag.h"
#include "win32/app/local_clock.h"
#include "win32/timetable/win32_tree_control.h"

namespace tockbell {

// The Table page's time-table tree: hands the tree's notifications, the context menu's commands,
// the drag's mouse messages and dropped files to the core's editor, and shows its status line.
class CTimeTableTree : public EditorFeedback {
public:
    // `page` is the Table page (dialog 131) with the tree 1023, the status line and the progress bar.
    CTimeTableTree(HWND page, ConfigStore* store, FileSystem& files, ClockSettings& settings, std::string voicePath);

    TimeTableEditor& Editor() { return editor_; }

    // The page's messages that belong to the tree; none for the others.
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam);

    void SetStatus(std::string_view text) override;
    void ShowFileError(const std::string& path) override;

private:
    std::optional<LRESULT> OnNotify(const NMHDR& header);
    void OnMouseMove(LPARAM lParam);
    void OnLButtonUp();
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    void OnReload() { editor_.ReloadTree(); }
    void OnSave() { editor_.OnSave(); }
    void OnEdit() { editor_.Edit(); }
    void OnDelete() { editor_.Delete(); }
    void OnInsert() { editor_.Insert(); }
    void OnNewItem();
    void OnInsertVoice();
    void OnBrowse();

    void ShowContextMenu();
    // The node under a point given in the page's client coordinates, and where the point lies.
    TreeNode HitTest(POINT pagePoint, PointerPlace* place = nullptr) const;
    static void ShowCursor(DragCursor cursor);

    HWND page_;
    Win32TreeControl tree_;
    LocalClock clock_;
    TimeTableEditor editor_;
    TreeDrag drag_;
};

}  // namespace tockbell
