#include "gui/shell/TFsaveproj.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/shell/project_seed.h"
#include "gui/widgets/fbutton.h"

TFsaveproj::TFsaveproj(fenwarp::Session& session, fenwarp::Messages& messages, QWidget* parent)
    : QDialog(parent), session_(session), messages_(messages) {
    setObjectName("TFsaveproj");
    setWindowTitle("New project");
    auto* layout = new QVBoxLayout(this);
    label1_ = new QLabel("Project name", this);
    label1_->setObjectName("Label1");
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName("Edit1");
    edit1_->setMinimumWidth(320);
    layout->addWidget(label1_);
    layout->addWidget(edit1_);

    auto* buttons = new QHBoxLayout;
    auto* ok = new FButton("bitbtn1", "OK", this);
    ok->setDefault(true);
    auto* cancel = new FButton("bitbtn2", "Cancel", this);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TFsaveproj::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &TFsaveproj::BitBtn2Click);
}

void TFsaveproj::setText(const QString& text) {
    edit1_->setText(text);
}

QString TFsaveproj::text() const {
    return edit1_->text();
}

void TFsaveproj::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFsaveproj::FormShow() {
    if (mode_ == Mode::NewProject) {
        setWindowTitle("New project");
        edit1_->clear();
        typedName_.clear();
        label1_->setVisible(true);
    } else {
        setWindowTitle("Edit XML");
        label1_->setVisible(false);
    }
    edit1_->setFocus();
}

void TFsaveproj::BitBtn1Click() {
    if (mode_ == Mode::NewProject) {
        typedName_ = edit1_->text();
        mayClose_ = false;  // stays so when the seeding below throws
        const auto outcome = session_.new_project.ok(
            typedName_.toStdString(), session_.workspace,
            [this](const fenwarp::ProjectContext& context) {
                fenwarp::seed_project(session_, context);
            },
            messages_);
        mayClose_ = outcome == fenwarp::NewProjectOutcome::Created;
    } else {
        mayClose_ = true;
    }
    done(Accepted);
}

void TFsaveproj::BitBtn2Click() {
    mayClose_ = true;
    done(Rejected);
}

void TFsaveproj::reject() {
    BitBtn2Click();
}

void TFsaveproj::done(int result) {
    if (mayClose_) QDialog::done(result);
}
