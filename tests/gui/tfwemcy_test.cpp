#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "fixtures/workbook_fixtures.h"
#include "gui/documents/TFWemcy.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui_test_support.h"

namespace {

// The label standing before a field.
QString labelOf(QWidget* root, const char* field) {
    auto* line = child<QLineEdit>(root, field);
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->buddy() == line) return label->text();
    }
    return {};
}

void type(QWidget* root, const char* field, const QString& text) {
    auto* line = child<QLineEdit>(root, field);
    line->clear();
    QTest::keyClicks(line, text);
}

}  // namespace

class TFWemcyTest : public QObject {
    Q_OBJECT
  private slots:
    void showsBothPagesWithTheirComponentsAndLabels();
    void newModifyAndDeleteReachTheEditorAndOkSaves();
    void importFillsBothTreesAndExportWritesTheCsv();

  private:
    // The main window's button is hidden; a click on it still opens the dialog.
    void open(GuiFixture& f, std::function<void(QDialog*)> action) {
        whenModal(std::move(action));
        auto* button = child<QPushButton>(f.windows->main.get(), "btn_Emcy_Wd");
        QVERIFY(button->isHidden());
        button->click();
    }
};

void TFWemcyTest::showsBothPagesWithTheirComponentsAndLabels() {
    GuiFixture f;
    open(f, [](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Define EMCY Word"));
        auto* notebook = child<QTabWidget>(d, "PageControl1");
        QCOMPARE(notebook->tabText(0), QString("Can0"));
        QCOMPARE(notebook->tabText(1), QString("Can1"));
        QCOMPARE(notebook->currentIndex(), 1);
        const char* labels[][2] = {{"Eindex_addrmA", "Index SDO BUS 1"},
                                   {"EsubindexA", "Subindex SDO BUS 1"},
                                   {"EdevidA", "ID EMCY BUS 0"},
                                   {"Eb0A", "Mask Byte 1"},
                                   {"Eb1A", "Mask byte 2"},
                                   {"EposcompA", "Emcy byte 1"},
                                   {"EposcompA2", "Emcy Byte 2"},
                                   {"Eindex_addrmB", "Index SDO BUS 0"},
                                   {"EsubindexB", "Subindex SDO BUS 0"},
                                   {"EdevidB", "ID EMCY BUS 1"},
                                   {"Eb0B", "Mask Byte 1"},
                                   {"Eb1B", "Mask Byte 2"},
                                   {"EposcompB", "Emcy byte 1"},
                                   {"EposcompB2", "Emcy Byte 2"}};
        for (const auto& l : labels) QCOMPARE(labelOf(d, l[0]), QString(l[1]));
        for (const char* group : {"GBword_emcy_bitmapA", "GBword_emcy_bitmapB"}) {
            QCOMPARE(child<QGroupBox>(d, group)->title(), QString("Word n°  Emcy Define "));
        }
        for (const char* group : {"GbebmA", "GbebmB"}) {
            QCOMPARE(child<QGroupBox>(d, group)->title(), QString("Mask BIT n°  Define"));
        }
        const char* buttons[][2] = {{"newA", "New"},       {"modifyA", "Modify"},
                                    {"deleteA", "Delete"}, {"newB", "New"},
                                    {"modifyB", "Modify"}, {"deleteB", "Delete"},
                                    {"BitBtn1", "OK"},     {"BitBtn2", "Cancel"},
                                    {"Button1", "Export"}, {"BitBtn4", "Import"}};
        for (const auto& b : buttons) QCOMPARE(child<QPushButton>(d, b[0])->text(), QString(b[1]));
        for (const char* tree : {"TWCanA", "TWCanB"}) {
            QVERIFY(child<QTreeWidget>(d, tree)->editTriggers() ==
                    QAbstractItemView::NoEditTriggers);
        }
        notebook->setCurrentIndex(0);
    });
    QCOMPARE(f.messages.texts, std::vector<std::string>{"File XML not found"});
    open(f, [](QDialog* d) { QCOMPARE(child<QTabWidget>(d, "PageControl1")->currentIndex(), 0); });
}

void TFWemcyTest::newModifyAndDeleteReachTheEditorAndOkSaves() {
    GuiFixture f;
    open(f, [&f](QDialog* d) {
        auto* tree = child<QTreeWidget>(d, "TWCanB");
        for (const char* index : {"0x2000", "0x2001", "0x2002"}) {
            type(d, "Eindex_addrmB", index);
            type(d, "EsubindexB", "1");
            type(d, "EdevidB", "4");
            child<QPushButton>(d, "newB")->click();
        }
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(2)->text(0), QString("W2"));
        QCOMPARE(tree->topLevelItem(2)->child(15)->text(0), QString("Bit 15"));
        QVERIFY(!tree->topLevelItem(0)->icon(0).isNull());
        child<QPushButton>(d, "newB")->click();  // the same key again
        QCOMPARE(f.messages.texts.back(), std::string("Index Not Valid"));

        // Bit 3 of the second word.
        tree->setCurrentItem(tree->topLevelItem(1)->child(3));
        QCOMPARE(child<QGroupBox>(d, "GBword_emcy_bitmapA")->title(),
                 QString("Word n°1 Emcy Define "));
        QCOMPARE(child<QGroupBox>(d, "GbebmB")->title(), QString("Mask BIT n°3 Define"));
        QCOMPARE(child<QLineEdit>(d, "Eindex_addrmB")->text(), QString("0x2001"));
        type(d, "Eb0B", "0xFF");
        type(d, "EposcompB", "2");
        type(d, "EposcompB2", "5");
        child<QPushButton>(d, "modifyB")->click();
        QCOMPARE(f.session->emcy_word.pages[1].words[1].bits[3],
                 (fenwarp::ClEbm{"0xFF", "", "37"}));
        tree->setCurrentItem(tree->topLevelItem(1));
        QCOMPARE(child<QLineEdit>(d, "EposcompB")->text(), QString());
        tree->setCurrentItem(tree->topLevelItem(1)->child(3));
        QCOMPARE(child<QLineEdit>(d, "EposcompB2")->text(), QString("5"));

        child<QPushButton>(d, "deleteB")->click();  // a bit node: nothing happens
        QCOMPARE(tree->topLevelItemCount(), 3);
        tree->setCurrentItem(tree->topLevelItem(0));
        child<QPushButton>(d, "deleteB")->click();
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
        QCOMPARE(tree->currentItem()->text(0), QString("W1"));
        QCOMPARE(child<QLineEdit>(d, "Eindex_addrmB")->text(), QString("0x2001"));
        QCOMPARE(f.session->emcy_word.pages[1].words.size(), std::size_t{2});

        child<QPushButton>(d, "BitBtn1")->click();
        QVERIFY(!d->isVisible());
    });
    const QByteArray saved = readFile(f.path("PROJECTS/emcyword.xml"));
    QVERIFY2(saved.startsWith("<emcyword><row index_addrm=\"0x2001\" subindex=\"1\" extdata=\"1\""),
             saved.constData());
    QVERIFY(saved.contains("bit3_b0=\"0xFF\" bit3_b1=\"\" bit3_poscomp=\"37\""));
}

void TFWemcyTest::importFillsBothTreesAndExportWritesTheCsv() {
    GuiFixture f;
    const fenwarp::test::TestWorkbooks workbooks;
    const QString workbook = QString::fromStdString((workbooks / "emcyword.xls").string());
    f.windows->main->openExcel().setChooser(
        [&](QWidget*, const QString&) { return std::optional<QString>(workbook); });
    open(f, [&f](QDialog* d) {
        child<QPushButton>(d, "BitBtn4")->click();
        auto* can0 = child<QTreeWidget>(d, "TWCanA");
        auto* can1 = child<QTreeWidget>(d, "TWCanB");
        QCOMPARE(can0->topLevelItemCount(), 1);
        QCOMPARE(can1->topLevelItemCount(), 2);
        QCOMPARE(can1->topLevelItem(1)->text(0), QString("W1"));
        QVERIFY(can1->currentItem() == nullptr);
        child<QPushButton>(d, "Button1")->click();
        QVERIFY(readFile(f.path("PROJECTS/emcyword.csv")).startsWith("0x2100,2,0,5,"));
    });
}

int main(int argc, char** argv) {
    return runGuiTest<TFWemcyTest>(argc, argv);
}

#include "tfwemcy_test.moc"
