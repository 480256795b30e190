#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <cmath>

#include "core/documents/document_messages.h"
#include "fixtures/workbook_fixtures.h"
#include "gui/documents/TFpdo.h"
#include "gui/documents/TFsdo.h"
#include "gui/fenwarp_application.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/open_excel.h"
#include "gui/widgets/grid.h"
#include "gui_test_support.h"

namespace {

QByteArray pdoRow(const char* cobid, const char* enBypass) {
    return QByteArray("<row cobid=\"") + cobid + "\" id_dev_orig=\"1\" en_bypass=\"" + enBypass +
           "\" posind=\"2\" n_tpdo=\"3\"/>";
}

}  // namespace

class TFpdoTest : public QObject {
    Q_OBJECT
  private slots:
    void isCreatedOnceAfterTheSdoDialogAndOpenedBySetTranslatePdo();
    void loadsEditsAndOkWritesTheDocumentInCobidOrder();
    void keepsThePageAndSizesColumnsByTheResizeRule();
    void importsAndExportsThroughTheSharedPicker();

  private:
    void open(GuiFixture& f, std::function<void(QDialog*)> action) {
        whenModal(std::move(action));
        child<QPushButton>(f.windows->main.get(), "btn_Pdo")->click();
    }
};

void TFpdoTest::isCreatedOnceAfterTheSdoDialogAndOpenedBySetTranslatePdo() {
    GuiFixture f;
    const QObjectList windows = f.windows->main->children();
    QVERIFY(windows.indexOf(f.windows->sdo) < windows.indexOf(f.windows->pdo));
    QCOMPARE(child<QPushButton>(f.windows->main.get(), "btn_Pdo")->text(),
             QString("Set Translate PDO"));
    open(f, [&](QDialog* d) {
        QCOMPARE(d, static_cast<QDialog*>(f.windows->pdo));
        QCOMPARE(d->objectName(), QString("TFpdo"));
        QCOMPARE(d->windowTitle(), QString("Define Translate PDO"));
        auto* notebook = child<QTabWidget>(d, "PageControl1");
        QCOMPARE(notebook->tabText(0), QString("PDO From Can0 to Can1"));
        QCOMPARE(notebook->tabText(1), QString("PDO From Can1 to Can0"));
        QCOMPARE(notebook->currentIndex(), 1);
        const QStringList headings = {"N°",           "cobid", "id_dev_orig",
                                      "en_translate", "posid", "n_tPDO"};
        for (const char* name : {"sga", "sgb"}) {
            auto* grid = child<Grid>(d, name);
            QCOMPARE(grid->model()->rowCount(), 10);
            QCOMPARE(grid->model()->columnCount(), 6);
            for (int c = 0; c < 6; ++c) {
                QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
            }
            QCOMPARE(cell(grid, 9, 0), QString("9"));
        }
        const char* buttons[][2] = {
            {"BitBtn1", "OK"}, {"BitBtn2", "Cancel"}, {"Button1", "Export"}, {"BitBtn4", "Import"}};
        for (const auto& b : buttons) QCOMPARE(child<QPushButton>(d, b[0])->text(), QString(b[1]));
    });
    QCOMPARE(f.messages.texts, std::vector<std::string>{fenwarp::document_messages::not_found});
}

void TFpdoTest::loadsEditsAndOkWritesTheDocumentInCobidOrder() {
    GuiFixture f;
    const QString doc = f.path("PROJECTS/rpdodef.xml");
    writeFile(doc, "<rpdodef>" + pdoRow("0x181", "2") + pdoRow("0x201", "0") +
                       pdoRow("0x182", "3") + "</rpdodef>");
    open(f, [&](QDialog* d) {
        auto* sga = child<Grid>(d, "sga");
        QCOMPARE(cell(sga, 0, 1), QString("0x181"));
        QCOMPARE(cell(sga, 1, 3), QString("1"));
        QCOMPARE(cell(child<Grid>(d, "sgb"), 0, 1), QString("0x201"));
        child<QTabWidget>(d, "PageControl1")->setCurrentIndex(0);
        // Typed into the third row of sga: a cobid below the others.
        sga->setFocus();
        sga->setCurrentIndex(sga->model()->index(2, 1));
        QTest::keyClicks(sga, "3");
        QTest::keyClicks(sga->indexWidget(sga->currentIndex()), "84");
        child<QPushButton>(d, "BitBtn1")->click();
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(f.session->pdo.sga.cell(3, 1), std::string("384"));
    const QByteArray saved = readFile(doc);
    QVERIFY2(saved.startsWith("<rpdodef><row cobid=\"384\" id_dev_orig=\"\" en_bypass=\"2\""),
             saved.constData());
    QVERIFY(saved.contains(pdoRow("0x181", "2") + pdoRow("0x182", "3") + pdoRow("0x201", "0")));
    QVERIFY(f.messages.texts.empty());
}

void TFpdoTest::keepsThePageAndSizesColumnsByTheResizeRule() {
    GuiFixture f;
    writeFile(f.path("PROJECTS/rpdodef.xml"), "<rpdodef/>");
    open(f, [](QDialog* d) {
        d->resize(700, 400);
        QCoreApplication::processEvents();
        child<QTabWidget>(d, "PageControl1")->setCurrentIndex(0);
        QCoreApplication::processEvents();
        auto* grid = child<Grid>(d, "sga");
        const int width = static_cast<int>(std::lround(grid->width() / 6.0)) - 5;
        for (int c = 0; c < 6; ++c) QCOMPARE(grid->columnWidth(c), width);
    });
    open(f, [](QDialog* d) { QCOMPARE(child<QTabWidget>(d, "PageControl1")->currentIndex(), 0); });
}

void TFpdoTest::importsAndExportsThroughTheSharedPicker() {
    GuiFixture f;
    writeFile(f.path("PROJECTS/rpdodef.xml"), "<rpdodef/>");
    fenwarp::test::TestWorkbooks workbooks;
    f.windows->main->openExcel().setChooser([&](QWidget*, const QString&) {
        return std::optional<QString>(QString::fromStdString((workbooks / "rpdodef.xls").string()));
    });
    open(f, [](QDialog* d) {
        child<QPushButton>(d, "BitBtn4")->click();
        auto* sga = child<Grid>(d, "sga");
        auto* sgb = child<Grid>(d, "sgb");
        QCOMPARE(cell(sgb, 0, 1), QString("0x181"));
        QCOMPARE(cell(sgb, 0, 3), QString("1"));
        QCOMPARE(cell(sga, 0, 1), QString("384"));
        QCOMPARE(cell(sga, 1, 3), QString("1"));
        QCOMPARE(cell(sga, 2, 1), QString());
        child<QPushButton>(d, "Button1")->click();
        QVERIFY(d->isVisible());
    });
    const QList<QByteArray> lines = readFile(f.path("PROJECTS/rpdodef.csv")).split('\n');
    QCOMPARE(lines.size(), 23);  // the last CR LF leaves an empty piece
    QCOMPARE(lines[1], QByteArray("384,2,00,0,1,\r"));
    QCOMPARE(lines[12], QByteArray("0x181,1,11,2,3,\r"));
    QVERIFY(f.messages.texts.empty());
}

int main(int argc, char** argv) {
    return runGuiTest<TFpdoTest>(argc, argv);
}

#include "tfpdo_test.moc"
