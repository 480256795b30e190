#include <QButtonGroup>
#include <QCheckBox>
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

#include "fixtures/emcy_workbooks.h"
#include "gui/documents/TFemcy.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/open_excel.h"
#include "gui_test_support.h"

namespace {

QStringList items(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

QByteArray row(const char* id, const char* bypass) {
    return QByteArray("<row id_dev=\"") + id +
           "\" mask_eq_ec=\"1\" mask_eq_er=\"2\" mask_eq_m1=\"3\" mask_eq_m2=\"4\" "
           "mask_eq_m3=\"5\" enmask_eq_ec=\"6\" enmask_eq_er=\"7\" enmask_eq_m1=\"8\" "
           "enmask_eq_m2=\"9\" enmask_eq_m3=\"10\" bypass_set=\"" +
           bypass + "\"/>";
}

const char* const fieldNames[] = {"id_dev",       "mask_eq_ec",   "mask_eq_er",   "mask_eq_m1",
                                  "mask_eq_m2",   "mask_eq_m3",   "enmask_eq_ec", "enmask_eq_er",
                                  "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3"};

}  // namespace

class TFemcyTest : public QObject {
    Q_OBJECT
  private slots:
    void showsEveryComponentWithItsCaption();
    void newModifyDeleteChangeTheEditorAndOkWritesTheDocument();
    void loadShowsEachFirstEntryAndKeepsTheActivePage();
    void importFillsTheListsAndExportWritesTheCsv();

  private:
    void open(GuiFixture& f, std::function<void(QDialog*)> action) {
        whenModal(std::move(action));
        child<QPushButton>(f.windows->main.get(), "btn_Emcy")->click();
    }
};

void TFemcyTest::showsEveryComponentWithItsCaption() {
    GuiFixture f;
    QCOMPARE(child<QTabWidget>(f.windows->emcy, "PageControl1")->currentIndex(), 0);
    QCOMPARE(child<QPushButton>(f.windows->main.get(), "btn_Emcy")->text(),
             QString("Set Translate EMCY"));
    open(f, [](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Set Translate EMCY"));
        auto* notebook = child<QTabWidget>(d, "PageControl1");
        QCOMPARE(notebook->count(), 2);
        QCOMPARE(notebook->tabText(0), QString("From CAN 0"));
        QCOMPARE(notebook->tabText(1), QString("From CAN 1"));
        const QStringList labels = {"ID_EMCY",
                                    "Mask_error_code",
                                    "MAsk_error_Reg",
                                    "Mask_Manu1",
                                    "Mask_Manu2",
                                    "Mask_Manu3",
                                    "Enabled_mask_error_code",
                                    "Enabled_mask_error_Reg",
                                    "Enabled_Mask_Manu1",
                                    "Enabled_Mask_Manu2",
                                    "Enabled_Mask_Manu3"};
        const QStringList ranges = {"(1..127)",   "(0..65535)", "(0..255)",   "(0..65535)",
                                    "(0..65535)", "(0..255)",   "(0..65535)", "(0..255)",
                                    "(0..65535)", "(0..65535)", "(0..255)"};
        const char* suffix[] = {"A", "B"};
        for (int page = 0; page < 2; ++page) {
            const QString s = suffix[page];
            const QString lower = s.toLower();
            child<QListWidget>(d, "LBCan" + s);
            for (int i = 0; i < 11; ++i) {
                const QString field = QString(fieldNames[i]) + s;
                auto* edit = child<QLineEdit>(d, "E" + field);
                QCOMPARE(child<QLabel>(d, "L" + field)->text(), labels[i]);
                QCOMPARE(child<QLabel>(d, "L" + field)->buddy(), edit);
                QCOMPARE(child<QLabel>(d, "R" + field)->text(), ranges[i]);
            }
            QCOMPARE(child<QCheckBox>(d, "enable" + lower)->text(),
                     page == 0 ? QString("Enabled_Translate to CAN1")
                               : QString("Enabled_Translate to CAN0"));
            auto* group = child<QGroupBox>(d, "Gbbypass_set" + s);
            QCOMPARE(group->title(), QString("Allias use"));
            QStringList headings;
            for (QLabel* label : group->findChildren<QLabel*>()) headings << label->text();
            const QStringList expected =
                page == 0 ? QStringList{"ID CANA EMCY ", "Translate in", "CANB EMCY at:"}
                          : QStringList{"ID CANB EMCY ", "Translate in", "CANA EMCY at:"};
            QCOMPARE(headings, expected);
            const QStringList names = {"r1", "r2", "r3", "r9", "r4", "r5", "r6", "r7", "r8"};
            const QStringList captions = {
                page == 0 ? "No translate ID CAN0" : "No translate ID CAN1",
                "Error code byte  HIGH",
                "Error code byte LOW",
                "Error Reg",
                "Manu1 byte HIGH",
                "Manu1 byte LOW",
                "Manu2 byte HIGH",
                "Manu2 byte LOW",
                "Manu3"};
            const QList<QRadioButton*> buttons = group->findChildren<QRadioButton*>();
            QCOMPARE(buttons.size(), 9);
            for (int i = 0; i < 9; ++i) {
                QCOMPARE(buttons[i]->objectName(), names[i] + lower);
                QCOMPARE(buttons[i]->text(), captions[i]);
                // top to bottom in this order
                if (i > 0)
                    QVERIFY(group->layout()->indexOf(buttons[i - 1]) <
                            group->layout()->indexOf(buttons[i]));
            }
            QVERIFY(buttons[0]->isChecked());
            QCOMPARE(child<QPushButton>(d, "New" + s)->text(), QString("New EMCY"));
            QCOMPARE(child<QPushButton>(d, "Modify" + s)->text(),
                     page == 0 ? QString("Modify ENCY") : QString("Modify EMCY"));
            QCOMPARE(child<QPushButton>(d, "Delete" + s)->text(), QString("Delete EMCY"));
        }
        const char* buttons[][2] = {
            {"BitBtn1", "OK"}, {"BitBtn2", "Cancel"}, {"Button1", "Export"}, {"BitBtn4", "Import"}};
        for (const auto& b : buttons) QCOMPARE(child<QPushButton>(d, b[0])->text(), QString(b[1]));
    });
    QCOMPARE(f.messages.texts, std::vector<std::string>{"File XML not found"});
}

void TFemcyTest::newModifyDeleteChangeTheEditorAndOkWritesTheDocument() {
    GuiFixture f;
    const fenwarp::EmcyPage& can0 = f.session->emcy.page(0);
    open(f, [&](QDialog* d) {
        auto* id = child<QLineEdit>(d, "Eid_devA");
        auto* list = child<QListWidget>(d, "LBCanA");
        QTest::keyClicks(id, "7");
        QTest::keyClicks(child<QLineEdit>(d, "Emask_eq_erA"), "0x5A");
        child<QCheckBox>(d, "enablea")->click();
        child<QRadioButton>(d, "r9a")->click();
        child<QPushButton>(d, "NewA")->click();
        QCOMPARE(can0.items, std::vector<std::string>{"7"});
        QCOMPARE(can0.list[0].fields[2], std::string("0x5A"));
        QCOMPARE(can0.list[0].fields[1], std::string("0"));
        QVERIFY(can0.list[0].enable);
        QCOMPARE(can0.list[0].alias_sel, 3);
        QCOMPARE(child<QLineEdit>(d, "Emask_eq_ecA")->text(), QString());

        child<QPushButton>(d, "NewA")->click();  // the same ID again
        QCOMPARE(f.messages.texts.back(), std::string("Index Not Valid"));
        id->clear();
        QTest::keyClicks(id, "3");
        child<QRadioButton>(d, "r2a")->click();
        child<QPushButton>(d, "NewA")->click();
        QCOMPARE(items(list), (QStringList{"7", "3"}));
        QCOMPARE(list->currentRow(), 1);

        // Selecting the first item shows it; Modify stores the changed fields.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(id->text(), QString("7"));
        QVERIFY(child<QRadioButton>(d, "r9a")->isChecked());
        id->clear();
        QTest::keyClicks(id, "9");
        child<QPushButton>(d, "ModifyA")->click();
        QCOMPARE(can0.items, (std::vector<std::string>{"9", "3"}));
        QCOMPARE(items(list), (QStringList{"9", "3"}));

        // Delete leaves nothing selected: Modify then does nothing.
        child<QPushButton>(d, "DeleteA")->click();
        QCOMPARE(can0.items, std::vector<std::string>{"3"});
        QCOMPARE(list->currentRow(), -1);
        QCOMPARE(id->text(), QString("9"));
        child<QPushButton>(d, "ModifyA")->click();
        QCOMPARE(can0.items, std::vector<std::string>{"3"});

        // The CAN 1 page edits its own list.
        child<QTabWidget>(d, "PageControl1")->setCurrentIndex(1);
        QTest::keyClicks(child<QLineEdit>(d, "Eid_devB"), "3");
        child<QPushButton>(d, "NewB")->click();
        QCOMPARE(f.session->emcy.page(1).items, std::vector<std::string>{"3"});
        child<QPushButton>(d, "BitBtn1")->click();
        QVERIFY(!d->isVisible());
    });
    const QByteArray saved = readFile(f.path("PROJECTS/emcydef.xml"));
    QVERIFY2(saved.startsWith("<emcydef><row id_dev=\"3\" mask_eq_ec=\"0\""), saved.constData());
    QVERIFY2(saved.contains("bypass_set=\"3\"/><row id_dev=\"3\""), saved.constData());
    QVERIFY(saved.endsWith("bypass_set=\"32\"/></emcydef>"));
}

void TFemcyTest::loadShowsEachFirstEntryAndKeepsTheActivePage() {
    GuiFixture f;
    writeFile(f.path("PROJECTS/emcydef.xml"),
              "<emcydef>" + row("0x21", "33") + row("5", "6") + row("4", "1") + "</emcydef>");
    open(f, [](QDialog* d) {
        QCOMPARE(items(child<QListWidget>(d, "LBCanA")), (QStringList{"5", "4"}));
        QCOMPARE(child<QListWidget>(d, "LBCanA")->currentRow(), 0);
        QCOMPARE(child<QLineEdit>(d, "Eid_devA")->text(), QString("5"));
        QCOMPARE(child<QLineEdit>(d, "Eenmask_eq_m3A")->text(), QString("10"));
        QVERIFY(child<QRadioButton>(d, "r9a")->isChecked());
        QVERIFY(!child<QCheckBox>(d, "enablea")->isChecked());
        QCOMPARE(child<QLineEdit>(d, "Eid_devB")->text(), QString("0x21"));
        QVERIFY(child<QCheckBox>(d, "enableb")->isChecked());
        QVERIFY(child<QRadioButton>(d, "r1b")->isChecked());
        child<QTabWidget>(d, "PageControl1")->setCurrentIndex(1);
        QTest::keyClicks(child<QLineEdit>(d, "Eid_devA"), "9");
        child<QPushButton>(d, "BitBtn2")->click();
    });
    open(f, [](QDialog* d) {
        QCOMPARE(child<QTabWidget>(d, "PageControl1")->currentIndex(), 1);
        QCOMPARE(child<QLineEdit>(d, "Eid_devA")->text(), QString("5"));  // reloaded
    });
    QVERIFY(f.messages.texts.empty());
}

void TFemcyTest::importFillsTheListsAndExportWritesTheCsv() {
    GuiFixture f;
    static const fenwarp::test::EmcyWorkbooks books;
    std::optional<QString> answer = QString::fromStdString((books / "emcy_both.xls").string());
    f.windows->main->openExcel().setChooser([&](QWidget*, const QString&) { return answer; });
    open(f, [](QDialog* d) {
        child<QPushButton>(d, "BitBtn4")->click();
        QCOMPARE(items(child<QListWidget>(d, "LBCanA")), (QStringList{"5", "", "7"}));
        QCOMPARE(items(child<QListWidget>(d, "LBCanB")), (QStringList{"0x10", "abc"}));
        QCOMPARE(child<QLineEdit>(d, "Emask_eq_ecB")->text(), QString("0x8130"));
        child<QPushButton>(d, "Button1")->click();
        QVERIFY(d->isVisible());
    });
    const QList<QByteArray> lines = readFile(f.path("PROJECTS/emcydef.csv")).split('\n');
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QByteArray("5,0,0,0,0,0,0,0,0,0,0,1,\r"));
    QCOMPARE(lines[1], QByteArray(",,,,,,,,,,,6,\r"));
}

int main(int argc, char** argv) {
    return runGuiTest<TFemcyTest>(argc, argv);
}

#include "tfemcy_test.moc"
