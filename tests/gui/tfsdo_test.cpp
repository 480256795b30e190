#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

#include "fixtures/workbook_fixtures.h"
#include "gui/documents/TFsdo.h"
#include "gui/fenwarp_application.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/open_excel.h"
#include "gui/widgets/grid.h"
#include "gui_test_support.h"

namespace {

const fenwarp::test::TestWorkbooks& workbooks() {
    static const fenwarp::test::TestWorkbooks made;
    return made;
}

}  // namespace

class TFsdoTest : public QObject {
    Q_OBJECT
  private slots:
    void showsBothPagesWithTheirCaptionsAndHeadings();
    void loadsEditsInPlaceAndOkWritesTheDocument();
    void cancelWritesNothingAndTheNextShowReloads();
    void keepsTheActivePageBetweenShowings();
    void columnsTakeATenthOfTheGridAndTheBarsFollow();
    void exportWritesTheCsvIntoTheProject();
    void importAsksForAWorkbookInTheProjectFolder();
    void rowNumbersStayAndBarsKeepTheirColumnsWhenScrolledOrResized();

  private:
    void open(GuiFixture& f, std::function<void(QDialog*)> action) {
        whenModal(std::move(action));
        child<QPushButton>(f.windows->main.get(), "btn_Sdo")->click();
    }
};

void TFsdoTest::showsBothPagesWithTheirCaptionsAndHeadings() {
    GuiFixture f;
    open(f, [](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Set SDO Access"));
        auto* notebook = child<QTabWidget>(d, "PageControl1");
        QCOMPARE(notebook->count(), 2);
        QCOMPARE(notebook->tabText(0), QString("SDO from CAN 0 request to CAN 1"));
        QCOMPARE(notebook->tabText(1), QString("SDO from CAN 1 request to CAN 0"));
        QCOMPARE(notebook->currentIndex(), 1);
        const QStringList headings = {"N°",    "RW",       "Index", "SubIndex", "devID",
                                      "Index", "SubIndex", "nbyte", "mnemonico"};
        for (const char* name : {"sga", "sgb"}) {
            auto* grid = child<Grid>(d, name);
            QCOMPARE(grid->model()->rowCount(), 1500);
            QCOMPARE(grid->model()->columnCount(), 9);
            for (int c = 0; c < 9; ++c) {
                QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
            }
            QCOMPARE(cell(grid, 0, 0), QString("0"));
            QCOMPARE(cell(grid, 1499, 0), QString("1499"));
            QVERIFY(!(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable));
            QVERIFY(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable);
        }
        const char* bars[][2] = {{"Panel1", "Define virtual index SDO in CAN 0"},
                                 {"Panel2", "Input index address SDO in CAN 1"},
                                 {"Panel3", "Define virtual index SDO in CAN 1"},
                                 {"Panel4", "Input index address SDO in CAN 0"}};
        for (const auto& bar : bars) {
            QCOMPARE(child<QWidget>(d, bar[0])->findChild<QLabel*>()->text(), QString(bar[1]));
        }
        const char* buttons[][2] = {
            {"BitBtn1", "OK"}, {"BitBtn2", "Cancel"}, {"Button1", "Export"}, {"BitBtn4", "Import"}};
        for (const auto& b : buttons) QCOMPARE(child<QPushButton>(d, b[0])->text(), QString(b[1]));
    });
    QVERIFY(f.messages.texts.empty());
}

void TFsdoTest::loadsEditsInPlaceAndOkWritesTheDocument() {
    GuiFixture f;
    const QString doc = f.path("PROJECTS/sdo.xml");
    writeFile(doc,
              "<sdo><row conf=\"17\" IndexA=\"0x3000\" SubindexA=\"1\" devIDB=\"2\" "
              "IndexB=\"0x6000\" SubindexB=\"0\" nbyteB=\"2\"/>"
              "<row conf=\"48\" IndexA=\"0x2000\" SubindexA=\"1\" devIDB=\"2\" IndexB=\"0x6000\" "
              "SubindexB=\"0\" nbyteB=\"2\" mnemonico=\"m\"/></sdo>");
    open(f, [](QDialog* d) {
        auto* sga = child<Grid>(d, "sga");
        auto* sgb = child<Grid>(d, "sgb");
        QCOMPARE(cell(sga, 0, 1), QString("1"));
        QCOMPARE(cell(sga, 0, 8), QString("m"));
        QCOMPARE(cell(sgb, 0, 2), QString("0x3000"));
        child<QTabWidget>(d, "PageControl1")->setCurrentIndex(0);
        // A key starts editing the cell; Return writes it.
        sga->setFocus();
        sga->setCurrentIndex(sga->model()->index(1, 1));
        QTest::keyClicks(sga, "0");
        QWidget* editor = sga->indexWidget(sga->currentIndex());
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits on a queued call
        QCOMPARE(cell(sga, 1, 1), QString("0"));
        // A cell still being edited is taken by OK.
        sga->setCurrentIndex(sga->model()->index(1, 2));
        QTest::keyClicks(sga, "0");
        QTest::keyClicks(sga->indexWidget(sga->currentIndex()), "x1000");
        child<QPushButton>(d, "BitBtn1")->click();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(f.messages.texts.empty());
    const QByteArray saved = readFile(doc);
    QVERIFY2(saved.startsWith("<sdo><row conf=\"0\" IndexA=\"0x1000\""), saved.constData());
    QVERIFY(saved.contains("<row conf=\"16\" IndexA=\"0x2000\""));
    QVERIFY(
        saved.endsWith("<row conf=\"17\" IndexA=\"0x3000\" SubindexA=\"1\" devIDB=\"2\" "
                       "IndexB=\"0x6000\" SubindexB=\"0\" nbyteB=\"2\" mnemonico=\"\"/></sdo>"));
}

void TFsdoTest::cancelWritesNothingAndTheNextShowReloads() {
    GuiFixture f;
    open(f, [](QDialog* d) {
        auto* sga = child<Grid>(d, "sga");
        sga->model()->setData(sga->model()->index(0, 1), "1");
        child<QPushButton>(d, "BitBtn2")->click();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(!QFile::exists(f.path("PROJECTS/sdo.xml")));
    QCOMPARE(f.session->sdo.sga.cell(1, 1), std::string("1"));  // kept until the next show
    open(f, [](QDialog* d) { QCOMPARE(cell(child<Grid>(d, "sga"), 0, 1), QString()); });
}

void TFsdoTest::keepsTheActivePageBetweenShowings() {
    GuiFixture f;
    open(f, [](QDialog* d) { child<QTabWidget>(d, "PageControl1")->setCurrentIndex(0); });
    open(f, [](QDialog* d) { QCOMPARE(child<QTabWidget>(d, "PageControl1")->currentIndex(), 0); });
}

void TFsdoTest::columnsTakeATenthOfTheGridAndTheBarsFollow() {
    GuiFixture f;
    open(f, [](QDialog* d) {
        d->resize(1000, 600);
        QCoreApplication::processEvents();
        auto* notebook = child<QTabWidget>(d, "PageControl1");
        for (int page = 1; page >= 0; --page) {
            notebook->setCurrentIndex(page);
            QCoreApplication::processEvents();
            auto* grid = child<Grid>(d, page == 0 ? "sga" : "sgb");
            const int column = grid->width() / 10;
            QVERIFY(column > 0);
            for (int c = 0; c < 9; ++c) QCOMPARE(grid->columnWidth(c), column);
            QCOMPARE(child<QWidget>(d, page == 0 ? "Panel1" : "Panel3")->width(), 4 * column);
        }
        QCOMPARE(child<Grid>(d, "sga")->horizontalHeader()->sectionResizeMode(1),
                 QHeaderView::Interactive);
    });
}

void TFsdoTest::exportWritesTheCsvIntoTheProject() {
    GuiFixture f;
    open(f, [](QDialog* d) {
        auto* sgb = child<Grid>(d, "sgb");
        sgb->model()->setData(sgb->model()->index(0, 1), "1");
        sgb->model()->setData(sgb->model()->index(0, 8), "a,b");
        child<QPushButton>(d, "Button1")->click();
        QVERIFY(d->isVisible());
    });
    const QList<QByteArray> lines = readFile(f.path("PROJECTS/sdo.csv")).split('\n');
    QCOMPARE(lines.size(), 3003);  // the last CR LF leaves an empty piece
    QCOMPARE(lines[1501], QByteArray("1,Index,Subindex,devID,Index,Subindex,nbyte,mnemonico,\r"));
    QCOMPARE(lines[1502], QByteArray("17,,,,,,,\"a,b\",\r"));
    QVERIFY(f.messages.texts.empty());
}

void TFsdoTest::importAsksForAWorkbookInTheProjectFolder() {
    GuiFixture f;
    OpenExcel& openExcel = f.windows->main->openExcel();
    QString offeredDir;
    std::optional<QString> answer;
    openExcel.setChooser([&](QWidget*, const QString& dir) {
        offeredDir = dir;
        return answer;
    });
    open(f, [&](QDialog* d) {
        auto* sga = child<Grid>(d, "sga");
        auto* sgb = child<Grid>(d, "sgb");
        sga->model()->setData(sga->model()->index(5, 2), "typed");
        child<QPushButton>(d, "BitBtn4")->click();  // cancelled: nothing changes
        QCOMPARE(cell(sga, 5, 2), QString("typed"));
        answer = QString::fromStdString((workbooks() / "sdo_both.xls").string());
        child<QPushButton>(d, "BitBtn4")->click();
        QCOMPARE(cell(sga, 5, 2), QString());
        QCOMPARE(cell(sga, 0, 2), QString("0x2000"));
        QCOMPARE(cell(sgb, 0, 3), QString("1.5"));
        QCOMPARE(cell(sgb, 1, 8), QString("a,b"));
        // A workbook that gives no record leaves the pages as they were.
        answer = QString::fromStdString((workbooks() / "sdo_suffix.xls").string());
        child<QPushButton>(d, "BitBtn4")->click();
        QCOMPARE(cell(sga, 0, 2), QString("0x2000"));
        // The second export choice writes a workbook the import reads back.
        QCOMPARE(child<QPushButton>(d, "ButtonXlsx")->text(), QString("Export xlsx"));
        sga->model()->setData(sga->model()->index(0, 8), "typed, then exported");
        child<QPushButton>(d, "ButtonXlsx")->click();
        sga->model()->setData(sga->model()->index(0, 8), "changed");
        answer = f.path("PROJECTS/sdo.xlsx");
        child<QPushButton>(d, "BitBtn4")->click();
        QCOMPARE(cell(sga, 0, 8), QString("typed, then exported"));
        QCOMPARE(cell(sgb, 0, 3), QString("1.5"));
    });
    QCOMPARE(QDir(offeredDir), QDir(f.path("PROJECTS")));
    QVERIFY(QString(OpenExcel::filter).startsWith("File EXCEL (*.xls);;"));
    for (const char* pattern : {"*.xlsx", "*.ods"})
        QVERIFY(QString(OpenExcel::filter).contains(pattern));
    QVERIFY(f.messages.texts.empty());
}

// Where a widget's left and right edges stand in the page's coordinates.
std::pair<int, int> edges(QWidget* widget, QWidget* page) {
    const int left = widget->mapTo(page, QPoint(0, 0)).x();
    return {left, left + widget->width()};
}

void TFsdoTest::rowNumbersStayAndBarsKeepTheirColumnsWhenScrolledOrResized() {
    GuiFixture f;
    open(f, [](QDialog* d) {
        d->resize(1000, 600);
        child<QTabWidget>(d, "PageControl1")->setCurrentIndex(0);
        QCoreApplication::processEvents();
        auto* grid = child<Grid>(d, "sga");
        QWidget* page = grid->parentWidget();
        auto* header = grid->horizontalHeader();
        auto* fixed = child<QTableView>(grid, "FixedColumns");
        // where a column of the grid stands in the page's coordinates
        auto columnLeft = [&](int c) {
            return grid->viewport()->mapTo(page, QPoint(header->sectionViewportPosition(c), 0)).x();
        };
        auto check = [&](const char* when) {
            QCoreApplication::processEvents();
            // column 0 stands at the grid's left, showing the row numbers
            const int viewLeft = grid->viewport()->mapTo(page, QPoint(0, 0)).x();
            QVERIFY2(fixed->isVisible(), when);
            QCOMPARE(edges(fixed, page), std::make_pair(viewLeft, viewLeft + grid->columnWidth(0)));
            QCOMPARE(fixed->model()->headerData(0, Qt::Horizontal).toString(), QString("N°"));
            for (int c = 1; c < 9; ++c) QVERIFY2(fixed->isColumnHidden(c), when);
            QCOMPARE(fixed->verticalScrollBar()->value(), grid->verticalScrollBar()->value());
            // the left bar from the grid's left to the end of column 3, the
            // right one from there on, never over the row numbers
            const auto left = edges(child<QWidget>(d, "Panel1"), page);
            const auto right = edges(child<QWidget>(d, "Panel2"), page);
            const int fixedRight = viewLeft + grid->columnWidth(0);
            QCOMPARE(left.first, viewLeft);
            QCOMPARE(left.second, std::max(fixedRight, columnLeft(4)));
            QCOMPARE(right.first, left.second);
            QCOMPARE(right.second, viewLeft + grid->viewport()->width());
        };
        check("at first");
        grid->setColumnWidth(2, 300);
        grid->setColumnWidth(0, 60);
        check("after resizing columns");
        grid->horizontalScrollBar()->setValue(150);
        grid->verticalScrollBar()->setValue(40);
        check("scrolled a little");
        QCOMPARE(fixed->model()->index(fixed->indexAt(QPoint(5, 5)).row(), 0).data().toString(),
                 QString::number(fixed->indexAt(QPoint(5, 5)).row()));
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
        check("scrolled to the end");
    });
}

int main(int argc, char** argv) {
    return runGuiTest<TFsdoTest>(argc, argv);
}

#include "tfsdo_test.moc"
