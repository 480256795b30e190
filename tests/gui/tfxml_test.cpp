#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "gui/fenwarp_application.h"
#include "gui/qt_messages.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/TFsaveproj.h"
#include "gui/xml/TFXML.h"
#include "gui/xml/xml_pictures.h"
#include "gui_test_support.h"

namespace {

const QByteArray pargenXml =
    "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
    "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity><ser>0</ser>"
    "<devid>0</devid></ParametriGenerali>";
const QByteArray sdoXml =
    "<sdo><row conf=\"16\" IndexA=\"0x2000\" SubindexA=\"1\" mnemonico=\"speed &amp; feed\"/>"
    "<row conf=\"0\" IndexA=\"0x2001\" SubindexA=\"0\" mnemonico=\"\"/></sdo>";

// Every window, the tree editor shown, files to open in a folder of their own
// and a project folder to write into.
struct XmlFixture : GuiFixture {
    QTemporaryDir sources;
    TFXML* xml;
    QTreeWidget* tree;

    XmlFixture() : xml(windows->xml), tree(child<QTreeWidget>(windows->xml, "TvXml")) {
        QDir(path("PROJECTS")).mkpath("P");
        session->context().project_dir = toPath(path("PROJECTS/P"));
        xml->show();
    }
    ~XmlFixture() { xml->hide(); }

    void open(const QString& name, const QByteArray& content) {
        writeFile(sources.filePath(name), content);
        xml->setChooser([this, name](QWidget*) { return std::optional(sources.filePath(name)); });
        QTest::mouseClick(child<QPushButton>(xml, "btnopen"), Qt::LeftButton);
    }
    void write() { QTest::mouseClick(child<QPushButton>(xml, "btnWrite"), Qt::LeftButton); }
    QString written(const QString& name) const { return path("PROJECTS/P/" + name); }
};

}  // namespace

class TFXMLTest : public QObject {
    Q_OBJECT
  private slots:
    void windowsAreCreatedInTheirOrder();
    void hasItsCaptionsAndPictures();
    void opensPargenAndWriteRecreatesIt();
    void aTableDocumentShowsAttributesAndIsRecreated();
    void aParseErrorReachesTheHandlerAndKeepsTheTree();
    void editsGoThroughTheEditXmlDialog();
    void showingClearsTheTree();
};

void TFXMLTest::windowsAreCreatedInTheirOrder() {
    GuiFixture f;
    QStringList order;
    for (QObject* window : f.windows->main->children()) {
        if (qobject_cast<QDialog*>(window) != nullptr) order << window->objectName();
    }
    // The start-up order of every dialog; the ones built so far must follow it.
    const QStringList all = {
        "TFsaveproj", "TFHelp", "TFAbout", "TFSELstringhe", "TFModifyFileSx", "TFpargen", "TFsdo",
        "TFpdo",      "TFemcy", "TFWemcy", "TFXML",         "TFInfopdo",      "TFcheck"};
    QStringList expected;
    for (const QString& name : all)
        if (order.contains(name)) expected << name;
    QCOMPARE(order, expected);
    for (const char* name : {"TFsaveproj", "TFSELstringhe", "TFXML"}) QVERIFY(order.contains(name));
}

void TFXMLTest::hasItsCaptionsAndPictures() {
    XmlFixture f;
    QCOMPARE(f.xml->windowTitle(), QString("XML Reader & Writer"));
    QCOMPARE(child<QPushButton>(f.xml, "btnopen")->text(), QString("Open "));
    QCOMPARE(child<QPushButton>(f.xml, "btnFullExpand")->text(), QString("Full Expand"));
    QCOMPARE(child<QPushButton>(f.xml, "btnWrite")->text(), QString("Write"));
    QCOMPARE(QString(TFXML::dialogTitle), QString("Open XML File"));
    QCOMPARE(QString(TFXML::filter), QString("XML Files (*.xml)"));
    auto* pictures = child<XmlPictures>(f.xml, "IiXml");
    QCOMPARE(pictures->count(), 10);
    for (int i = 1; i < pictures->count(); ++i) {
        QVERIFY(pictures->picture(i).toImage() != pictures->picture(i - 1).toImage());
    }
    QVERIFY(f.xml->windowFlags() & Qt::WindowMaximizeButtonHint);
    f.xml->resize(700, 650);
    QVERIFY(f.tree->width() > 600);
}

void TFXMLTest::opensPargenAndWriteRecreatesIt() {
    XmlFixture f;
    f.open("pargen.xml", pargenXml);
    QVERIFY(child<QPushButton>(f.xml, "btnopen")->isEnabled());
    QCOMPARE(f.tree->topLevelItemCount(), 1);
    QTreeWidgetItem* top = f.tree->topLevelItem(0);
    QCOMPARE(top->text(0), QString("File: pargen.xml"));
    QCOMPARE(top->childCount(), 1);
    QTreeWidgetItem* root = top->child(0);
    QCOMPARE(root->text(0), QString("ParametriGenerali"));
    QCOMPARE(root->childCount(), 9);
    QCOMPARE(root->child(0)->text(0), QString("idA = 1"));
    QCOMPARE(root->child(3)->text(0), QString("BoudB = 250"));
    QVERIFY(!root->child(0)->icon(0).isNull());

    QVERIFY(!root->isExpanded());
    QTest::mouseClick(child<QPushButton>(f.xml, "btnFullExpand"), Qt::LeftButton);
    QVERIFY(top->isExpanded() && root->isExpanded());

    f.write();
    QVERIFY(child<QPushButton>(f.xml, "btnWrite")->isEnabled());
    QCOMPARE(readFile(f.written("pargen.xml")), pargenXml);
}

void TFXMLTest::aTableDocumentShowsAttributesAndIsRecreated() {
    XmlFixture f;
    f.open("sdo.xml", sdoXml);
    QTreeWidgetItem* row = f.tree->topLevelItem(0)->child(0)->child(0);
    QCOMPARE(row->text(0), QString("row"));
    QCOMPARE(row->childCount(), 4);
    QCOMPARE(row->child(3)->text(0), QString("mnemonico = speed & feed"));
    f.write();
    QCOMPARE(readFile(f.written("sdo.xml")), sdoXml);
}

void TFXMLTest::aParseErrorReachesTheHandlerAndKeepsTheTree() {
    fenwarp::MessageRecorder handled;
    auto* app = static_cast<FenwarpApplication*>(QCoreApplication::instance());
    app->setErrorMessages(&handled);
    XmlFixture f;
    f.open("pargen.xml", pargenXml);
    f.open("bad.xml", "<a><b></a>");
    app->setErrorMessages(nullptr);
    QCOMPARE(handled.texts,
             std::vector<std::string>{"End tag name \"a\" does not match start tag name \"b\""});
    QCOMPARE(f.tree->topLevelItem(0)->text(0), QString("File: pargen.xml"));
    QVERIFY(child<QPushButton>(f.xml, "btnopen")->isEnabled());
    f.write();  // the editor kept the tree too
    QCOMPARE(readFile(f.written("pargen.xml")), pargenXml);
}

void TFXMLTest::editsGoThroughTheEditXmlDialog() {
    XmlFixture f;
    f.open("pargen.xml", pargenXml);
    QTreeWidgetItem* root = f.tree->topLevelItem(0)->child(0);
    f.tree->expandAll();
    f.tree->setCurrentItem(root->child(0));
    whenModal([](QDialog* d) {
        QCOMPARE(d->objectName(), QString("TFsaveproj"));
        QCOMPARE(d->windowTitle(), QString("Edit XML"));
        QVERIFY(!child<QLabel>(d, "Label1")->isVisible());
        auto* edit = child<QLineEdit>(d, "Edit1");
        QCOMPARE(edit->text(), QString("idA = 1"));
        edit->setText("idA = 7");
        QTest::mouseClick(child<QPushButton>(d, "bitbtn1"), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    QTest::keyClick(f.tree, Qt::Key_F2);
    QCOMPARE(root->child(0)->text(0), QString("idA = 7"));

    // The right button opens it as well; Cancel keeps the text.
    f.tree->setCurrentItem(root->child(1));
    whenModal([](QDialog* d) {
        child<QLineEdit>(d, "Edit1")->setText("changed");
        QTest::mouseClick(child<QPushButton>(d, "bitbtn2"), Qt::LeftButton);
    });
    const QPoint at = f.tree->visualItemRect(root->child(1)).center();
    QTest::mouseClick(f.tree->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(root->child(1)->text(0), QString("BoudA = 10"));

    // A text without "=" names an element.
    f.tree->setCurrentItem(root->child(8));
    whenModal([](QDialog* d) {
        child<QLineEdit>(d, "Edit1")->setText("spare");
        QTest::mouseClick(child<QPushButton>(d, "bitbtn1"), Qt::LeftButton);
    });
    QTest::keyClick(f.tree, Qt::Key_F2);
    f.write();

    // The same dialog in its new-project mode shows its label and an empty field.
    f.windows->saveproj->setMode(TFsaveproj::Mode::NewProject);
    whenModal([](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("New project"));
        QVERIFY(child<QLabel>(d, "Label1")->isVisible());
        QCOMPARE(child<QLineEdit>(d, "Edit1")->text(), QString());
        QTest::mouseClick(child<QPushButton>(d, "bitbtn2"), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(f.windows->saveproj->exec(), int(QDialog::Rejected));
    QByteArray expected = pargenXml;
    expected.replace("<idA>1</idA>", "<idA>7</idA>").replace("<devid>0</devid>", "<spare/>");
    QCOMPARE(readFile(f.written("pargen.xml")), expected);
}

void TFXMLTest::showingClearsTheTree() {
    XmlFixture f;
    f.open("pargen.xml", pargenXml);
    f.xml->hide();
    f.xml->show();
    QCOMPARE(f.tree->topLevelItemCount(), 0);
    QVERIFY(f.session->xml_tree.items().empty());
    f.write();  // nothing to write: nothing written
    QVERIFY(QDir(f.path("PROJECTS/P")).isEmpty());
}

int main(int argc, char** argv) {
    return runGuiTest<TFXMLTest>(argc, argv);
}

#include "tfxml_test.moc"
