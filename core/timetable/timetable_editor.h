#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/tree_control.h"

namespace tockbell {

// Bits of `m_pageFlags`: what the edit started last by adding a node is for. 0x8 is the recorder's.
inline constexpr std::uint32_t PAGE_NEW_ITEM = 0x1;
inline constexpr std::uint32_t PAGE_COPY_VOICE = 0x2;
inline constexpr std::uint32_t PAGE_NEW_SECTION = 0x4;

inline constexpr std::string_view kNewItemFile = "FileName.wav";

// What the editor shows its user besides the tree.
class EditorFeedback {
public:
    virtual ~EditorFeedback() = default;
    virtual void SetStatus(std::string_view text) = 0;
    // The configuration file can neither be opened nor created.
    virtual void ShowFileError(const std::string& path) = 0;
};

// What the editor works on besides the tree. The settings are the running program's: Save writes
// them as [Main], and their day tells whether the file has been rolled since the tree was filled.
struct TimeTableFiles {
    ConfigStore* store;  // none when the program cannot name its files
    FileSystem& files;
    ClockSettings& settings;
    Clock& clock;
    std::string voicePath;  // the recorded message
};

// The time-table editor of the Table page: the tree is its working copy of the configuration
// file's time-table, filled from the file and written back as a whole by Save.
class TimeTableEditor {
public:
    TimeTableEditor(TreeControl& tree, EditorFeedback& feedback, TimeTableFiles files);

    void ReloadTree();
    // Save with its status line; a new day since the tree was filled is applied to the tree first,
    // as it was to the file.
    void OnSave();

    // The end of an in-place edit; `typed` is none when it was cancelled. True: the node takes the
    // typed text.
    bool EndLabelEdit(TreeNode node, std::optional<std::string_view> typed);
    void Edit();
    void Delete();
    void Insert();
    bool CanInsert() const { return !m_cutBuffer.empty(); }
    // A node found under the pointer becomes the selection; none keeps it.
    void SelectHit(TreeNode hit);

    // Finds the root node with the title or appends one; with `dayEditing` its "dd" is being edited.
    TreeNode AddSection(std::optional<std::string_view> title, bool dayEditing);
    // Appends "HH:MM=" two minutes from now and the file to the selected section and edits it.
    TreeNode AddItem(std::string_view fileText, std::uint32_t mode);

    std::uint32_t m_pageFlags = 0;
    std::string m_cutBuffer;

private:
    struct SavedLine {
        std::string section;
        std::string key;
        std::string value;
    };

    // The lines of every node in tree order; none at the first invalid node, which is then edited.
    std::optional<std::vector<SavedLine>> ReadValidTree();
    bool Store(const std::vector<SavedLine>& lines);
    bool IsValidSection(TreeNode section, std::string_view title);
    bool IsValidItem(TreeNode item, std::string_view text);
    // "Today" goes and "Tomorrow" becomes "Today", as the file was rolled; true when it was due.
    bool RollTreeIfDayChanged();
    bool CopyVoiceTo(std::string_view itemText);
    bool IsProgramFile(const std::string& path) const;
    TreeNode SectionForNewItem();

    TreeControl& tree_;
    EditorFeedback& feedback_;
    TimeTableFiles files_;
    std::int32_t filledDay_ = 0;
    bool rollUnreported_ = false;  // the tree followed a new day, and no Save has said so yet
};

}  // namespace tockbell
