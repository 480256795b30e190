#include "gui/xml/TFSELstringhe.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/qt_messages.h"
#include "gui/widgets/fbutton.h"

TFSELstringhe::TFSELstringhe(fenwarp::Session& session, fenwarp::Messages& messages,
                             QWidget* parent)
    : QDialog(parent), session_(session), messages_(messages) {
    setObjectName("TFSELstringhe");
    setWindowTitle("Select String");
    resize(420, 480);
    auto* layout = new QVBoxLayout(this);

    // Row 0 and column 0 are the grid's fixed headings, as cells of their own.
    sg_ = new QTableWidget(rows, 2, this);
    sg_->setObjectName("sg");
    sg_->horizontalHeader()->setVisible(false);
    sg_->verticalHeader()->setVisible(false);
    sg_->verticalHeader()->setDefaultSectionSize(22);
    sg_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < rows; ++row) setCell(row, 1, QString(), row == 0);
    layout->addWidget(sg_, 1);
    connect(sg_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { sgSelectCell(row); });

    auto* bar = new QHBoxLayout;
    label1_ = new QLabel("Sel str:", this);
    label1_->setObjectName("Label1");
    label1_->setMinimumWidth(120);  // room for "Sel str: 999" without a relayout
    auto* ok = new FButton("BitBtn1", "OK", this);
    auto* cancel = new FButton("BitBtn2", "Cancel", this);
    bar->addWidget(label1_);
    bar->addStretch();
    bar->addWidget(ok);
    bar->addWidget(cancel);
    layout->addLayout(bar);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFSELstringhe::setCell(int row, int column, const QString& text, bool fixed) {
    QTableWidgetItem* cell = sg_->item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem;
        sg_->setItem(row, column, cell);
    }
    cell->setText(text);
    if (fixed) {
        cell->setFlags(Qt::ItemIsEnabled);
        cell->setBackground(palette().button());
    }
}

void TFSELstringhe::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFSELstringhe::FormShow() {
    sg_->setColumnCount(2);
    sg_->setRowCount(rows);
    setCell(0, 0, "Index", true);
    setCell(0, 1, "String", true);
    for (int row = 1; row < rows; ++row) setCell(row, 0, QString::number(row - 1), true);

    fenwarp::StringPicker& picker = session_.strings;
    const fenwarp::StringPicker::LoadResult loaded = picker.load(messages_);
    for (std::size_t i = 0; i < loaded.filled; ++i) {
        setCell(static_cast<int>(i) + 1, 1, qstr(picker.string_at(i)), false);
    }
    sg_->setCurrentCell(picker.current_row(), 1);
    FormResize();
}

void TFSELstringhe::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TFSELstringhe::FormResize() {
    sg_->setColumnWidth(0, 40);
    sg_->setColumnWidth(1, sg_->width() - 70);
}

void TFSELstringhe::sgSelectCell(int row) {
    if (row < 1) return;  // the heading row is not a string
    label1_->setText(qstr(session_.strings.select_row(row)));
}
