#include "core/settings/table_page_model.h"

#include <utility>

#include "core/recorder/record_duration.h"

namespace tockbell {

std::string TimeTableFileError(const std::string& path) {
    if (path.empty()) return "The time-table file has no name: the program's folder cannot be named.";
    return "The time-table file\n" + path + "\ncan neither be opened nor created.";
}

TablePageModel::TablePageModel(TreeControl& tree, TablePageView& view, TimeTableFiles files, RecorderStarts starts)
    : tree_(tree),
      view_(view),
      editor_(tree, *this, files),
      drag_(tree),
      recorder_(files.settings.flags, editor_.m_pageFlags, files.files, files.voicePath, std::move(starts)) {}

void TablePageModel::Load() {
    view_.ShowDuration(kMinRecordSeconds, kMaxRecordSeconds, kDefaultRecordSeconds);
    Publish(recorder_.Opening());
    editor_.ReloadTree();
}

void TablePageModel::OnTimer(int duration) {
    RecorderControls controls = controls_;
    recorder_.OnTimer(controls, duration);
    Publish(controls);
}

void TablePageModel::Change(void (VoiceRecorder::*handler)(RecorderControls&)) {
    RecorderControls controls = controls_;
    (recorder_.*handler)(controls);
    Publish(controls);
}

void TablePageModel::Publish(const RecorderControls& controls) {
    if (shown_ && controls == controls_) return;
    controls_ = controls;
    shown_ = true;
    view_.Show(controls_);
}

// The status line takes the progress bar's place until the recorder shows the bar again.
void TablePageModel::SetStatus(std::string_view text) {
    RecorderControls controls = controls_;
    controls.progressShown = false;
    controls.status = std::string(text);
    Publish(controls);
}

void TablePageModel::Command(TableCommand command) {
    switch (command) {
        case TableCommand::Reload:
            editor_.ReloadTree();
            break;
        case TableCommand::NewItem:
            editor_.AddItem(kNewItemFile, PAGE_NEW_ITEM);
            break;
        case TableCommand::Edit:
            editor_.Edit();
            break;
        case TableCommand::Delete:
            editor_.Delete();
            break;
        case TableCommand::Insert:
            editor_.Insert();
            break;
        case TableCommand::Save:
            editor_.OnSave();
            break;
        case TableCommand::InsertRecording:
            // The recording is copied under the new item's file name once its edit ends.
            editor_.AddItem(kNewItemFile, PAGE_NEW_ITEM | PAGE_COPY_VOICE);
            break;
    }
}

void TablePageModel::NewSection(SectionCommand command) {
    const tockbell::NewSection section = NewSectionFor(command);
    editor_.AddSection(section.title, section.dayEditing);
}

bool TablePageModel::KeyDown(TableKey key) {
    switch (key) {
        case TableKey::Delete:
            editor_.Delete();
            return true;
        case TableKey::Insert:
            // Without a cut buffer the key is left to the control.
            if (!editor_.CanInsert()) return false;
            editor_.Insert();
            return true;
        case TableKey::MoveUp:
            return MoveItem(true);
        case TableKey::MoveDown:
            return MoveItem(false);
    }
    return false;
}

bool TablePageModel::MoveItem(bool up) {
    const TreeNode item = tree_.Selected();
    const TreeNode section = item ? tree_.Parent(item) : nullptr;
    if (!section) return false;
    TreeNode before = nullptr;  // the sibling before the item
    for (TreeNode node = tree_.FirstChild(section); node != item; node = tree_.Next(node)) before = node;
    TreeNode parent = section;
    TreeControl::Where where = TreeControl::Where::After;
    TreeNode sibling = nullptr;
    if (up && before) {
        // After the sibling before that one, or first.
        TreeNode twoBefore = nullptr;
        for (TreeNode node = tree_.FirstChild(section); node != before; node = tree_.Next(node)) twoBefore = node;
        sibling = twoBefore;
        if (!twoBefore) where = TreeControl::Where::First;
    } else if (!up && tree_.Next(item)) {
        sibling = tree_.Next(item);
    } else {
        TreeNode other = nullptr;  // the neighbouring section
        if (up) {
            for (TreeNode node = tree_.FirstChild(nullptr); node != section; node = tree_.Next(node)) other = node;
        } else {
            other = tree_.Next(section);
        }
        if (!other) return false;
        parent = other;
        where = up ? TreeControl::Where::Last : TreeControl::Where::First;
    }
    const std::string text = tree_.Text(item, std::string::npos);
    const TreeNode moved = tree_.Insert(parent, text, where, sibling);
    tree_.Delete(item);
    tree_.Expand(parent);
    tree_.Select(moved);
    return true;
}

bool TablePageModel::OpenContextMenu(TreeNode hit) {
    editor_.SelectHit(hit);
    return editor_.CanInsert();
}

void TablePageModel::AddFile(std::string_view path) {
    if (!path.empty()) editor_.AddItem(path, PAGE_NEW_ITEM);
}

void TablePageModel::DropFile(TreeNode hit, std::string_view path) {
    editor_.SelectHit(hit);
    AddFile(path);
}

void TablePageModel::Drop() {
    if (!drag_.Drop()) view_.Beep();
}

}  // namespace tockbell
