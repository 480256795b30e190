#include "gui/check/TFcheck.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/qt_messages.h"
#include "gui/widgets/fbutton.h"

TFcheck::TFcheck(fenwarp::Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("TFcheck");
    setWindowTitle(fenwarp::FindingsList::caption);
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName("Summary");
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    list_ = new QTableWidget(this);
    list_->setObjectName("LFindings");
    list_->setColumnCount(static_cast<int>(fenwarp::FindingsList::headings.size()));
    QStringList headings;
    for (const char* heading : fenwarp::FindingsList::headings) headings << heading;
    list_->setHorizontalHeaderLabels(headings);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    // A double click or Enter on a finding opens its record; the list keeps
    // Enter from also pressing the dialog's default button.
    connect(list_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { LFindingsActivate(index.row()); });
    list_->installEventFilter(this);
    layout->addWidget(list_, 1);
    auto* hint =
        new QLabel("Double-click a finding, or press Enter on it, to open its record.", this);
    hint->setObjectName("Hint");
    layout->addWidget(hint);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    update_ = new FButton("Update", "Update", this);
    cancel_ = new FButton("Cancel", "Cancel", this);
    // Enter never updates by accident: Cancel is the default.
    update_->setAutoDefault(false);
    cancel_->setDefault(true);
    connect(update_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(update_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    resize(900, 420);
}

bool TFcheck::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentIndex().isValid()) {
            LFindingsActivate(list_->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFcheck::showEvent(QShowEvent* event) {
    fill();
    QDialog::showEvent(event);
}

void TFcheck::fill() {
    const fenwarp::FindingsList& findings = session_.findings;
    summary_->setText(qstr(findings.summary()));
    update_->setText(findings.update_caption());
    list_->setRowCount(static_cast<int>(findings.size()));
    for (std::size_t r = 0; r < findings.size(); ++r) {
        const auto cells = findings.row(r);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(qstr(cells[c]));
            item->setToolTip(qstr(cells[c]));
            list_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    list_->resizeColumnsToContents();
    list_->horizontalHeader()->setStretchLastSection(true);
    if (findings.size() > 0) list_->selectRow(0);
    list_->setFocus();
}

// After the document's dialog closes, the project is checked again: what the
// user mended there leaves the list.
void TFcheck::LFindingsActivate(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= session_.findings.size() || !opener_) return;
    const fenwarp::FindingTarget target = session_.findings.target(static_cast<std::size_t>(row));
    if (target.dialog == fenwarp::FindingDialog::None) return;
    opener_(target);
    session_.findings.recheck();
    fill();
    list_->selectRow(std::min(row, list_->rowCount() - 1));
}
