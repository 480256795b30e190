#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

#include "gui/qt_messages.h"
#include "gui/xml/TFSELstringhe.h"
#include "gui_test_support.h"

namespace {

struct PickerFixture : GuiFixture {
    TFSELstringhe* dialog = windows->selString;
    QTableWidget* sg = dialog->findChild<QTableWidget*>("sg");
    QLabel* label = dialog->findChild<QLabel*>("Label1");

    void showAgain() {
        dialog->hide();
        dialog->show();
    }
    QString cell(int row, int column) const {
        QTableWidgetItem* item = sg->item(row, column);
        return item == nullptr ? QString() : item->text();
    }
    void writeStrings(const QByteArray& content) {
        const QString file = path("strings.xml");
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly)) qFatal("cannot write strings");
        out.write(content);
        session->strings.strings_path = toPath(file);
    }
};

}  // namespace

class TFSELstringheTest : public QObject {
    Q_OBJECT
  private slots:
    void withoutADocumentShowsTheNumberedGrid();
    void fillsTheRowsAndRemembersTheSelection();
    void columnsFollowTheWidth();
};

void TFSELstringheTest::withoutADocumentShowsTheNumberedGrid() {
    PickerFixture f;
    QCOMPARE(f.dialog->windowTitle(), QString("Select String"));
    QCOMPARE(f.label->text(), QString("Sel str:"));
    f.dialog->show();
    QCOMPARE(f.messages.texts, std::vector<std::string>{"File strings XML not found"});
    QCOMPARE(f.sg->rowCount(), 1001);
    QCOMPARE(f.sg->columnCount(), 2);
    QCOMPARE(f.cell(0, 0), QString("Index"));
    QCOMPARE(f.cell(0, 1), QString("String"));
    QCOMPARE(f.cell(1, 0), QString("0"));
    QCOMPARE(f.cell(1000, 0), QString("999"));
    QCOMPARE(f.cell(1, 1), QString());
    QCOMPARE(f.sg->currentRow(), 1);
    f.dialog->hide();
}

void TFSELstringheTest::fillsTheRowsAndRemembersTheSelection() {
    PickerFixture f;
    f.writeStrings("<strings><s>first</s><s>second</s><t>third</t></strings>");
    f.dialog->show();
    QVERIFY(f.messages.texts.empty());
    QCOMPARE(f.cell(1, 1), QString("first"));
    QCOMPARE(f.cell(3, 1), QString("third"));
    QCOMPARE(f.cell(4, 1), QString());

    f.sg->setCurrentCell(2, 1);
    QCOMPARE(f.session->strings.selected_index, 1);
    QCOMPARE(f.label->text(), QString("Sel str: 1"));
    f.sg->setCurrentCell(6, 1);
    f.showAgain();
    QCOMPARE(f.sg->currentRow(), 6);
    QCOMPARE(f.session->strings.selected_index, 5);

    // A shorter document leaves the rows it does not reach as they were.
    f.writeStrings("<strings><s>only</s></strings>");
    f.showAgain();
    QCOMPARE(f.cell(1, 1), QString("only"));
    QCOMPARE(f.cell(2, 1), QString("second"));
    f.writeStrings("<strings><s>broken</strings>");
    f.showAgain();
    QCOMPARE(f.messages.texts, std::vector<std::string>{"Error in reading file XML"});
    QCOMPARE(f.cell(1, 1), QString("only"));
    f.dialog->hide();
}

void TFSELstringheTest::columnsFollowTheWidth() {
    PickerFixture f;
    f.dialog->show();
    f.dialog->resize(500, 400);
    QCOMPARE(f.sg->columnWidth(0), 40);
    QCOMPARE(f.sg->columnWidth(1), f.sg->width() - 70);
    f.dialog->hide();
}

int main(int argc, char** argv) {
    return runGuiTest<TFSELstringheTest>(argc, argv);
}

#include "tfselstringhe_test.moc"
