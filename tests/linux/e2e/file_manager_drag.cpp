// A stand-in for a file manager's drag: a small window at the top left corner of the screen that,
// pressed with the mouse, drags the files named on its command line as a file manager does, as a
// list of URIs (text/uri-list) that may be copied.
//
//   file_manager_drag FILE...
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class DragSource : public QLabel {
public:
    explicit DragSource(QList<QUrl> files) : QLabel(QStringLiteral("Files")), files_(std::move(files)) {
        setWindowTitle(QStringLiteral("File manager"));
        setGeometry(0, 0, 120, 60);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* uris = new QMimeData;
        uris->setUrls(files_);
        drag->setMimeData(uris);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> files_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QList<QUrl> files;
    for (int i = 1; i < argc; ++i) files.append(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i])));
    DragSource source(files);
    source.show();
    return QApplication::exec();
}
