#include "linux/app/clock_face.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/app/clock_hands.h"

namespace tockbell {

namespace {

constexpr int kGrid = 32;
const QColor kFaceColour(192, 192, 192);
const QColor kMarkColour(0, 255, 0);
const QColor kShadowColour(0, 0, 0);

struct Mark {
    IconPoint topLeft;
    int size;  // in grid pixels
};

// The hour marks of the face: 3 by 3 blocks on the border at 12, 3, 6 and 9, single pixels on a
// circle of 13.5 at the other hours.
std::array<Mark, 12> HourMarks() {
    std::array<Mark, 12> marks{};
    const std::array<IconPoint, 4> quarters{{{14, 0}, {28, 14}, {14, 28}, {0, 14}}};
    for (int hour = 0; hour < 12; ++hour) {
        if (hour % 3 == 0) {
            marks[static_cast<std::size_t>(hour)] = {quarters[static_cast<std::size_t>(hour / 3)], 3};
            continue;
        }
        const double angle = hour * std::numbers::pi / 6;
        marks[static_cast<std::size_t>(hour)] = {{kClockCentre.x + static_cast<int>(std::lround(std::sin(angle) * 13.5)),
                                                  kClockCentre.y - static_cast<int>(std::lround(std::cos(angle) * 13.5))},
                                                 1};
    }
    return marks;
}

// The centre of a grid pixel, as the Windows pens draw through it.
QPointF PixelCentre(IconPoint point) { return {point.x + 0.5, point.y + 0.5}; }

void DrawHand(QPainter& painter, IconPoint end) {
    painter.setPen(QPen(kShadowColour, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(PixelCentre(end), PixelCentre(kClockCentre));
    painter.setPen(QPen(kMarkColour, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(PixelCentre(end), PixelCentre(kClockCentre));
}

class ClockFaceEngine : public QIconEngine {
public:
    ClockFaceEngine(int hour, int minute) : hour_(hour), minute_(minute) {}

    // A tray slot need not be square: the face is the largest square in the middle of it.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const int side = std::min(rect.width(), rect.height());
        const QPoint origin = rect.topLeft() + QPoint((rect.width() - side) / 2, (rect.height() - side) / 2);
        const double scale = side / double(kGrid);
        painter->save();
        painter->fillRect(QRect(origin, QSize(side, side)), kFaceColour);
        // The marks on whole device pixels, at least one each, and the shadow at least one pixel off:
        // scaled down, a mark would blur or vanish under its own shadow.
        const auto pixels = [scale](int grid) { return static_cast<int>(std::lround(grid * scale)); };
        const int shadowOffset = std::max(1, pixels(1));
        const std::array<Mark, 12> marks = HourMarks();
        const auto markRect = [&](const Mark& mark, int offset) {
            const int markSide = std::max(1, pixels(mark.size));
            return QRect(origin + QPoint(pixels(mark.topLeft.x) + offset, pixels(mark.topLeft.y) + offset),
                         QSize(markSide, markSide));
        };
        // The shadows first: a mark covers the shadow of its neighbour.
        for (const Mark& mark : marks) painter->fillRect(markRect(mark, shadowOffset), kShadowColour);
        for (const Mark& mark : marks) painter->fillRect(markRect(mark, 0), kMarkColour);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(origin);
        painter->scale(scale, scale);
        const ClockHands hands = ClockHandsAt(hour_, minute_);
        DrawHand(*painter, hands.hourEnd);
        DrawHand(*painter, hands.minuteEnd);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap image(size);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return image;
    }

    // The sizes a StatusNotifierItem host is offered; an XEmbed tray paints at its own size.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : {16, 22, 24, 32, 48, 64, 128}) sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new ClockFaceEngine(hour_, minute_); }

private:
    int hour_;
    int minute_;
};

}  // namespace

QIcon ClockFaceIcon(int hour, int minute) { return QIcon(new ClockFaceEngine(hour, minute)); }

}  // namespace tockbell
