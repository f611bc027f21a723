#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace tockbell {

// The live clock of the settings dialog: the face with thin hands, drawn at the widget's size on
// screens of any scale. A click on it does what "Set time" does.
class DialogClockFace : public QWidget {
public:
    explicit DialogClockFace(QWidget* parent = nullptr);
    void SetTime(int hour, int minute);
    // What a click does; nothing while none is given.
    void OnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int hour_ = 0;
    int minute_ = 0;
    std::function<void()> onClick_;
};

// The banner at the top of the settings dialog: the bell artwork of the Windows dialog, drawn from
// a picture made at twice its size so that it is sharp at every scale, with the clock at its left.
class DialogBanner : public QWidget {
public:
    explicit DialogBanner(QWidget* parent = nullptr);
    DialogClockFace& Clock() { return *clock_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap artwork_;
    DialogClockFace* clock_;
};

}  // namespace tockbell
