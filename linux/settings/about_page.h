#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace tockbell {

// The About page: one read-only text box with the program's description for Linux users, kept as
// a plain resource. The text is laid out at the page's first showing: most openings never show it.
class AboutPage : public QWidget {
public:
    explicit AboutPage(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* text_;
};

}  // namespace tockbell
