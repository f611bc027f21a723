#include "linux/settings/setup_page.h"

#include <QBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <utility>

namespace tockbell {

namespace {

constexpr int kIndent = 18;  // how far a box stands in under the box that governs it
constexpr char kZoneExample[] = "e.g. Asia/Tokyo in Tokyo";

QLabel* BuddyLabel(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setBuddy(buddy);
    return label;
}

void Describe(QWidget* widget, const char* name, const char* tooltip) {
    widget->setAccessibleName(QString::fromUtf8(name));
    widget->setToolTip(QString::fromUtf8(tooltip));
    widget->setAccessibleDescription(QString::fromUtf8(tooltip));
}

QHBoxLayout* Indented(QWidget* widget, int depth) {
    auto* row = new QHBoxLayout;
    row->addSpacing(kIndent * depth);
    row->addWidget(widget);
    return row;
}

}  // namespace

QCheckBox* SetupPage::AddBox(const char* text, const char* tooltip) {
    auto* box = new QCheckBox(QString::fromUtf8(text), this);
    box->setToolTip(QString::fromUtf8(tooltip));
    box->setAccessibleDescription(QString::fromUtf8(tooltip));
    return box;
}

SetupPage::SetupPage(std::atomic<std::uint32_t>& flags, SoundServices& sounds, QWidget* parent)
    : QWidget(parent),
      flags_(flags),
      sounds_(sounds),
      soundOn_(AddBox("&Striking and voices", "Enable/disable all sounds")),
      multistrike_(AddBox("&Multistrike hours", "Striking each Nth hour N times")),
      strikeHalf_(AddBox("Strike &half hour", "Striking each half hour")),
      voiceHours_(AddBox("&Voice hours", "Voice each hour")),
      voiceHalf_(AddBox("Voice half hou&rs", "Voice \"...thirty\" each half hour")),
      swapAmPm_(AddBox("Switch &AM/PM", "Exchange the a.m. and p.m. words")),
      iconHidden_(AddBox("H&ide icon", "Remove icon from system tray; start tockbell again to open these settings")),
      closeProgram_(AddBox("&Close Tockbell", "Stop Tockbell for this session")),
      uninstall_(AddBox("&Uninstall Tockbell", "Remove Tockbell from the system")),
      language_(new QComboBox(this)),
      volume_(new QSlider(Qt::Vertical, this)),
      testTwo_(new QPushButton(QStringLiteral("Test &2:00"), this)),
      testHalfPastFive_(new QPushButton(QStringLiteral("Test 1&7:30"), this)),
      zones_(new QPlainTextEdit(this)),
      quietOn_(AddBox("&Quiet hours", "No chimes between the two times; reminders still sound")),
      quietFrom_(new QTimeEdit(this)),
      quietTo_(new QTimeEdit(this)) {
    // The only voice there is; the choice is not used.
    language_->addItem(QStringLiteral("English"));
    Describe(language_, "Language", "Select language to voice hours");
    // The loudest at the top; Up moves the thumb up.
    volume_->setRange(kMinVolumeDivisor, kMaxVolumeDivisor);
    volume_->setInvertedAppearance(true);
    volume_->setInvertedControls(true);
    volume_->setPageStep(1);
    volume_->setMinimumHeight(80);
    Describe(volume_, "Volume", "Volume level: 1 at the top is the loudest, 8 at the bottom the quietest");
    for (QPushButton* test : {testTwo_, testHalfPastFive_}) {
        Describe(test, test == testTwo_ ? "Test 2:00" : "Test 17:30", "Test striking and voice");
    }
    // As on the Windows page: the tooltip says what a line holds, the line above the box shows one.
    zones_->setAccessibleName(QStringLiteral("Time zones and comments"));
    zones_->setToolTip(QStringLiteral("Zone name or hours from UTC, then text, e.g. Europe/Paris in Paris"));
    zones_->setAccessibleDescription(QString::fromUtf8(kZoneExample));
    // Tab leaves the box, as from every other control; Return makes a new line.
    zones_->setTabChangesFocus(true);
    zones_->setLineWrapMode(QPlainTextEdit::NoWrap);

    // Hours and minutes only, chosen with the arrows or typed into each part.
    for (QTimeEdit* time : {quietFrom_, quietTo_}) {
        time->setDisplayFormat(QStringLiteral("HH:mm"));
        time->setWrapping(true);
    }
    Describe(quietFrom_, "Quiet from", "The first quiet minute");
    Describe(quietTo_, "Quiet to", "The first minute that chimes again; the same time as from: quiet all day");

    auto* boxes = new QVBoxLayout;
    boxes->addWidget(soundOn_);
    for (QCheckBox* box : {multistrike_, strikeHalf_, voiceHours_}) boxes->addLayout(Indented(box, 1));
    boxes->addLayout(Indented(voiceHalf_, 2));
    boxes->addSpacing(8);
    for (QCheckBox* box : {swapAmPm_, iconHidden_, closeProgram_, uninstall_}) boxes->addWidget(box);
    boxes->addSpacing(8);
    boxes->addWidget(quietOn_);
    auto* quietTimes = new QHBoxLayout;
    quietTimes->addSpacing(kIndent);
    quietTimes->addWidget(BuddyLabel("&from", quietFrom_));
    quietTimes->addWidget(quietFrom_);
    quietTimes->addWidget(BuddyLabel("to", quietTo_));
    quietTimes->addWidget(quietTo_);
    quietTimes->addStretch();
    boxes->addLayout(quietTimes);
    boxes->addLayout(Indented(new QLabel(QStringLiteral("Reminders still sound")), 1));
    boxes->addStretch();

    auto* language = new QHBoxLayout;
    language->addWidget(BuddyLabel("&Language", language_));
    language->addWidget(language_, 1);
    auto* tests = new QVBoxLayout;
    tests->addWidget(testTwo_);
    tests->addWidget(testHalfPastFive_);
    tests->addStretch();
    auto* volume = new QVBoxLayout;
    volume->addWidget(BuddyLabel("Volum&e", volume_), 0, Qt::AlignHCenter);
    volume->addWidget(volume_, 1, Qt::AlignHCenter);
    auto* sound = new QHBoxLayout;
    sound->addLayout(volume);
    sound->addLayout(tests);
    auto* right = new QVBoxLayout;
    right->addLayout(language);
    right->addLayout(sound, 1);
    right->addWidget(BuddyLabel("Time &zones and comments", zones_));
    right->addWidget(new QLabel(QString::fromUtf8(kZoneExample)));
    right->addWidget(zones_, 2);

    auto* page = new QHBoxLayout(this);
    page->addLayout(boxes);
    page->addLayout(right, 1);

    // Reading order: the boxes from the top, then the right column from the top.
    QWidget* order[] = {soundOn_,    multistrike_,  strikeHalf_, voiceHours_,       voiceHalf_, swapAmPm_,
                        iconHidden_, closeProgram_, uninstall_,  quietOn_,          quietFrom_, quietTo_,
                        language_,   volume_,       testTwo_,    testHalfPastFive_, zones_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    // A box changes by a click, by the keyboard and by a screen reader's Toggle alike; Show changes
    // them with their signals held back.
    connect(soundOn_, &QCheckBox::toggled, this,
            [this] { Change([this](SetupControls& controls) { ApplySoundSwitch(controls, flags_); }); });
    connect(voiceHours_, &QCheckBox::toggled, this, [this] { Change(ApplyVoiceRule); });
    connect(quietOn_, &QCheckBox::toggled, this, [this] { Change(ApplyQuietRule); });
    for (const auto& [box, rule] :
         {std::pair{iconHidden_, UninstallRuleBox::HideIcon}, std::pair{closeProgram_, UninstallRuleBox::CloseProgram},
          std::pair{uninstall_, UninstallRuleBox::Uninstall}}) {
        connect(box, &QCheckBox::toggled, this, [this, rule = rule] {
            Change([rule](SetupControls& controls) { ApplyUninstallRule(controls, rule); });
        });
    }
    connect(testTwo_, &QPushButton::clicked, this, [this] { TestChime(sounds_, Read(), kTestTwoOClock); });
    connect(testHalfPastFive_, &QPushButton::clicked, this, [this] { TestChime(sounds_, Read(), kTestHalfPastFive); });
}

SetupControls SetupPage::Read() const {
    SetupControls controls;
    controls.soundOn = soundOn_->isChecked();
    controls.multistrike = multistrike_->isChecked();
    controls.strikeHalf = strikeHalf_->isChecked();
    controls.voiceHours = voiceHours_->isChecked();
    controls.voiceHalf = voiceHalf_->isChecked();
    controls.swapAmPm = swapAmPm_->isChecked();
    controls.iconHidden = iconHidden_->isChecked();
    controls.closeProgram = closeProgram_->isChecked();
    controls.uninstall = uninstall_->isChecked();
    controls.strikeOptionsEnabled = multistrike_->isEnabled();
    controls.voiceHalfEnabled = voiceHalf_->isEnabled();
    controls.volumeDivisor = volume_->value();
    controls.quietOn = quietOn_->isChecked();
    controls.quietFrom = quietFrom_->time().msecsSinceStartOfDay() / 60000;
    controls.quietTo = quietTo_->time().msecsSinceStartOfDay() / 60000;
    controls.quietTimesEnabled = quietFrom_->isEnabled();
    // The world-clock lines as the Windows box holds them, so that both split them alike.
    controls.zoneText = zones_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
    return controls;
}

void SetupPage::Show(const SetupControls& controls) {
    const QSignalBlocker blockers[] = {QSignalBlocker(soundOn_),    QSignalBlocker(voiceHours_),
                                       QSignalBlocker(iconHidden_), QSignalBlocker(closeProgram_),
                                       QSignalBlocker(uninstall_),  QSignalBlocker(quietOn_)};
    soundOn_->setChecked(controls.soundOn);
    multistrike_->setChecked(controls.multistrike);
    strikeHalf_->setChecked(controls.strikeHalf);
    voiceHours_->setChecked(controls.voiceHours);
    voiceHalf_->setChecked(controls.voiceHalf);
    swapAmPm_->setChecked(controls.swapAmPm);
    iconHidden_->setChecked(controls.iconHidden);
    closeProgram_->setChecked(controls.closeProgram);
    uninstall_->setChecked(controls.uninstall);
    for (QCheckBox* box : {multistrike_, strikeHalf_, voiceHours_}) box->setEnabled(controls.strikeOptionsEnabled);
    voiceHalf_->setEnabled(controls.voiceHalfEnabled);
    volume_->setValue(controls.volumeDivisor);
    quietOn_->setChecked(controls.quietOn);
    quietFrom_->setTime(QTime(controls.quietFrom / 60, controls.quietFrom % 60));
    quietTo_->setTime(QTime(controls.quietTo / 60, controls.quietTo % 60));
    for (QTimeEdit* time : {quietFrom_, quietTo_}) time->setEnabled(controls.quietTimesEnabled);
    QString zones = QString::fromStdString(controls.zoneText);
    zones.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Setting the same text again would move the caret and scroll the box for nothing.
    if (zones_->toPlainText() != zones) zones_->setPlainText(zones);
}

void SetupPage::SetSoundSwitch(bool on) {
    Change([&](SetupControls& controls) { tockbell::SetSoundSwitch(controls, on, flags_); });
}

template <class Rule>
void SetupPage::Change(Rule rule) {
    SetupControls controls = Read();
    rule(controls);
    Show(controls);
}

}  // namespace tockbell
