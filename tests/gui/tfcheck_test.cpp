#include <QAbstractItemView>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui_test_support.h"

namespace {

const char* const pargen_xml =
    "<ParametriGenerali><idA>5</idA><BoudA>250</BoudA><idB>1</idB><BoudB>500</BoudB>"
    "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
    "<ser>0</ser><devid>0</devid></ParametriGenerali>";

QString sdoRow(const char* conf, const char* index, const char* nbyte) {
    return QString(
               "<row conf=\"%1\" IndexA=\"%2\" SubindexA=\"1\" devIDB=\"5\" IndexB=\"0x6000\" "
               "SubindexB=\"2\" nbyteB=\"%3\" mnemonico=\"m\"/>")
        .arg(conf, index, nbyte);
}

void writeText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write");
    file.write(text.toUtf8());
}

QStringList rowTexts(QTableWidget* list, int row) {
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c) cells << list->item(row, c)->text();
    return cells;
}

}  // namespace

class TFcheckTest : public QObject {
    Q_OBJECT
  private slots:
    void errorsNeedUpdateAnywayAndCancelCompilesNothing();
    void updateAnywayCompilesAndOpensTheFirmwareDialog();
    void warningsAloneOfferUpdate();
    void activatingAFindingOpensItsRecordAndChecksAgain();
    void aFindingOpensTheWordBitAndTheStoredEntry();
    void enterOpensTheRecordAndKeepsTheListOpen();

  private:
    // A project with one SDO record on each page; the CAN 1 one as given.
    QString makeProject(GuiFixture& f, const char* can1Index, const char* can1Bytes) {
        QDir(f.path("PROJECTS")).mkpath("P/bin");
        const QString dir = f.path("PROJECTS/P");
        f.session->context().project_dir = dir.toStdString();
        f.session->context().derive_document_paths();
        writeText(dir + "/pargen.xml", pargen_xml);
        writeText(dir + "/sdo.xml", "<sdo>" + sdoRow("16", "0x2000", "2") +
                                        sdoRow("1", can1Index, can1Bytes) + "</sdo>");
        for (const char* root : {"rpdodef", "sdopdo", "emcydef", "emcyword"}) {
            writeText(dir + "/" + root + ".xml", QString("<%1/>").arg(root));
        }
        return dir;
    }

    // Clicks Update Device; `onCheck` runs on the findings dialog. Returns
    // whether the firmware dialog came up.
    bool clickUpdate(GuiFixture& f, std::function<void(QDialog*)> onCheck) {
        bool firmware = false;
        QTimer poll;
        bool checked = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            if (dialog->objectName() == "TFcheck" && !checked) {
                checked = true;
                onCheck(dialog);
                if (dialog->isVisible()) dialog->reject();
            } else if (dialog->objectName() == "TFModifyFileSx") {
                firmware = true;
                dialog->reject();
            }
        });
        poll.start(0);
        f.windows->main->show();
        QTest::mouseClick(f.windows->main->findChild<QPushButton*>("CreateBin"), Qt::LeftButton);
        poll.stop();
        return firmware;
    }
};

void TFcheckTest::errorsNeedUpdateAnywayAndCancelCompilesNothing() {
    GuiFixture f;
    const QString project = makeProject(f, "0x2100", "9");
    bool firmware = clickUpdate(f, [](QDialog* check) {
        auto* list = check->findChild<QTableWidget*>("LFindings");
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->horizontalHeaderItem(0)->text(), QString("Severity"));
        const QStringList cells = rowTexts(list, 0);
        QCOMPARE(cells.mid(0, 4), (QStringList{"error", "sdo.xml",
                                               QString::fromUtf8("SDO from CAN 1 request to CAN 0, "
                                                                 "N\u00b0 0"),
                                               "nbyteB"}));
        QVERIFY(cells[4].contains("1..4"));
        QCOMPARE(check->findChild<QPushButton*>("Update")->text(), QString("Update anyway"));
        QVERIFY(check->findChild<QLabel*>("Summary")->text().startsWith("1 error(s), 0 warning"));
        check->findChild<QPushButton*>("Cancel")->click();
    });
    QVERIFY(!firmware);
    QVERIFY(!QFile::exists(project + "/bin/bank1.bin"));
    QCOMPARE(f.windows->main->findChild<QLabel*>("Labelstate")->text(), QString("--"));
}

void TFcheckTest::updateAnywayCompilesAndOpensTheFirmwareDialog() {
    GuiFixture f;
    const QString project = makeProject(f, "0x2100", "9");
    bool firmware =
        clickUpdate(f, [](QDialog* check) { check->findChild<QPushButton*>("Update")->click(); });
    QVERIFY(firmware);
    QVERIFY(QFile::exists(project + "/bin/bank1.bin"));
}

void TFcheckTest::warningsAloneOfferUpdate() {
    GuiFixture f;
    makeProject(f, "0x1018", "4");
    QString caption;
    bool firmware = clickUpdate(f, [&caption](QDialog* check) {
        caption = check->findChild<QPushButton*>("Update")->text();
        check->findChild<QPushButton*>("Update")->click();
    });
    QCOMPARE(caption, QString("Update"));
    QVERIFY(firmware);
}

// A double click opens the SDO dialog on the CAN 1 page at the record; once
// it closes, the list is checked again and shows what the documents hold now.
void TFcheckTest::activatingAFindingOpensItsRecordAndChecksAgain() {
    GuiFixture f;
    const QString project = makeProject(f, "0x2100", "9");
    int page = -1, row = -1;
    int rowsAfter = -1;
    QString captionAfter;
    clickUpdate(f, [&](QDialog* check) {
        auto* list = check->findChild<QTableWidget*>("LFindings");
        // The SDO dialog, once up and at the record: mend the document behind it.
        QTimer::singleShot(100, [&] {
            auto* sdo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(sdo != nullptr);
            QCOMPARE(sdo->objectName(), QString("TFsdo"));
            page = sdo->findChild<QTabWidget*>()->currentIndex();
            row = sdo->findChild<QAbstractItemView*>("sgb")->currentIndex().row();
            writeText(project + "/sdo.xml", "<sdo>" + sdoRow("16", "0x2000", "2") + "</sdo>");
            sdo->reject();
        });
        QVERIFY(QTest::qWaitForWindowExposed(check));
        const QRect cell = list->visualRect(list->model()->index(0, 1));
        // A double click as a mouse makes it: a click, then the second press.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        rowsAfter = list->rowCount();
        captionAfter = check->findChild<QPushButton*>("Update")->text();
    });
    QCOMPARE(page, 1);
    QCOMPARE(row, 0);
    QCOMPARE(rowsAfter, 0);
    QCOMPARE(captionAfter, QString("Update"));
}

// The record of a finding is selected where the dialog shows it: a bit node
// under its word in the tree, a stored entry under its PDO.
void TFcheckTest::aFindingOpensTheWordBitAndTheStoredEntry() {
    GuiFixture f;
    const QString project = makeProject(f, "0x2100", "2");
    QString bits;
    for (int n = 0; n < 16; ++n)
        bits += QString(" bit%1_b0=\"\" bit%1_b1=\"\" bit%1_poscomp=\"\"").arg(n);
    const QString word =
        "<row index_addrm=\"0x2300\" subindex=\"%1\" extdata=\"1\" devid=\"4\"" + bits + "/>";
    writeText(project + "/emcyword.xml", "<emcyword>" + word.arg(1) + word.arg(2) + "</emcyword>");
    writeText(project + "/rpdodef.xml",
              "<rpdodef><row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"3\" posind=\"0\" "
              "n_tpdo=\"1\"/><row cobid=\"0x182\" id_dev_orig=\"1\" en_bypass=\"3\" "
              "posind=\"0\" n_tpdo=\"1\"/></rpdodef>");
    writeText(project + "/sdopdo.xml",
              "<sdopdo><row index=\"0x2400\" subindex=\"1\" nrpdo=\"130\" poscomp=\"18\"/>"
              "<row index=\"0x2401\" subindex=\"1\" nrpdo=\"130\" poscomp=\"18\"/></sdopdo>");
    QString node, tab;
    int pdoRow = -1, entryRow = -1;
    auto open = [&](fenwarp::FindingTarget target, std::function<void(QDialog*)> look) {
        QTimer::singleShot(100, [look] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            look(dialog);
            dialog->reject();
        });
        f.windows->main->openFinding(target);
    };
    open({fenwarp::FindingDialog::EmcyWord, 1, 1, 5}, [&](QDialog* d) {
        auto* tree = d->findChild<QTreeWidget*>("TWCanB");
        node = tree->currentItem()->parent()->text(0) + " " + tree->currentItem()->text(0);
        tab = d->findChild<QTabWidget*>()->tabText(d->findChild<QTabWidget*>()->currentIndex());
    });
    QCOMPARE(node, QString("W1 Bit 5"));
    QCOMPARE(tab, QString("Can1"));
    open({fenwarp::FindingDialog::StoredPdo, 1, 1, 1}, [&](QDialog* d) {
        pdoRow = d->findChild<QListWidget*>("LPdoCanB")->currentRow();
        entryRow = d->findChild<QListWidget*>("LSdoCanB")->currentRow();
    });
    QCOMPARE(pdoRow, 1);
    QCOMPARE(entryRow, 1);
}

// Enter on a finding opens its record; back in the list, nothing else was
// pressed: the list stays open and nothing was compiled.
void TFcheckTest::enterOpensTheRecordAndKeepsTheListOpen() {
    GuiFixture f;
    const QString project = makeProject(f, "0x2100", "9");
    QString opened;
    bool stillOpen = false;
    clickUpdate(f, [&](QDialog* check) {
        QTimer::singleShot(100, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr) opened = dialog->objectName();
            if (dialog != nullptr && dialog != check) dialog->reject();
        });
        auto* list = check->findChild<QTableWidget*>("LFindings");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        stillOpen = check->isVisible();
    });
    QCOMPARE(opened, QString("TFsdo"));
    QVERIFY(stillOpen);
    QVERIFY(!QFile::exists(project + "/bin/bank1.bin"));
}

int main(int argc, char** argv) {
    return runGuiTest<TFcheckTest>(argc, argv);
}

#include "tfcheck_test.moc"
