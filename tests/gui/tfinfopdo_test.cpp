#include <QButtonGroup>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "fixtures/workbook_fixtures.h"
#include "gui/documents/TFInfopdo.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/open_excel.h"
#include "gui_test_support.h"

namespace {

QStringList items(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

// The item index checked in a byte choice, -1 for none.
int checkedItem(QWidget* dialog, const char* choice) {
    const auto buttons = child<QGroupBox>(dialog, choice)->findChildren<QRadioButton*>();
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked()) return i;
    }
    return -1;
}

void clickItem(QWidget* dialog, const char* choice, const char* item) {
    child<QRadioButton>(dialog, qPrintable(QString("%1_%2").arg(choice, item)))->click();
}

QByteArray pdoRow(const char* cobid, const char* enBypass) {
    return QByteArray("<row cobid=\"") + cobid + "\" id_dev_orig=\"1\" en_bypass=\"" + enBypass +
           "\" posind=\"0\" n_tpdo=\"0\"/>";
}

// One "Can0" PDO and two "Can1" PDOs, an SDO object 0x3000/1 on the CAN 1
// side and one stored entry on the second "Can1" PDO.
void writeProject(GuiFixture& f) {
    writeFile(f.path("PROJECTS/sdo.xml"),
              "<sdo><row conf=\"17\" IndexA=\"0x3000\" SubindexA=\"1\" devIDB=\"2\" "
              "IndexB=\"0x6000\" SubindexB=\"0\" nbyteB=\"2\" mnemonico=\"\"/></sdo>");
    writeFile(f.path("PROJECTS/rpdodef.xml"), "<rpdodef>" + pdoRow("0x181", "1") +
                                                  pdoRow("0x201", "3") + pdoRow("0x202", "2") +
                                                  "</rpdodef>");
    writeFile(f.path("PROJECTS/sdopdo.xml"),
              "<sdopdo><row index=\"0x2000\" subindex=\"1\" nrpdo=\"130\" poscomp=\"37\"/>"
              "</sdopdo>");
}

const fenwarp::test::TestWorkbooks& workbooks() {
    static const fenwarp::test::TestWorkbooks made;
    return made;
}

}  // namespace

class TFInfopdoTest : public QObject {
    Q_OBJECT
  private slots:
    void showsBothTabsWithTheirComponents();
    void loadReportsEachMissingDocument();
    void clickingThroughEditsTheMapAndOkSavesIt();
    void importAndExportGoThroughTheEditor();

  private:
    void open(GuiFixture& f, std::function<void(QDialog*)> action) {
        whenModal(std::move(action));
        auto* button = child<QPushButton>(f.windows->main.get(), "btn_Info_Pdo");
        QVERIFY(!button->isVisible());
        QVERIFY(button->isHidden());
        button->click();  // hidden, but it opens the dialog all the same
    }
};

void TFInfopdoTest::showsBothTabsWithTheirComponents() {
    GuiFixture f;
    open(f, [](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Define Store PDO"));
        auto* notebook = child<QTabWidget>(d, "PageControl1");
        QCOMPARE(notebook->count(), 2);
        QCOMPARE(notebook->tabText(0), QString("Can0"));
        QCOMPARE(notebook->tabText(1), QString("Can1"));
        QCOMPARE(notebook->currentIndex(), 1);
        QCOMPARE(d->layout()->sizeConstraint(), QLayout::SetFixedSize);
        for (const char* name : {"LPdoCanA", "LSdoCanA", "LPdoCanB", "LSdoCanB"}) {
            child<QListWidget>(d, name);
        }
        for (const char* name : {"EindexA", "EsubindexA", "EindexB", "EsubindexB"}) {
            child<QLineEdit>(d, name);
        }
        for (const char* name : {"PoscompMsbA", "PoscompLsbA", "PoscompMsbB", "PoscompLsbB"}) {
            auto* choice = child<QGroupBox>(d, name);
            QCOMPARE(choice->title(), QString("Selected PDO Byte"));
            const auto buttons = choice->findChildren<QRadioButton*>();
            QCOMPARE(buttons.size(), 9);
            QCOMPARE(buttons.front()->text(), QString("none"));
            QCOMPARE(buttons.back()->text(), QString("B8"));
            QCOMPARE(checkedItem(d, name), 0);
        }
        QStringList labels;
        for (QLabel* label : d->findChildren<QLabel*>()) labels << label->text();
        for (const char* text :
             {"Correlated", "Index PDO in CAN0", "Index PDO in CAN1", "SDO CANB", "SDO CANA",
              "Index SDO CAN1", "Subindex SDO CAN1", "Index SDO CAN0", "Subindex SDO CAN0",
              "Translate in\nHigh SDO Byte", "Translate in\nLow SDO Byte"}) {
            QVERIFY2(labels.contains(text), text);
        }
        const char* captions[] = {"Delete SDO", "New SDO", "Modify SDO", "Copy SDO", "Paste SDO"};
        const char* buttons[2][5] = {{"DELETEa", "NewA", "ModifyA", "copyA", "PasteA"},
                                     {"Deleteb", "Newb", "Modifyb", "copyB", "PasteB"}};
        for (const auto& tab : buttons) {
            for (int b = 0; b < 5; ++b) {
                QCOMPARE(child<QPushButton>(d, tab[b])->text(), QString(captions[b]));
            }
        }
        const char* bottom[][2] = {
            {"BitBtn1", "OK"}, {"BitBtn2", "Cancel"}, {"Button1", "Export"}, {"BitBtn4", "Import"}};
        for (const auto& b : bottom) QCOMPARE(child<QPushButton>(d, b[0])->text(), QString(b[1]));
    });
}

void TFInfopdoTest::loadReportsEachMissingDocument() {
    GuiFixture f;
    open(f, [](QDialog* d) { QCOMPARE(child<QListWidget>(d, "LPdoCanB")->count(), 0); });
    QCOMPARE(f.messages.texts,
             (std::vector<std::string>{"File SDO XML not found", "File PDO XML not found",
                                       "File SDOPDO XML not found"}));
}

void TFInfopdoTest::clickingThroughEditsTheMapAndOkSavesIt() {
    GuiFixture f;
    writeProject(f);
    const fenwarp::StoredPdoEditor& editor = f.session->stored_pdo;
    open(f, [&](QDialog* d) {
        auto* pdos = child<QListWidget>(d, "LPdoCanB");
        auto* entries = child<QListWidget>(d, "LSdoCanB");
        auto* index = child<QLineEdit>(d, "EindexB");
        auto* subindex = child<QLineEdit>(d, "EsubindexB");
        QCOMPARE(items(child<QListWidget>(d, "LPdoCanA")), QStringList{"0x181"});
        QCOMPARE(items(pdos), (QStringList{"0x201", "0x202"}));

        pdos->setCurrentRow(1);
        QCOMPARE(items(entries), QStringList{"Sdo0"});
        entries->setCurrentRow(0);
        QCOMPARE(index->text(), QString("0x2000"));
        QCOMPARE(checkedItem(d, "PoscompMsbB"), 2);
        QCOMPARE(checkedItem(d, "PoscompLsbB"), 5);

        // An SDO object of the CAN 1 side is refused; another entry is added.
        index->clear();
        QTest::keyClicks(index, "12288");
        child<QPushButton>(d, "Newb")->click();
        QCOMPARE(f.messages.texts,
                 std::vector<std::string>{"Index or Subindex Not Valid,Sdo Already Exists"});
        subindex->clear();
        QTest::keyClicks(subindex, "4");
        clickItem(d, "PoscompMsbB", "B1");
        clickItem(d, "PoscompLsbB", "none");
        child<QPushButton>(d, "Newb")->click();
        QCOMPARE(items(entries), (QStringList{"Sdo0", "Sdo1"}));
        QCOMPARE(editor.tab(1).pdos[1].stored.back(), (fenwarp::TClSdo{"12288", "4", "16"}));

        // Copy there, paste on the first PDO as a new entry; delete the first.
        child<QPushButton>(d, "copyB")->click();
        pdos->setCurrentRow(0);
        QCOMPARE(index->text(), QString());
        child<QPushButton>(d, "PasteB")->click();
        QCOMPARE(index->text(), QString("12288"));
        QCOMPARE(checkedItem(d, "PoscompMsbB"), 1);
        child<QPushButton>(d, "Newb")->click();
        QCOMPARE(f.messages.texts.size(), 2u);  // the same object on another PDO
        QCOMPARE(f.messages.texts.back(), std::string("Index or Subindex Not Valid"));
        subindex->clear();
        QTest::keyClicks(subindex, "5");
        child<QPushButton>(d, "Newb")->click();
        QCOMPARE(editor.tab(1).pdos[0].stored.size(), 1u);
        pdos->setCurrentRow(1);
        entries->setCurrentRow(0);
        child<QPushButton>(d, "Deleteb")->click();
        QCOMPARE(items(entries), QStringList{"Sdo1"});
        child<QPushButton>(d, "BitBtn1")->click();
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(readFile(f.path("PROJECTS/sdopdo.xml")),
             QByteArray("<sdopdo><row index=\"12288\" subindex=\"4\" nrpdo=\"130\" poscomp=\"16\"/>"
                        "<row index=\"12288\" subindex=\"5\" nrpdo=\"129\" poscomp=\"16\"/>"
                        "</sdopdo>"));
    QCOMPARE(f.messages.texts.size(), 2u);
}

void TFInfopdoTest::importAndExportGoThroughTheEditor() {
    GuiFixture f;
    writeProject(f);
    OpenExcel& openExcel = f.windows->main->openExcel();
    std::optional<QString> answer;
    openExcel.setChooser([&](QWidget*, const QString&) { return answer; });
    open(f, [&](QDialog* d) {
        child<QListWidget>(d, "LPdoCanB")->setCurrentRow(1);
        child<QListWidget>(d, "LSdoCanB")->setCurrentRow(0);
        child<QPushButton>(d, "BitBtn4")->click();  // cancelled: nothing changes
        QCOMPARE(child<QLineEdit>(d, "EindexB")->text(), QString("0x2000"));
        answer = QString::fromStdString((workbooks() / "sdopdo_map.xls").string());
        child<QPushButton>(d, "BitBtn4")->click();
        QCOMPARE(child<QLineEdit>(d, "EindexB")->text(), QString());
        QCOMPARE(child<QListWidget>(d, "LSdoCanB")->count(), 0);
        child<QPushButton>(d, "Button1")->click();
        QVERIFY(d->isVisible());
    });
    QCOMPARE(readFile(f.path("PROJECTS/sdopdo.csv")),
             QByteArray("8194,2,1,,\r\n$2003,3,129,18,\r\n0x2000,1,130,37,\r\n"));
    QVERIFY(f.messages.texts.empty());
}

int main(int argc, char** argv) {
    return runGuiTest<TFInfopdoTest>(argc, argv);
}

#include "tfinfopdo_test.moc"
