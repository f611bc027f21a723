#include "linux/settings/table_page.h"

#include <QAccessible>
#include <QApplication>
#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QUrl>

#include "core/chime/playback.h"
#include "core/timetable/timetable_words.h"

namespace tockbell {

namespace {

constexpr int kFaceWidth = 20;  // points; recorder.png holds the faces at two pixels a point
constexpr int kFaceHeight = 12;
constexpr int kEditLimit = 259;  // what Save reads of a node
constexpr const char* kBrowseFilter = "WAV files (*.wav);;MID files (*.mid);;All files (*)";

QIcon Face(int index) {
    static const QPixmap faces(QStringLiteral(":/art/recorder.png"));
    const int side = faces.height();
    QPixmap face = faces.copy(index * side * kFaceWidth / kFaceHeight, 0, side * kFaceWidth / kFaceHeight, side);
    face.setDevicePixelRatio(side / double(kFaceHeight));
    return QIcon(face);
}

// Reports the end of every in-place edit, with the typed text or as a cancel, once the view is done
// with its editor; the text is set by the page, not by the view.
class EditEndDelegate : public QStyledItemDelegate {
public:
    EditEndDelegate(QTreeWidget& tree, std::function<void(QTreeWidgetItem*, std::optional<QString>)> ended)
        : QStyledItemDelegate(&tree), tree_(tree), ended_(std::move(ended)) {
        connect(this, &QAbstractItemDelegate::closeEditor, this, [this] {
            const QPersistentModelIndex edited = std::exchange(editing_, QPersistentModelIndex());
            const std::optional<QString> typed = std::exchange(typed_, std::nullopt);
            QTimer::singleShot(0, &tree_, [this, edited, typed] {
                // A node that went meanwhile (a Reload) has nothing left to end.
                if (edited.isValid()) ended_(tree_.itemFromIndex(edited), typed);
            });
        });
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(kEditLimit);
        editing_ = index;
        typed_.reset();
        return editor;
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) typed_ = line->text();
    }

private:
    QTreeWidget& tree_;
    std::function<void(QTreeWidgetItem*, std::optional<QString>)> ended_;
    mutable QPersistentModelIndex editing_;
    mutable std::optional<QString> typed_;
};

// The tree widget's own keys, mouse drags and file drops, handed to the model.
class TimeTableTree : public QTreeWidget {
public:
    TimeTableTree(TablePage& page, std::function<TablePageModel&()> model)
        : QTreeWidget(&page), page_(page), model_(std::move(model)) {
        setHeaderHidden(true);
        setColumnCount(1);
        setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setAcceptDrops(true);
        viewport()->setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::DropOnly);
        setUniformRowHeights(true);
        header()->setStretchLastSection(true);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool alt = event->modifiers() == Qt::AltModifier;
        std::optional<TableKey> key;
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) key = TableKey::Delete;
        if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) key = TableKey::Insert;
        if (event->key() == Qt::Key_Up && alt) key = TableKey::MoveUp;
        if (event->key() == Qt::Key_Down && alt) key = TableKey::MoveDown;
        if (key && model_().KeyDown(*key)) return;
        if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) return OpenMenuAtSelection();
        QTreeWidget::keyPressEvent(event);
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (event->reason() == QContextMenuEvent::Keyboard) return OpenMenuAtSelection();
        page_.OpenContextMenu(itemAt(event->pos()), event->pos());
    }

    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton ? itemAt(event->position().toPoint()) : nullptr;
        pressPoint_ = event->position().toPoint();
        QTreeWidget::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint point = event->position().toPoint();
        if (!model_().Dragging() && pressed_ && (event->buttons() & Qt::LeftButton) &&
            (point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            // Shift, or Ctrl as on this desktop, copies.
            const bool copy = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
            if (const std::optional<DragCursor> cursor = model_().BeginDrag(QtTreeControl::Node(pressed_), copy)) {
                ShowCursor(*cursor);
            }
        }
        if (!model_().Dragging()) return QTreeWidget::mouseMoveEvent(event);
        const PointerPlace place = point.y() < 0                       ? PointerPlace::Above
                                   : point.y() >= viewport()->height() ? PointerPlace::Below
                                                                       : PointerPlace::Inside;
        QTreeWidgetItem* hit = place == PointerPlace::Inside ? itemAt(point) : nullptr;
        if (const std::optional<DragCursor> cursor = model_().DragOver(QtTreeControl::Node(hit), place)) {
            ShowCursor(*cursor);
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        pressed_ = nullptr;
        if (!model_().Dragging()) return QTreeWidget::mouseReleaseEvent(event);
        model_().Drop();
        viewport()->unsetCursor();
    }

    // Files as a file manager sends them: a list of URIs, of which the first local file is taken.
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (FirstFile(event->mimeData())) event->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (FirstFile(event->mimeData())) event->acceptProposedAction();
    }
    void dropEvent(QDropEvent* event) override {
        const std::optional<QString> file = FirstFile(event->mimeData());
        if (!file) return;
        event->acceptProposedAction();
        model_().DropFile(QtTreeControl::Node(itemAt(event->position().toPoint())), file->toStdString());
    }

private:
    static std::optional<QString> FirstFile(const QMimeData* data) {
        if (!data->hasUrls()) return std::nullopt;
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) return url.toLocalFile();
        }
        return std::nullopt;
    }
    void OpenMenuAtSelection() {
        QTreeWidgetItem* current = currentItem();
        const QPoint where = current ? visualItemRect(current).bottomLeft() : QPoint(0, 0);
        page_.OpenContextMenu(current, where);
    }
    void ShowCursor(DragCursor cursor) {
        switch (cursor) {
            case DragCursor::Arrow:
                viewport()->unsetCursor();
                break;
            case DragCursor::Copy:
                viewport()->setCursor(Qt::DragCopyCursor);
                break;
            case DragCursor::Move:
                viewport()->setCursor(Qt::DragMoveCursor);
                break;
            case DragCursor::NoDrop:
                viewport()->setCursor(Qt::ForbiddenCursor);
                break;
        }
    }

    TablePage& page_;
    std::function<TablePageModel&()> model_;
    QTreeWidgetItem* pressed_ = nullptr;
    QPoint pressPoint_;
};

}  // namespace

TablePage::TablePage(const TablePageContext& context, QWidget* parent)
    : QWidget(parent),
      treeWidget_(new TimeTableTree(*this, [this]() -> TablePageModel& { return *model_; })),
      tree_(*treeWidget_),
      statusPlace_(new QStackedLayout),
      progress_(new QProgressBar),
      status_(new QLabel),
      duration_(new QSpinBox) {
    model_ = std::make_unique<TablePageModel>(
        tree_, *this, TimeTableFiles{context.store, context.files, context.settings, clock_, context.voicePath},
        RecorderStarts{[&recording = context.recording](const std::string& path) { StartRecording(recording, path); },
                       [&sounds = context.sounds](const std::string& path) { StartPlayback(sounds, path); }});
    treeWidget_->setAccessibleName(QStringLiteral("Time-table"));
    treeWidget_->setAccessibleDescription(
        QStringLiteral("F2 edits, Delete cuts, Insert pastes, Alt+Up and Alt+Down move an item, Ctrl+S saves"));
    treeWidget_->setItemDelegate(new EditEndDelegate(
        *treeWidget_,
        [this](QTreeWidgetItem* item, const std::optional<QString>& typed) { OnEditEnded(item, typed); }));

    progress_->setTextVisible(false);
    progress_->setToolTip(QStringLiteral("Progress of recording"));
    progress_->setAccessibleName(QStringLiteral("Progress of recording"));
    status_->setAccessibleDescription(QStringLiteral("Status line"));
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setFrameShadow(QFrame::Sunken);
    statusPlace_->addWidget(progress_);
    statusPlace_->addWidget(status_);
    auto* statusBox = new QWidget;
    statusBox->setLayout(statusPlace_);
    statusBox->setFixedHeight(status_->sizeHint().height());

    duration_->setToolTip(QStringLiteral("Record duration"));
    duration_->setAccessibleName(QStringLiteral("Record duration"));
    duration_->setSuffix(QStringLiteral(" s"));

    auto* buttons = new QHBoxLayout;
    buttons_[0] = AddButton(0, "Stop", "Stop", &TablePageModel::OnStop);
    buttons_[1] = AddButton(1, "Play", "Play", &TablePageModel::OnPlay);
    buttons_[2] = AddButton(2, "Pause", "Pause", &TablePageModel::OnPause);
    buttons_[3] = AddButton(3, "Record", "Record", &TablePageModel::OnRecord);
    buttons_[4] = AddButton(4, "Insert recording", "Insert recorded voice message into time-table", nullptr);
    buttons_[5] = AddButton(5, "Save", "Save time-table", nullptr);
    connect(buttons_[4], &QPushButton::clicked, this, [this] { model_->Command(TableCommand::InsertRecording); });
    connect(buttons_[5], &QPushButton::clicked, this, [this] { model_->Command(TableCommand::Save); });
    for (int i = 0; i < 4; ++i) buttons->addWidget(buttons_[static_cast<std::size_t>(i)]);
    buttons->addSpacing(12);
    buttons->addWidget(buttons_[4]);
    buttons->addWidget(buttons_[5]);
    buttons->addStretch();
    buttons->addWidget(duration_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(treeWidget_, 1);
    layout->addWidget(statusBox);
    layout->addLayout(buttons);

    auto* save = new QShortcut(QKeySequence::Save, this, [this] { model_->Command(TableCommand::Save); });
    save->setContext(Qt::WidgetWithChildrenShortcut);
    model_->Load();
}

TablePage::~TablePage() {
    // The tree's items go before the model that points at them.
    model_->Close();
    treeWidget_->clear();
}

QPushButton* TablePage::AddButton(int face, const char* name, const char* tooltip, void (TablePageModel::*handler)()) {
    auto* button = new QPushButton(Face(face), QString());
    button->setIconSize(QSize(kFaceWidth, kFaceHeight));
    button->setAccessibleName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tooltip));
    button->setAutoDefault(false);
    if (handler) connect(button, &QPushButton::clicked, this, [this, handler] { ((*model_).*handler)(); });
    return button;
}

void TablePage::OnTimer() {
    bool isNumber = false;
    const int seconds = duration_->cleanText().toInt(&isNumber);
    model_->OnTimer(isNumber ? seconds : 0);
}

void TablePage::Show(const RecorderControls& controls) {
    buttons_[0]->setEnabled(controls.stopEnabled);
    buttons_[1]->setEnabled(controls.playEnabled);
    buttons_[2]->setEnabled(controls.pauseEnabled);
    buttons_[3]->setEnabled(controls.recordEnabled);
    buttons_[4]->setEnabled(controls.insertEnabled);
    progress_->setRange(0, controls.progressRange);
    progress_->setValue(controls.progress);
    const QString status = QString::fromStdString(controls.status);
    // A label announces a change of its text to a screen reader as a change of its name.
    if (status_->text() != status) status_->setText(status);
    statusPlace_->setCurrentWidget(controls.progressShown ? static_cast<QWidget*>(progress_) : status_);
}

void TablePage::ShowDuration(int minimum, int maximum, int seconds) {
    duration_->setRange(minimum, maximum);
    duration_->setValue(seconds);
}

void TablePage::ShowFileError(const std::string& text) {
    QMessageBox::warning(this, QStringLiteral("Tockbell"), QString::fromStdString(text));
}

void TablePage::Beep() { QApplication::beep(); }

void TablePage::OpenContextMenu(QTreeWidgetItem* hit, const QPoint& where) {
    const bool canInsert = model_->OpenContextMenu(QtTreeControl::Node(hit));
    QMenu menu(this);
    const auto command = [this, &menu](const char* text, TableCommand tableCommand) {
        return menu.addAction(QString::fromUtf8(text), this, [this, tableCommand] { model_->Command(tableCommand); });
    };
    command("&Reload", TableCommand::Reload);
    QMenu* sections = menu.addMenu(QStringLiteral("New section"));
    const auto section = [this](QMenu* into, std::string_view text, SectionCommand sectionCommand) {
        into->addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), this,
                        [this, sectionCommand] { model_->NewSection(sectionCommand); });
    };
    section(sections, "Power On", SectionCommand::PowerOn);
    section(sections, "Today", SectionCommand::Today);
    section(sections, "Tomorrow", SectionCommand::Tomorrow);
    section(sections, "Everyday", SectionCommand::Everyday);
    QMenu* week = sections->addMenu(QStringLiteral("Week"));
    for (std::size_t day = 0; day < kWeekdayNames.size(); ++day) {
        section(week, kWeekdayNames[day],
                static_cast<SectionCommand>(static_cast<int>(SectionCommand::Monday) + int(day)));
    }
    section(sections, "Day", SectionCommand::Day);
    QMenu* month = sections->addMenu(QStringLiteral("Month"));
    for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
        section(month, kMonthNames[m], static_cast<SectionCommand>(static_cast<int>(SectionCommand::January) + int(m)));
    }
    command("&New item", TableCommand::NewItem);
    menu.addAction(QStringLiteral("&Browse..."), this, &TablePage::OnBrowse);
    command("&Edit", TableCommand::Edit);
    command("&Delete", TableCommand::Delete);
    command("&Insert", TableCommand::Insert)->setEnabled(canInsert);
    command("&Save", TableCommand::Save);
    menu.exec(treeWidget_->viewport()->mapToGlobal(where));
}

void TablePage::OnBrowse() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Browse"), QString(), QString::fromUtf8(kBrowseFilter));
    if (!path.isEmpty()) model_->AddFile(path.toStdString());
}

void TablePage::OnEditEnded(QTreeWidgetItem* item, const std::optional<QString>& typed) {
    const std::string text = typed ? typed->toStdString() : std::string();
    const bool keep =
        model_->EndLabelEdit(QtTreeControl::Node(item), typed ? std::optional<std::string_view>(text) : std::nullopt);
    if (keep && typed) tree_.SetText(QtTreeControl::Node(item), text);
}

}  // namespace tockbell
