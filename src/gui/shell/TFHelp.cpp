#include "gui/shell/TFHelp.h"

#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "gui/qt_messages.h"

TFHelp::TFHelp(fenwarp::Session& session, fenwarp::Messages& messages, QWidget* parent)
    : QDialog(parent), session_(session), messages_(messages) {
    setObjectName("TFHelp");
    setWindowTitle("Help");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    richEdit1_ = new QTextEdit(this);
    richEdit1_->setObjectName("RichEdit1");
    richEdit1_->setReadOnly(true);
    richEdit1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(richEdit1_);
    setFixedSize(640, 480);
}

void TFHelp::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TFHelp::FormShow() {
    richEdit1_->clear();
    if (!session_.help.load(session_.context(), messages_)) return;
    const QString content = qstr(session_.help.content());
    if (session_.help.kind() == fenwarp::HelpViewer::Kind::Rich)
        richEdit1_->setHtml(content);
    else
        richEdit1_->setPlainText(content);
}
