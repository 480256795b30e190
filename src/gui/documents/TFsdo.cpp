#include "gui/documents/TFsdo.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/documents/workbook/import_report.h"
#include "gui/documents/table_buttons.h"
#include "gui/documents/text_grid_model.h"
#include "gui/qt_messages.h"
#include "gui/shell/open_excel.h"
#include "gui/widgets/bordered_panel.h"
#include "gui/widgets/column_bands.h"
#include "gui/widgets/grid.h"

namespace {

struct PageTexts {
    const char* caption;
    const char* grid;
    const char* leftBar;
    const char* rightBar;
};

const PageTexts pageTexts[2] = {
    {"SDO from CAN 0 request to CAN 1", "sga", "Define virtual index SDO in CAN 0",
     "Input index address SDO in CAN 1"},
    {"SDO from CAN 1 request to CAN 0", "sgb", "Define virtual index SDO in CAN 1",
     "Input index address SDO in CAN 0"},
};

// What the grid shows over each column; the cells of row 0 hold the texts the
// export writes.
const QStringList headings = {"N°",    "RW",       "Index", "SubIndex", "devID",
                              "Index", "SubIndex", "nbyte", "mnemonico"};

// Every column gets a tenth of the grid's width; the left bar spans four
// columns, the right one the rest.
constexpr int columnParts = 10;
constexpr int leftBarColumns = 4;

BorderedPanel* captionBar(const QString& name, const char* text, QWidget* parent) {
    auto* bar = new BorderedPanel(name, parent);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(text, bar);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return bar;
}

}  // namespace

TFsdo::TFsdo(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
             QWidget* parent)
    : QDialog(parent), session_(session), openExcel_(openExcel), messages_(messages) {
    setObjectName("TFsdo");
    setWindowTitle("Set SDO Access");
    resize(860, 560);
    auto* layout = new QVBoxLayout(this);
    notebook_ = new QTabWidget(this);
    notebook_->setObjectName("PageControl1");
    for (int direction = 0; direction < 2; ++direction) {
        notebook_->addTab(makePage(direction), pageTexts[direction].caption);
    }
    notebook_->setCurrentIndex(1);  // kept from then on between showings
    layout->addWidget(notebook_);

    addTableButtons(this, layout,
                    {[this] { Button1Click(); }, [this] { BitBtn4Click(); },
                     [this] { BitBtn1Click(); }, [this] { ButtonXlsxClick(); }});
}

QWidget* TFsdo::makePage(int direction) {
    const PageTexts& texts = pageTexts[direction];
    auto* page = new QWidget(this);
    page->setObjectName(QString("TabSheet%1").arg(direction + 1));
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(0);
    Page& p = pages_[direction];
    p.grid = new Grid(texts.grid, page);
    p.model = new TextGridModel(session_.sdo.page(direction), headings, 1, p.grid);
    p.grid->setModel(p.model);
    p.grid->setFixedColumns(1);  // the row numbers stay while the fields scroll
    p.bars = new ColumnBands(p.grid, page);
    p.left = captionBar(QString("Panel%1").arg(2 * direction + 1), texts.leftBar, page);
    p.right = captionBar(QString("Panel%1").arg(2 * direction + 2), texts.rightBar, page);
    p.bars->addBand(p.left, 0, leftBarColumns - 1);
    p.bars->addBand(p.right, leftBarColumns, static_cast<int>(headings.size()) - 1);
    layout->addWidget(p.bars);
    // A page that was hidden while the dialog resized lays itself out when shown.
    p.grid->installEventFilter(this);
    layout->addWidget(p.grid, 1);
    return page;
}

void TFsdo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFsdo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

bool TFsdo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (Page& page : pages_) {
            if (watched == page.grid) layoutPage(page);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFsdo::FormShow() {
    session_.sdo.load(session_.context().documents.sdo, messages_);
    reloadPages();
}

void TFsdo::FormResize() {
    for (Page& page : pages_) layoutPage(page);
}

void TFsdo::layoutPage(Page& page) {
    page.grid->fitColumns(columnParts);
    page.bars->placeBands();
}

void TFsdo::BitBtn1Click() {
    commitEdits();
    session_.sdo.save_document(session_.context().documents.sdo);
    accept();
}

void TFsdo::Button1Click() {
    commitEdits();
    session_.sdo.export_csv(session_.context().project_dir);
}

void TFsdo::ButtonXlsxClick() {
    commitEdits();
    session_.sdo.export_xlsx(session_.context().project_dir);
}

void TFsdo::BitBtn4Click() {
    std::optional<QString> workbook = openExcel_.choose(this);
    if (!workbook) return;
    commitEdits();
    // The pages show what was taken; only a workbook the user has to change
    // is worth a message.
    fenwarp::report_import(session_.sdo.import_workbook(toPath(*workbook), session_.workbook),
                           messages_);
    reloadPages();
}

void TFsdo::commitEdits() {
    for (Page& page : pages_) page.grid->commitEdit();
}

void TFsdo::reloadPages() {
    for (Page& page : pages_) page.model->reload();
}
