#include "linux/settings/dialog_banner.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QPainter>

#include "linux/app/clock_face.h"

namespace tockbell {

namespace {

// The artwork's size in points, and the part of it the banner shows: its name, strap line and bell.
constexpr int kArtworkWidth = 300;
constexpr int kBannerHeight = 46;
constexpr int kClockSide = 36;

}  // namespace

DialogClockFace::DialogClockFace(QWidget* parent) : QWidget(parent) {
    setFixedSize(kClockSide, kClockSide);
    setAccessibleName(QStringLiteral("Clock"));
}

void DialogClockFace::SetTime(int hour, int minute) {
    hour_ = hour;
    minute_ = minute;
    setAccessibleDescription(QStringLiteral("%1:%2").arg(hour).arg(minute, 2, 10, QLatin1Char('0')));
    update();
}

void DialogClockFace::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintClockFace(painter, rect(), hour_, minute_, false);
}

void DialogClockFace::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_) onClick_();
}

DialogBanner::DialogBanner(QWidget* parent)
    : QWidget(parent), artwork_(QStringLiteral(":/art/artwork.png")), clock_(new DialogClockFace(this)) {
    setFixedHeight(kBannerHeight);
    setMinimumWidth(kArtworkWidth);
    setAccessibleName(QStringLiteral("Tockbell"));
    setAccessibleDescription(
        QStringLiteral("A golden bell ringing before a night-blue clock dial, with the words TOCKBELL and "
                       "\"Striking chiming talking\""));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, (kBannerHeight - kClockSide) / 2, 6, 0);
    layout->addWidget(clock_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch();
}

void DialogBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The picture's pixels per point, whatever the scale it was drawn for.
    const double perPoint = artwork_.isNull() ? 1.0 : artwork_.width() / double(kArtworkWidth);
    const int sourceHeight = static_cast<int>(kBannerHeight * perPoint);
    const QRect art(width() - kArtworkWidth, 0, kArtworkWidth, kBannerHeight);
    painter.drawPixmap(art, artwork_, QRect(0, 0, artwork_.width(), sourceHeight));
    // Left of the artwork its sky goes on, as its first column shows it.
    if (art.left() > 0)
        painter.drawPixmap(QRect(0, 0, art.left(), kBannerHeight), artwork_, QRect(0, 0, 1, sourceHeight));
}

}  // namespace tockbell
