#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTreeWidget>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "core/chime/chime.h"
#include "core/recorder/record_thread.h"
#include "core/settings/table_page_model.h"
#include "linux/settings/qt_tree_control.h"
#include "posix/posix_clock.h"

namespace tockbell {

// What the Table page reaches of the running program; all of it outlives the page.
struct TablePageContext {
    ConfigStore* store;  // none when the program keeps no files
    FileSystem& files;
    ClockSettings& settings;
    std::string voicePath;
    RecorderServices& recording;
    SoundServices& sounds;
};

// The Table page: the time-table tree with its status line, and the recorder's buttons, progress bar
// and duration box, around the core's model of the page. Every gesture of the tree has a key:
// F2 edits, the Menu key and Shift+F10 open the context menu, Delete cuts, Insert pastes, Alt+Up
// and Alt+Down move an item (into the next section past either end of its own), Ctrl+S saves.
class TablePage : public QWidget, public TablePageView {
public:
    explicit TablePage(const TablePageContext& context, QWidget* parent = nullptr);
    ~TablePage() override;

    TablePageModel& Model() { return *model_; }
    // The dialog's timer.
    void OnTimer();

    void Show(const RecorderControls& controls) override;
    void ShowDuration(int minimum, int maximum, int seconds) override;
    void ShowFileError(const std::string& text) override;
    void Beep() override;

    // The context menu at `where` (the tree's viewport coordinates) for the node under it.
    void OpenContextMenu(QTreeWidgetItem* hit, const QPoint& where);

private:
    QPushButton* AddButton(int face, const char* name, const char* tooltip, void (TablePageModel::*handler)());
    void OnBrowse();
    void OnEditEnded(QTreeWidgetItem* item, const std::optional<QString>& typed);

    QTreeWidget* treeWidget_;
    QtTreeControl tree_;
    PosixClock clock_;
    std::unique_ptr<TablePageModel> model_;
    QStackedLayout* statusPlace_;
    QProgressBar* progress_;
    QLabel* status_;
    QSpinBox* duration_;
    std::array<QPushButton*, 6> buttons_{};  // STOP, PLAY, PAUSE, RECORD, INSERT, SAVE
};

}  // namespace tockbell
