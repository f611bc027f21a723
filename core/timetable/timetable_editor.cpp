#include "core/timetable/timetable_editor.h"

#include <cctype>
#include <utility>
#include <vector>

#include "core/config/file_replace.h"
#include "core/config/profile_text.h"
#include "core/config/settings_file.h"
#include "core/config/sibling_path.h"
#include "core/timetable/timetable_text.h"
#include "core/timetable/tree_insert.h"
#include "core/timetable/timetable_words.h"

namespace tockbell {

namespace {

constexpr std::size_t kSavedTextLimit = 259;      // Save reads a node into 260 characters
constexpr std::size_t kCancelledTextLimit = 258;  // a cancelled new item's text
constexpr std::size_t kTitleLookupLimit = 23;     // AddSection compares titles this far
constexpr std::size_t kWholeText = std::string::npos;
constexpr int kNewItemMinutesAhead = 2;

}  // namespace

TimeTableEditor::TimeTableEditor(TreeControl& tree, EditorFeedback& feedback, TimeTableFiles files)
    : tree_(tree), feedback_(feedback), files_(std::move(files)) {}

void TimeTableEditor::ReloadTree() {
    tree_.DeleteAll();
    filledDay_ = files_.settings.lastDay;
    rollUnreported_ = false;
    if (!files_.store) {
        feedback_.ShowFileError({});
        return;
    }
    const std::string& path = files_.store->ConfigPath();
    const FileSystem::ReadResult file = files_.files.Read(path);
    const bool opened = file.status == FileSystem::ReadStatus::Ok ||
                        (file.status == FileSystem::ReadStatus::Missing && files_.files.Write(path, {}));
    if (!opened) {
        feedback_.ShowFileError(path);
        return;
    }
    tree_.HoldDrawing(true);
    for (const TimeTableSection& section : ReadTimeTableSections(file.content)) {
        const TreeNode node = tree_.Insert(nullptr, section.title, TreeControl::Where::Last);
        tree_.SetBold(node);
        for (const std::string& item : section.items) tree_.Insert(node, item, TreeControl::Where::Last);
    }
    tree_.HoldDrawing(false);
}

// The tree is read once: the check and the writing see the same texts, and a tree of thousands of
// items is not walked twice through the control.
void TimeTableEditor::OnSave() {
    if (RollTreeIfDayChanged()) rollUnreported_ = true;
    const std::optional<std::vector<SavedLine>> lines = ReadValidTree();
    if (!lines) {
        feedback_.SetStatus("Invalid format");
        return;
    }
    if (!Store(*lines)) {
        feedback_.SetStatus("Not saved: the file cannot be written");
        return;
    }
    feedback_.SetStatus(rollUnreported_ ? "OK. New day: Tomorrow is now Today" : "OK");
    rollUnreported_ = false;
}

std::optional<std::vector<TimeTableEditor::SavedLine>> TimeTableEditor::ReadValidTree() {
    std::vector<SavedLine> lines;
    for (TreeNode section = tree_.FirstChild(nullptr); section; section = tree_.Next(section)) {
        const std::string title = tree_.Text(section, kSavedTextLimit);
        if (!IsValidSection(section, title)) return std::nullopt;
        for (TreeNode item = tree_.FirstChild(section); item; item = tree_.Next(item)) {
            const std::string text = tree_.Text(item, kSavedTextLimit);
            if (!IsValidItem(item, text)) return std::nullopt;
            lines.push_back({title, std::string(ItemKey(text)), std::string(ItemFile(text))});
        }
    }
    return lines;
}

// One new file in place of the old, with what a profile write per item would have left.
bool TimeTableEditor::Store(const std::vector<SavedLine>& lines) {
    return files_.store &&
           SaveSettings(*files_.store, files_.settings, Rotation::ToBackup, [&](std::string_view, ProfileDocument& file) {
               for (const SavedLine& line : lines) file.Set(line.section, line.key, line.value);
           });
}

bool TimeTableEditor::IsValidSection(TreeNode section, std::string_view title) {
    if (IsValidSectionTitle(title)) return true;
    tree_.EditLabel(section);
    return false;
}

bool TimeTableEditor::IsValidItem(TreeNode item, std::string_view text) {
    if (IsValidItemText(text)) return true;
    tree_.Expand(tree_.Parent(item));
    tree_.EditLabel(item);
    return false;
}

bool TimeTableEditor::RollTreeIfDayChanged() {
    if (files_.settings.lastDay == filledDay_) return false;
    filledDay_ = files_.settings.lastDay;
    // Titles as the file names them: the profile writes them without surrounding blanks.
    TreeNode section = tree_.FirstChild(nullptr);
    while (section) {
        const TreeNode next = tree_.Next(section);
        const std::string title = tree_.Text(section, kSavedTextLimit);
        if (TrimProfileSpace(title) == kTodayTitle) {
            tree_.Delete(section);
        } else if (TrimProfileSpace(title) == kTomorrowTitle) {
            tree_.SetText(section, kTodayTitle);
        }
        section = next;
    }
    return true;
}

bool TimeTableEditor::EndLabelEdit(TreeNode node, std::optional<std::string_view> typed) {
    if (m_pageFlags & PAGE_NEW_SECTION) {
        m_pageFlags &= ~PAGE_NEW_SECTION;
        feedback_.SetStatus("OK. Section has been added");
        return true;
    }
    if ((m_pageFlags & PAGE_NEW_ITEM) == 0) return true;
    m_pageFlags &= ~PAGE_NEW_ITEM;
    const std::string text = typed ? std::string(*typed) : tree_.Text(node, kCancelledTextLimit);
    const bool copyVoice = (m_pageFlags & PAGE_COPY_VOICE) != 0;
    m_pageFlags &= ~PAGE_COPY_VOICE;
    std::string_view status = "OK. Item has been added";
    if (!PassesStrictItemCheck(text)) {
        status = "Deleted due to invalid format";
    } else if (copyVoice && !CopyVoiceTo(text)) {
        status = "Deleted: the recording cannot be copied to that file";
    } else {
        feedback_.SetStatus(status);
        return true;
    }
    tree_.Delete(node);
    feedback_.SetStatus(status);
    return false;
}

// The copy bears the whole file text of the item, as the trigger will look it up; a name of its
// first word only would leave the reminder without its sound.
bool TimeTableEditor::CopyVoiceTo(std::string_view itemText) {
    if (!files_.store) return false;
    const std::string value(TrimProfileSpace(ItemFile(itemText)));
    const std::string target = ResolveSoundPath(value, files_.store->ConfigPath());
    if (target.empty() || !IsPortableFileName(target) || IsProgramFile(target)) return false;
    const FileSystem::ReadResult voice = files_.files.Read(files_.voicePath);
    return voice.status == FileSystem::ReadStatus::Ok && ReplaceFileContents(files_.files, target, voice.content);
}

// A copy over the configuration, its backup, the program or the recording itself would destroy it,
// or leave the item playing whatever is recorded next.
bool TimeTableEditor::IsProgramFile(const std::string& path) const {
    const auto folded = [](std::string_view text) {
        std::string lower(text);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lower;
    };
    const std::string& config = files_.store->ConfigPath();
    for (const std::string& own : {config, SiblingPath(config, ".bak"), SiblingPath(config, ".exe"), files_.voicePath}) {
        if (folded(own) == folded(path)) return true;
    }
    return false;
}

void TimeTableEditor::Edit() {
    if (const TreeNode selected = tree_.Selected()) tree_.EditLabel(selected);
}

void TimeTableEditor::Delete() {
    const TreeNode selected = tree_.Selected();
    if (!selected) return;
    if (tree_.Parent(selected)) m_cutBuffer = tree_.Text(selected, kWholeText);
    tree_.Delete(selected);
}

void TimeTableEditor::Insert() {
    const TreeNode selected = tree_.Selected();
    if (m_cutBuffer.empty() || !selected) return;
    InsertItemAt(tree_, selected, m_cutBuffer);
}

void TimeTableEditor::SelectHit(TreeNode hit) {
    if (hit) tree_.Select(hit);
}

TreeNode TimeTableEditor::AddSection(std::optional<std::string_view> title, bool dayEditing) {
    std::string text(title.value_or(std::string_view()));
    if (dayEditing) text += text.empty() ? "dd" : " dd";
    for (TreeNode section = tree_.FirstChild(nullptr); section; section = tree_.Next(section)) {
        if (tree_.Text(section, kTitleLookupLimit) == text) {
            tree_.Select(section);
            return section;
        }
    }
    const TreeNode section = tree_.Insert(nullptr, text, TreeControl::Where::Last);
    tree_.Select(section);
    if (dayEditing) {
        tree_.EditLabel(section);
        m_pageFlags |= PAGE_NEW_SECTION;
        feedback_.SetStatus("Edit day in format DD");
    }
    return section;
}

TreeNode TimeTableEditor::SectionForNewItem() {
    const TreeNode selected = tree_.Selected();
    if (selected) return tree_.Parent(selected) ? tree_.Parent(selected) : selected;
    if (const TreeNode first = tree_.FirstChild(nullptr)) return first;
    return AddSection(kEverydayTitle, false);
}

TreeNode TimeTableEditor::AddItem(std::string_view fileText, std::uint32_t mode) {
    const TreeNode section = SectionForNewItem();
    // Counted on the wall clock and shown in local time, so that two minutes after 01:59 at the
    // autumn change is 01:01, and at the spring change 03:01.
    const std::tm soon = files_.clock.LocalTimeAt(files_.clock.Now().utc + kNewItemMinutesAhead * 60);
    const TreeNode item = tree_.Insert(section, ItemTimePrefix(soon) + std::string(fileText), TreeControl::Where::Last);
    tree_.Expand(section);
    tree_.Select(item);
    tree_.EditLabel(item);
    m_pageFlags |= mode;
    feedback_.SetStatus("Edit item in format HH:MM=FileName.ext");
    return item;
}

}  // namespace tockbell
