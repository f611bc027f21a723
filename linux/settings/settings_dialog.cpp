#include "linux/settings/settings_dialog.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStringList>
#include <algorithm>

#include "posix/posix_clock.h"
#include "tockbell_version.h"

namespace tockbell {

namespace {

constexpr int kTimerPeriodMs = 1000;
constexpr int kTabIconPoints = 16;

// The tab icon `index` (Setup, Table, About) of the picture that holds all three side by side.
QIcon TabIcon(int index) {
    static const QPixmap icons(QStringLiteral(":/art/tabs.png"));
    const int side = icons.height();
    QPixmap icon = icons.copy(index * side, 0, side, side);
    icon.setDevicePixelRatio(side / double(kTabIconPoints));
    return QIcon(icon);
}

QLabel* Line(const QString& text, const char* tooltip) {
    auto* label = new QLabel(text);
    label->setToolTip(QString::fromUtf8(tooltip));
    return label;
}

}  // namespace

SettingsDialog::SettingsDialog(const SettingsDialogContext& context)
    : context_(context),
      exchange_(context.settings, context.icon, context.store),
      tabs_(context.lastTab),
      timeSettings_(FindDateTimeSettings()),
      banner_(new DialogBanner(this)),
      tabWidget_(new QTabWidget(this)),
      setup_(new SetupPage(context.settings.flags, context.sounds)),
      table_(new TablePage(
          {context.store, context.files, context.settings, context.voicePath, context.recording, context.sounds})) {
    setWindowTitle(QStringLiteral("Tockbell Settings"));
    // The pages in the order of their tabs. Made before the buttons, so that Tab reaches them in
    // reading order: the tabs, the page, then the buttons.
    AddPage(kSetupPage, setup_, "Setu&p", kSetupPage);
    AddPage(kTablePage, table_, "Ta&ble", kTablePage);
    AddPage(kAboutPage, new AboutPage, "Ab&out", kAboutPage);

    setTime_ = new QPushButton(QStringLiteral("Se&t time"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setToolTip(QStringLiteral("Accept settings"));
    cancel->setToolTip(QStringLiteral("Discard settings"));
    // Enter inside a page neither closes the page nor the dialog, as on Windows: no button is the
    // default, and Enter presses only the button that has the focus.
    for (QPushButton* button : {ok, cancel, setTime_}) {
        button->setAutoDefault(true);
        button->setDefault(false);
    }
    setTabOrder(ok, cancel);
    setTabOrder(cancel, setTime_);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::reject);
    connect(setTime_, &QPushButton::clicked, this, &SettingsDialog::OnSetTime);
    if (timeSettings_) {
        setTime_->setToolTip(QStringLiteral("Set time: opens the date and time settings of the desktop"));
    } else {
        setTime_->setEnabled(false);
        setTime_->setToolTip(
            QStringLiteral("Set time: no date and time settings of GNOME, KDE Plasma, Cinnamon, "
                           "MATE or Xfce were found"));
    }
    setTime_->setAccessibleDescription(setTime_->toolTip());
    banner_->Clock().OnClick([this] {
        if (setTime_->isEnabled()) OnSetTime();
    });

    auto* lines = new QHBoxLayout;
    lines->addWidget(Line(QStringLiteral(TOCKBELL_VERSION_LINE), "Version of the program"));
    lines->addStretch();
    lines->addWidget(Line(QStringLiteral("(c) 2026, The Tockbell authors"), "(c) 2026, The Tockbell authors"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(setTime_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(banner_);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addLayout(lines);
    body->addWidget(tabWidget_, 1);
    body->addLayout(buttons);
    layout->addLayout(body, 1);

    // The data exchange's load: the boxes show the stored settings, and sounds off stop what plays.
    setup_->Show(exchange_.Load());
    for (int tab = 0; tab < tabWidget_->count(); ++tab) {
        if (pageOfTab_[static_cast<std::size_t>(tab)] == tabs_.Current()) tabWidget_->setCurrentIndex(tab);
    }
    connect(tabWidget_, &QTabWidget::currentChanged, this, &SettingsDialog::OnTabChange);

    OnTimer();
    connect(&timer_, &QTimer::timeout, this, &SettingsDialog::OnTimer);
    timer_.start(kTimerPeriodMs);
    PlaceNearTheTray();
}

void SettingsDialog::AddPage(std::int32_t page, QWidget* widget, const char* title, int icon) {
    pageOfTab_.push_back(page);
    tabWidget_->addTab(widget, TabIcon(icon), QString::fromUtf8(title));
}

void SettingsDialog::BringForward() {
    showNormal();
    raise();
    activateWindow();
}

void SettingsDialog::accept() {
    request_ = exchange_.Store(setup_->Read());
    QDialog::accept();
}

void SettingsDialog::reject() {
    exchange_.Cancel();
    QDialog::reject();
}

void SettingsDialog::done(int result) {
    table_->Model().Close();
    QDialog::done(result);
}

void SettingsDialog::OnTabChange(int index) {
    if (index < 0) return;
    const SettingsTabs::Change change =
        tabs_.Select(pageOfTab_[static_cast<std::size_t>(index)], context_.settings.flags.load());
    if (change.stopRecording) table_->Model().LeaveTab();
}

void SettingsDialog::OnTimer() {
    const ClockReading now = ReadLocalClock();
    if (clock_.MinuteChanged(now.local.tm_min)) banner_->Clock().SetTime(now.local.tm_hour, now.local.tm_min);
    table_->OnTimer();
}

void SettingsDialog::OnSetTime() {
    if (!timeSettings_) return;
    QStringList arguments;
    for (const std::string& argument : timeSettings_->arguments) arguments.append(QString::fromStdString(argument));
    // The settings program runs on its own; the clock follows the time it sets at its next tick.
    QProcess::startDetached(QString::fromStdString(timeSettings_->program), arguments);
}

// Near the lower right corner of the screen, where the tray usually is, as on Windows.
void SettingsDialog::PlaceNearTheTray() {
    adjustSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect free = screen->availableGeometry();
    move(std::max(free.left(), free.right() - width() - 80), std::max(free.top(), free.bottom() - height() - 100));
}

}  // namespace tockbell
