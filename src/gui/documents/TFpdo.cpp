#include "gui/documents/TFpdo.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/documents/workbook/import_report.h"
#include "gui/documents/table_buttons.h"
#include "gui/documents/text_grid_model.h"
#include "gui/qt_messages.h"
#include "gui/shell/open_excel.h"
#include "gui/widgets/grid.h"

namespace {

const char* const pageCaptions[2] = {"PDO From Can0 to Can1", "PDO From Can1 to Can0"};
const char* const gridNames[2] = {"sga", "sgb"};

// What the grid shows over each column; the cells of row 0 hold the texts the
// export writes.
const QStringList headings = {"N°", "cobid", "id_dev_orig", "en_translate", "posid", "n_tPDO"};

}  // namespace

TFpdo::TFpdo(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
             QWidget* parent)
    : QDialog(parent), session_(session), openExcel_(openExcel), messages_(messages) {
    setObjectName("TFpdo");
    setWindowTitle("Define Translate PDO");
    resize(620, 380);
    auto* layout = new QVBoxLayout(this);
    notebook_ = new QTabWidget(this);
    notebook_->setObjectName("PageControl1");
    for (int direction = 0; direction < 2; ++direction) {
        notebook_->addTab(makePage(direction), pageCaptions[direction]);
    }
    notebook_->setCurrentIndex(1);  // kept from then on between showings
    layout->addWidget(notebook_);

    addTableButtons(this, layout,
                    {[this] { Button1Click(); }, [this] { BitBtn4Click(); },
                     [this] { BitBtn1Click(); }, [this] { ButtonXlsxClick(); }});
}

QWidget* TFpdo::makePage(int direction) {
    auto* page = new QWidget(this);
    page->setObjectName(QString("TabSheet%1").arg(direction + 1));
    auto* layout = new QVBoxLayout(page);
    Page& p = pages_[direction];
    p.grid = new Grid(gridNames[direction], page);
    p.model = new TextGridModel(session_.pdo.page(direction), headings, 1, p.grid);
    p.grid->setModel(p.model);
    // A page that was hidden while the dialog resized lays itself out when shown.
    p.grid->installEventFilter(this);
    layout->addWidget(p.grid, 1);
    return page;
}

void TFpdo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFpdo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

bool TFpdo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (Page& page : pages_) {
            if (watched == page.grid) layoutGrid(page.grid);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFpdo::FormShow() {
    session_.pdo.load(session_.context().documents.rpdodef, messages_);
    reloadPages();
}

void TFpdo::FormResize() {
    for (Page& page : pages_) layoutGrid(page.grid);
}

// Every column gets the grid's width divided by the column count, rounded,
// less 5.
void TFpdo::layoutGrid(Grid* grid) {
    const int columns = grid->model()->columnCount();
    const int width = static_cast<int>(std::lround(double(grid->width()) / columns)) - 5;
    if (width <= 0) return;
    grid->horizontalHeader()->setDefaultSectionSize(width);
    for (int c = 0; c < columns; ++c) grid->setColumnWidth(c, width);
}

void TFpdo::BitBtn1Click() {
    commitEdits();
    // A cobid that does not convert throws: nothing is written and the dialog
    // stays open with its content.
    session_.pdo.save_document(session_.context().documents.rpdodef);
    accept();
}

void TFpdo::Button1Click() {
    commitEdits();
    session_.pdo.export_csv(session_.context().project_dir);
}

void TFpdo::ButtonXlsxClick() {
    commitEdits();
    session_.pdo.export_xlsx(session_.context().project_dir);
}

void TFpdo::BitBtn4Click() {
    std::optional<QString> workbook = openExcel_.choose(this);
    if (!workbook) return;
    commitEdits();
    // The pages show what was taken; only a workbook the user has to change
    // is worth a message.
    fenwarp::report_import(session_.pdo.import_workbook(toPath(*workbook), session_.workbook),
                           messages_);
    reloadPages();
}

void TFpdo::commitEdits() {
    for (Page& page : pages_) page.grid->commitEdit();
}

void TFpdo::reloadPages() {
    for (Page& page : pages_) page.model->reload();
}
