#include "linux/settings/about_page.h"

#include <QBoxLayout>
#include <QFile>

namespace tockbell {

AboutPage::AboutPage(QWidget* parent) : QWidget(parent), text_(new QPlainTextEdit(this)) {
    text_->setReadOnly(true);
    // A reader moves through the text with the arrow keys, and Tab goes on to the buttons.
    text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text_->setTabChangesFocus(true);
    text_->setAccessibleName(QStringLiteral("About Tockbell"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
}

void AboutPage::showEvent(QShowEvent* event) {
    if (text_->document()->isEmpty()) {
        QFile about(QStringLiteral(":/about/about.txt"));
        if (about.open(QIODevice::ReadOnly)) text_->setPlainText(QString::fromUtf8(about.readAll()));
    }
    QWidget::showEvent(event);
}

}  // namespace tockbell
