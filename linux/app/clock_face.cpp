#include "linux/app/clock_face.h"

#include <QIconEngine>
#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "core/app/clock_face.h"
#include "core/app/clock_face_layout.h"
#include "core/app/clock_hands.h"

namespace tockbell {

namespace {

constexpr int kGrid = 32;

QColor Colour(const FaceColour& colour) { return QColor(colour.red, colour.green, colour.blue); }

// The centre of a grid pixel, as the Windows pens draw through it.
QPointF PixelCentre(IconPoint point) { return {point.x + 0.5, point.y + 0.5}; }

void DrawHand(QPainter& painter, IconPoint end, const HandPen& pen) {
    painter.setPen(QPen(Colour(pen.colour), pen.width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(PixelCentre(end), PixelCentre(kClockCentre));
}

class ClockFaceEngine : public QIconEngine {
public:
    ClockFaceEngine(int hour, int minute) : hour_(hour), minute_(minute) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        PaintClockFace(*painter, rect, hour_, minute_, true);
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

void PaintClockFace(QPainter& painter, const QRect& rect, int hour, int minute, bool bold) {
    // The sizes in device pixels, so that the marks stay sharp on screens of any scale.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int side = std::min(rect.width(), rect.height());
    const QPointF origin = rect.topLeft() + QPointF((rect.width() - side) / 2, (rect.height() - side) / 2);
    const int deviceSide = static_cast<int>(std::lround(side * ratio));
    const double scale = deviceSide / double(kGrid);
    painter.save();
    painter.translate(origin);
    painter.scale(1 / ratio, 1 / ratio);
    painter.fillRect(QRect(0, 0, deviceSide, deviceSide), Colour(kFaceGrey));
    // The marks on whole device pixels, as the Windows face has them at this size.
    const FaceLayout layout = FaceLayoutAt(deviceSide);
    const auto square = [](const FaceSquare& s) { return QRect(s.x, s.y, s.side, s.side); };
    painter.setClipRect(QRect(0, 0, deviceSide, deviceSide));
    for (const FaceSquare& shadow : layout.shadows) painter.fillRect(square(shadow), Colour(kShadowBlack));
    for (const FaceSquare& mark : layout.marks) painter.fillRect(square(mark), Colour(kMarkGreen));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const ClockHands hands = ClockHandsAt(hour, minute);
    if (bold) {
        for (const IconPoint end : {hands.hourEnd, hands.minuteEnd}) {
            DrawHand(painter, end, kOutlinePen);
            DrawHand(painter, end, kHandPen);
        }
    } else {
        // A hairline is one device pixel wide on the face's grid of 32; on a larger face it widens
        // with it, so that the hands keep the face's proportions.
        DrawHand(painter, hands.hourEnd, kHairlinePen);
        DrawHand(painter, hands.minuteEnd, kHairlinePen);
    }
    painter.restore();
}

QIcon ClockFaceIcon(int hour, int minute) { return QIcon(new ClockFaceEngine(hour, minute)); }

}  // namespace tockbell
