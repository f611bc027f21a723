#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/recorder/voice_recorder.h"
#include "core/timetable/new_section_commands.h"
#include "core/timetable/timetable_editor.h"
#include "core/timetable/tree_drag.h"
#include "platform/tree_control.h"

namespace tockbell {

// What the Table page shows besides the tree, as a front end draws it.
class TablePageView {
public:
    virtual ~TablePageView() = default;
    // The recorder's buttons, and the progress bar or the status line in its place.
    virtual void Show(const RecorderControls& controls) = 0;
    // The duration box's range and value.
    virtual void ShowDuration(int minimum, int maximum, int seconds) = 0;
    // A message box: the time-table file cannot be read.
    virtual void ShowFileError(const std::string& text) = 0;
    // A drag let go where nothing can take the item.
    virtual void Beep() = 0;
};

// The keys the tree answers besides its own (arrows, F2 and the menu keys are the control's).
enum class TableKey { Delete, Insert, MoveUp, MoveDown };

// The commands of the tree's context menu and the page's buttons that act on the tree.
enum class TableCommand { Reload, NewItem, Edit, Delete, Insert, Save, InsertRecording };

// The text of the message box when the time-table file cannot be opened; `path` is empty when the
// program's folder has no name.
std::string TimeTableFileError(const std::string& path);

// The Table page of the settings dialog: the time-table tree with its editor, the drag and the cut
// buffer, and the recorder's controls with the status line that shares the progress bar's place.
// A front end turns its events into these calls and draws what the view is given.
class TablePageModel : private EditorFeedback {
public:
    TablePageModel(TreeControl& tree, TablePageView& view, TimeTableFiles files, RecorderStarts starts);

    // The data exchange's load as the dialog opens: the recorder's controls and ranges, and the
    // tree filled from the file.
    void Load();

    // The dialog's one-second timer; `duration` is the duration box's number, 0 when it holds none.
    void OnTimer(int duration);
    // The page is left while a recording runs (the dialog's tabs tell): it ends first.
    void LeaveTab() { OnStop(); }
    // The dialog closes: a recording ends and is kept; one that has not begun never begins.
    void Close() { recorder_.Cancel(); }

    void OnRecord() { Change(&VoiceRecorder::OnRecord); }
    void OnStop() { Change(&VoiceRecorder::OnStop); }
    void OnPlay() { Change(&VoiceRecorder::OnPlay); }
    void OnPause() { recorder_.OnPause(); }

    void Command(TableCommand command);
    void NewSection(SectionCommand command);
    // False when the key is not the page's.
    bool KeyDown(TableKey key);
    // A right click or a menu key: a node under the pointer becomes the selection. Whether the
    // menu's Insert is offered.
    bool OpenContextMenu(TreeNode hit);
    // A file chosen by Browse..., or dropped from a file manager onto `hit` (none: onto no node).
    void AddFile(std::string_view path);
    void DropFile(TreeNode hit, std::string_view path);

    // `copy`: the modifier that copies was held down as the drag began.
    std::optional<DragCursor> BeginDrag(TreeNode node, bool copy) { return drag_.Begin(node, copy); }
    std::optional<DragCursor> DragOver(TreeNode hit, PointerPlace place) { return drag_.MoveOver(hit, place); }
    void Drop();
    bool Dragging() const { return drag_.Dragging(); }

    // The end of an in-place edit; `typed` is none when it was cancelled. True: the node takes the
    // typed text.
    bool EndLabelEdit(TreeNode node, std::optional<std::string_view> typed) {
        return editor_.EndLabelEdit(node, typed);
    }

    const RecorderControls& Controls() const { return controls_; }
    std::uint32_t PageFlags() const { return editor_.m_pageFlags; }
    const TimeTableEditor& Editor() const { return editor_; }

private:
    void SetStatus(std::string_view text) override;
    void ShowFileError(const std::string& path) override { view_.ShowFileError(TimeTableFileError(path)); }
    void Change(void (VoiceRecorder::*handler)(RecorderControls&));
    void Publish(const RecorderControls& controls);
    // An item moves one place, into the next section at the end of its own; false when it cannot.
    bool MoveItem(bool up);

    TreeControl& tree_;
    TablePageView& view_;
    TimeTableEditor editor_;
    TreeDrag drag_;
    VoiceRecorder recorder_;
    RecorderControls controls_;
    bool shown_ = false;  // the view has been given the controls once
};

}  // namespace tockbell
