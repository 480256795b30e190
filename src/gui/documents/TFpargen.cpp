#include "gui/documents/TFpargen.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/qt_messages.h"
#include "gui/widgets/fbutton.h"

namespace {

QComboBox* baudCombo(const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const char* rate : fenwarp::PargenEditor::baud_rates) combo->addItem(rate);
    return combo;
}

QLineEdit* edit(const char* name, QWidget* parent) {
    auto* line = new QLineEdit(parent);
    line->setObjectName(name);
    return line;
}

}  // namespace

TFpargen::TFpargen(fenwarp::Session& session, fenwarp::Messages& messages, QWidget* parent)
    : QDialog(parent), session_(session), messages_(messages) {
    setObjectName("TFpargen");
    setWindowTitle("SET COMMUNICATION");
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    layout->addLayout(groups);

    auto* groupBox1 = new QGroupBox("CAN 0", this);
    groupBox1->setObjectName("GroupBox1");
    auto* form1 = new QFormLayout(groupBox1);
    edit1_ = edit("Edit1", groupBox1);
    comboBox1_ = baudCombo("ComboBox1", groupBox1);
    form1->addRow("DevID", edit1_);
    form1->addRow("Baud rate", comboBox1_);
    groups->addWidget(groupBox1);

    auto* groupBox2 = new QGroupBox("CAN 1", this);
    groupBox2->setObjectName("GroupBox2");
    groupBox2->setVisible(false);
    auto* form2 = new QFormLayout(groupBox2);
    auto* label6 = new QLabel("Select by Dip-Switch", groupBox2);
    label6->setObjectName("Label6");
    edit2_ = edit("Edit2", groupBox2);
    edit2_->setVisible(false);  // the device's dip-switch sets this identifier
    comboBox2_ = baudCombo("ComboBox2", groupBox2);
    form2->addRow("DevID", label6);
    form2->addRow("Baud rate", comboBox2_);
    groups->addWidget(groupBox2);
    groupBox2_ = groupBox2;
    // The two ports' groups stand side by side at the same width.
    const int width = std::max(groupBox1->sizeHint().width(), groupBox2->sizeHint().width());
    for (QGroupBox* group : {groupBox1, groupBox2}) {
        group->setMinimumWidth(width);
        groups->setStretchFactor(group, 1);
    }

    auto* timeout = new QFormLayout;
    edit3_ = edit("Edit3", this);
    timeout->addRow("SDO Timeout (1/10 ms)", edit3_);
    layout->addLayout(timeout);

    auto* buttons = new QHBoxLayout;
    ok_ = new FButton("bitbtn1", "OK", this);
    ok_->setDefault(true);
    auto* cancel = new FButton("bitbtn2", "Cancel", this);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &TFpargen::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Every keystroke reaches the editor, so Cancel keeps the edits as the
    // dialog always has, and a save without showing writes what it holds.
    auto& p = session_.pargen;
    bind(edit1_, p.dev_id_a);
    bind(comboBox1_, p.baud_a);
    bind(edit2_, p.dev_id_b);
    bind(comboBox2_, p.baud_b);
    bind(edit3_, p.sdo_timeout);
    showFields();
}

void TFpargen::bind(QLineEdit* field, std::string& text) {
    connect(field, &QLineEdit::textChanged, this, [&text](const QString& t) { text = sstr(t); });
}

void TFpargen::bind(QComboBox* field, std::string& text) {
    connect(field, &QComboBox::currentTextChanged, this,
            [&text](const QString& t) { text = sstr(t); });
}

void TFpargen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFpargen::FormShow() {
    if (fenwarp::ProjectContext::board_variant == 2) groupBox2_->setVisible(true);
    session_.pargen.load(session_.context().documents.pargen, messages_);
    showFields();
    ok_->setFocus();
}

void TFpargen::BitBtn1Click() {
    session_.pargen.save_document(session_.context().documents.pargen);
    accept();
}

void TFpargen::showFields() {
    const auto& p = session_.pargen;
    edit1_->setText(qstr(p.dev_id_a));
    comboBox1_->setEditText(qstr(p.baud_a));
    edit2_->setText(qstr(p.dev_id_b));
    comboBox2_->setEditText(qstr(p.baud_b));
    edit3_->setText(qstr(p.sdo_timeout));
}
