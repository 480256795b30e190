#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "core/shell/ini_file.h"
#include "gui/fenwarp_application.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/folder_picker.h"
#include "gui_test_support.h"

namespace {

QPushButton* button(QWidget* root, const char* name) {
    auto* b = root->findChild<QPushButton*>(name);
    if (b == nullptr) qFatal("no button %s", name);
    return b;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void hasEveryComponentWithItsCaption_data();
    void hasEveryComponentWithItsCaption();
    void captionFollowsTheRememberedProject();
    void openProjectUsesTheRootedPickerAndNamesTheProject();
    void folderPickerStaysUnderItsRoot();
    void editorButtonsRefuseWithoutAValidProject();
    void closeWritesTheIni();
    void communicationDialogLoadsEditsAndSaves();
    void cancelKeepsEditsUntilTheNextShow();
    void aFailingOkShowsTheErrorAndKeepsTheDialogOpen();
    void aboutShowsItsThreeLines();
};

void MainWindowTest::hasEveryComponentWithItsCaption_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("shown");
    const struct {
        const char *name, *caption;
        bool shown;
    } rows[] = {{"New", "New project", true},
                {"open", "Open project", true},
                {"btn_Prm_Gen", "Set Communication", true},
                {"btn_Sdo", "Set SDO Access", true},
                {"btn_Pdo", "Set Translate PDO", true},
                {"btn_Emcy", "Set Translate EMCY", true},
                {"btn_Emcy_Wd", "Define EMCY Word", false},
                {"btn_Info_Pdo", "Define store PDO", false},
                {"CreateBin", "Update Device", true},
                {"CreateSx", "Generate Firmware", false},
                {"about", "About", true},
                {"LbButton1", "X", true}};
    for (const auto& r : rows) QTest::newRow(r.name) << r.name << r.caption << r.shown;
}

void MainWindowTest::hasEveryComponentWithItsCaption() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, shown);
    GuiFixture f;
    f.windows->main->show();
    auto* b = button(f.windows->main.get(), name.toUtf8().constData());
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->isVisible(), shown);
    auto* state = f.windows->main->findChild<QLabel*>("Labelstate");
    QVERIFY(state != nullptr);
    QCOMPARE(state->text(), QString("---"));
    QCOMPARE(f.windows->main->openExcel().objectName(), QString("OpenExcel"));
}

void MainWindowTest::captionFollowsTheRememberedProject() {
    GuiFixture f;
    QCOMPARE(f.windows->main->windowTitle(), QString("Velmora Fenwarp KR40583 Tandrel"));
    QDir(f.path("PROJECTS")).mkdir("Line 1");
    fenwarp::IniFile(f.path("Fenwarp_Brax.ini").toStdString())
        .write_string("lastproj", "projectname", "Line 1");
    f.start();
    QCOMPARE(f.windows->main->windowTitle(), QString("Velmora Fenwarp KR40583 Tandrel :Line 1"));
    QCOMPARE(f.windows->main->openExcel().initialDir(), f.path("PROJECTS/Line 1"));
}

void MainWindowTest::openProjectUsesTheRootedPickerAndNamesTheProject() {
    GuiFixture f;
    QDir(f.path("PROJECTS")).mkdir(QString::fromUtf8("Presse Nr. 2 \xC3\x9C"));
    QString seenTitle, seenRoot;
    f.windows->main->setFolderPicker(
        [&](QWidget*, const QString& title, const QString& root, const QString& preselect) {
            seenTitle = title;
            seenRoot = root;
            return std::optional<QString>(preselect + QString::fromUtf8("/Presse Nr. 2 \xC3\x9C"));
        });
    button(f.windows->main.get(), "open")->click();
    QCOMPARE(seenTitle, QString("Select directory of project"));
    QCOMPARE(seenRoot, f.path("PROJECTS"));
    QCOMPARE(f.windows->main->windowTitle(),
             QString::fromUtf8("Velmora Fenwarp KR40583 Tandrel :/Presse Nr. 2 \xC3\x9C"));
    QCOMPARE(f.windows->main->openExcel().initialDir(),
             f.path(QString::fromUtf8("PROJECTS/Presse Nr. 2 \xC3\x9C")));
}

void MainWindowTest::folderPickerStaysUnderItsRoot() {
    GuiFixture f;
    QDir(f.path("PROJECTS")).mkpath("Plant/Press");
    const QString root = f.path("PROJECTS");
    QString preselected, afterEscape;
    whenModal([&](QDialog* d) {
        auto* picker = qobject_cast<QFileDialog*>(d);
        QVERIFY(picker != nullptr);
        QCOMPARE(picker->windowTitle(), QString("Select directory of project"));
        preselected = picker->directory().absolutePath();
        // the user types the program folder's path to leave the projects folder
        auto* edit = picker->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(edit != nullptr);
        edit->setText(f.programDir.path());
        QTest::keyClick(edit, Qt::Key_Return);
        afterEscape = picker->directory().absolutePath();
        picker->selectFile(f.path("PROJECTS/Plant/Press"));
        d->accept();  // QFileDialog::accept checks the selection
    });
    std::optional<QString> chosen =
        pickFolderUnder(nullptr, "Select directory of project", root, f.path("PROJECTS/Plant"));
    QCOMPARE(preselected, f.path("PROJECTS/Plant"));
    QCOMPARE(afterEscape, root);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QDir::toNativeSeparators(f.path("PROJECTS/Plant/Press")));
}

void MainWindowTest::editorButtonsRefuseWithoutAValidProject() {
    GuiFixture f;
    QDir(f.path("PROJECTS")).mkdir("Temp");
    f.windows->main->setFolderPicker([&](QWidget*, const QString&, const QString&, const QString&) {
        return std::optional<QString>(f.path("PROJECTS/Temp"));
    });
    button(f.windows->main.get(), "open")->click();
    QDir(f.path("PROJECTS")).rmdir("Temp");
    f.windows->main->setFolderPicker(
        [](QWidget*, const QString&, const QString&, const QString&) { return std::nullopt; });
    button(f.windows->main.get(), "open")->click();
    QCOMPARE(f.windows->main->windowTitle(), QString("Velmora Fenwarp KR40583 Tandrel :"));
    for (const char* name : {"btn_Prm_Gen", "btn_Sdo", "btn_Pdo", "btn_Emcy"}) {
        f.messages.clear();
        button(f.windows->main.get(), name)->click();
        QCOMPARE(f.messages.texts, std::vector<std::string>{"Project not valid"});
    }
}

void MainWindowTest::closeWritesTheIni() {
    GuiFixture f;
    QDir(f.path("PROJECTS")).mkdir("A");
    f.windows->main->setFolderPicker([&](QWidget*, const QString&, const QString&, const QString&) {
        return std::optional<QString>(f.path("PROJECTS/A"));
    });
    f.windows->main->show();
    button(f.windows->main.get(), "open")->click();
    button(f.windows->main.get(), "LbButton1")->click();
    QVERIFY(!f.windows->main->isVisible());
    QCOMPARE(fenwarp::IniFile(f.path("Fenwarp_Brax.ini").toStdString())
                 .read_string("lastproj", "projectname", "?"),
             std::string("/A"));
}

void MainWindowTest::communicationDialogLoadsEditsAndSaves() {
    GuiFixture f;
    QFile doc(f.path("PROJECTS/pargen.xml"));
    QVERIFY(doc.open(QIODevice::WriteOnly));
    doc.write(
        "<P><a>3</a><b>125</b><c>2</c><d>800</d><e>900</e><f>0</f><g>0</g><h>0</h><i>0</i></P>");
    doc.close();
    whenModal([](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("SET COMMUNICATION"));
        QVERIFY(d->findChild<QGroupBox*>("GroupBox2")->isVisible());
        QVERIFY(!d->findChild<QLineEdit*>("Edit2")->isVisible());
        QVERIFY(d->findChild<QLabel*>("Label6")->isVisible());
        QCOMPARE(d->findChild<QLineEdit*>("Edit1")->text(), QString("3"));
        QCOMPARE(d->findChild<QComboBox*>("ComboBox2")->currentText(), QString("800"));
        QCOMPARE(d->findChild<QComboBox*>("ComboBox1")->count(), 9);
        d->findChild<QComboBox*>("ComboBox1")->setEditText("333");
        button(d, "bitbtn1")->click();
        QVERIFY(!d->isVisible());
    });
    button(f.windows->main.get(), "btn_Prm_Gen")->click();
    QVERIFY(f.messages.texts.empty());
    QVERIFY(doc.open(QIODevice::ReadOnly));
    QCOMPARE(
        QString(doc.readAll()),
        QString("<ParametriGenerali><idA>3</idA><BoudA>333</BoudA><idB>2</idB><BoudB>800</BoudB>"
                "<timeoutsdo>900</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
                "<ser>0</ser><devid>0</devid></ParametriGenerali>"));
}

void MainWindowTest::cancelKeepsEditsUntilTheNextShow() {
    GuiFixture f;
    whenModal([](QDialog* d) {
        d->findChild<QLineEdit*>("Edit3")->setText("42");
        button(d, "bitbtn2")->click();
    });
    button(f.windows->main.get(), "btn_Prm_Gen")->click();
    QCOMPARE(f.messages.texts, std::vector<std::string>{"File XML not found"});
    QVERIFY(!QFile::exists(f.path("PROJECTS/pargen.xml")));
    QCOMPARE(f.session->pargen.sdo_timeout, std::string("42"));
}

void MainWindowTest::aFailingOkShowsTheErrorAndKeepsTheDialogOpen() {
    fenwarp::MessageRecorder handled;
    auto* app = static_cast<FenwarpApplication*>(QCoreApplication::instance());
    app->setErrorMessages(&handled);
    GuiFixture f;
    QDir(f.path("PROJECTS")).mkdir("Gone");
    f.windows->main->setFolderPicker([&](QWidget*, const QString&, const QString&, const QString&) {
        return std::optional<QString>(f.path("PROJECTS/Gone"));
    });
    button(f.windows->main.get(), "open")->click();
    QDir(f.path("PROJECTS")).rmdir("Gone");
    bool stillOpen = false;
    whenModal([&](QDialog* d) {
        QTest::mouseClick(button(d, "bitbtn1"), Qt::LeftButton);
        stillOpen = d->isVisible();
    });
    button(f.windows->main.get(), "btn_Prm_Gen")->click();
    app->setErrorMessages(nullptr);
    QVERIFY(stillOpen);
    QCOMPARE(handled.texts.size(), size_t(1));
    QVERIFY(QString::fromStdString(handled.texts[0]).contains("pargen.xml"));
}

void MainWindowTest::aboutShowsItsThreeLines() {
    GuiFixture f;
    whenModal([](QDialog* d) {
        QCOMPARE(d->findChild<QLabel*>("Memo1")->text(), QString("Fenwarp KR40583\n\nVers  2.1"));
        QVERIFY(!d->findChild<QLabel*>("Image1")->pixmap().isNull());
        button(d, "LbButton1")->click();
        QVERIFY(!d->isVisible());
    });
    button(f.windows->main.get(), "about")->click();
    QVERIFY(f.messages.texts.empty());
}

int main(int argc, char** argv) {
    return runGuiTest<MainWindowTest>(argc, argv);
}

#include "main_window_test.moc"
