// The yardstick of bench/linux_bench.sh: the least that a Qt program waking once a second does, a
// plain repeating 1000 ms timer whose handler does nothing, and the event loop, with no window.
#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bare_qt_timer"));
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start(1000);
    return QApplication::exec();
}
