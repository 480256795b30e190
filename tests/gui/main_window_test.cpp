#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
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
    void folderPickerShowsTheRootWithThePreselectedFolder();
    void openProjectThenChooseKeepsTheCurrentProject();
    void editorButtonsRefuseWithoutAValidProject();
    void closeWritesTheIni();
    void communicationDialogLoadsEditsAndSaves();
    void cancelKeepsEditsUntilTheNextShow();
    void aFailingOkShowsTheErrorAndKeepsTheDialogOpen();
    void aboutShowsItsThreeLines();
    void mainWindowHasNoFrameButATaskBarEntry();
    void windowsAreCreatedOnceInTheirOrder();
    void everyShowingReloadsTheDocument();
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
    QCOMPARE(f.windows->main->caption(), QString("Velmora Fenwarp KR40583 Tandrel"));
    QDir(f.path("PROJECTS")).mkdir("Line 1");
    fenwarp::IniFile(f.path("Fenwarp_Brax.ini").toStdString())
        .write_string("lastproj", "projectname", "Line 1");
    f.start();
    QCOMPARE(f.windows->main->caption(), QString("Velmora Fenwarp KR40583 Tandrel :Line 1"));
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
    QCOMPARE(f.windows->main->caption(),
             QString::fromUtf8("Velmora Fenwarp KR40583 Tandrel :/Presse Nr. 2 \xC3\x9C"));
    QCOMPARE(f.windows->main->openExcel().initialDir(),
             f.path(QString::fromUtf8("PROJECTS/Presse Nr. 2 \xC3\x9C")));
}

namespace {

QTreeView* folderTree(QDialog* picker) {
    auto* tree = picker->findChild<QTreeView*>("FolderTree");
    if (tree == nullptr) qFatal("no folder tree");
    return tree;
}

// The folder of an item; its tool tip shows the full path.
QString pathOf(const QModelIndex& index) {
    return index.data(Qt::ToolTipRole).toString();
}

QStringList childNames(QTreeView* tree, const QModelIndex& parent) {
    QStringList names;
    for (int r = 0; r < tree->model()->rowCount(parent); ++r) {
        names << tree->model()->index(r, 0, parent).data().toString();
    }
    return names;
}

void pressChoose(QDialog* picker) {
    auto* choose = picker->findChild<QPushButton*>("Choose");
    if (choose == nullptr) qFatal("no Choose button");
    choose->click();
}

// The picker's settings as Qt keeps them for every program of the user.
QMap<QString, QVariant> fileDialogSettings() {
    QSettings settings(QSettings::UserScope, "QtProject");
    settings.beginGroup("FileDialog");
    QMap<QString, QVariant> values;
    for (const QString& key : settings.allKeys()) values[key] = settings.value(key);
    return values;
}

}  // namespace

void MainWindowTest::folderPickerShowsTheRootWithThePreselectedFolder() {
    GuiFixture f;
    QDir(f.path("PROJECTS")).mkpath("Plant/Press");
    QDir(f.path("PROJECTS")).mkpath("Plant/bin");
    QDir(f.path("PROJECTS")).mkpath("Other");
    const QString root = f.path("PROJECTS");
    const auto settingsBefore = fileDialogSettings();
    QString selected;
    QStringList top, projects;
    whenModal([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Select directory of project"));
        QTreeView* tree = folderTree(d);
        // the only top item is the projects folder, opened on its projects
        QCOMPARE(tree->model()->rowCount(tree->rootIndex()), 1);
        const QModelIndex rootItem = tree->model()->index(0, 0, tree->rootIndex());
        top << pathOf(rootItem);
        QVERIFY(tree->isExpanded(rootItem));
        QCOMPARE(tree->model()->rowCount(rootItem), 2);
        projects = childNames(tree, rootItem);
        selected = pathOf(tree->currentIndex());
        pressChoose(d);
    });
    std::optional<QString> chosen =
        pickFolderUnder(nullptr, "Select directory of project", root, f.path("PROJECTS/Plant"));
    QCOMPARE(top, QStringList{root});
    QCOMPARE(projects, (QStringList{"Other", "Plant"}));
    QCOMPARE(selected, f.path("PROJECTS/Plant"));
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QDir::toNativeSeparators(f.path("PROJECTS/Plant")));

    // a folder further down, chosen in the tree
    whenModal([&](QDialog* d) {
        QTreeView* tree = folderTree(d);
        QVERIFY(tree->currentIndex().isValid());
        const QModelIndex plant = tree->currentIndex();
        tree->expand(plant);
        QCOMPARE(tree->model()->rowCount(plant), 2);
        QCOMPARE(childNames(tree, plant), (QStringList{"bin", "Press"}));
        tree->setCurrentIndex(tree->model()->index(1, 0, plant));
        pressChoose(d);
    });
    chosen =
        pickFolderUnder(nullptr, "Select directory of project", root, f.path("PROJECTS/Plant"));
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QDir::toNativeSeparators(f.path("PROJECTS/Plant/Press")));

    // a preselected folder outside the root selects nothing: confirming gives the root
    whenModal([&](QDialog* d) { pressChoose(d); });
    chosen = pickFolderUnder(nullptr, "Select directory of project", root, f.programDir.path());
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QDir::toNativeSeparators(root));
    whenModal([&](QDialog* d) { d->reject(); });
    QVERIFY(!pickFolderUnder(nullptr, "t", root, root).has_value());
    QCOMPARE(fileDialogSettings(), settingsBefore);  // nothing of the picker is kept
}

void MainWindowTest::openProjectThenChooseKeepsTheCurrentProject() {
    GuiFixture f;
    QDir(f.path("PROJECTS")).mkpath("A/bin");
    QDir(f.path("PROJECTS")).mkpath("B");
    fenwarp::IniFile(f.path("Fenwarp_Brax.ini").toStdString())
        .write_string("lastproj", "projectname", "A");
    f.start();
    QStringList projects;
    whenModal([&](QDialog* d) {
        QTreeView* tree = folderTree(d);
        QCOMPARE(tree->model()->rowCount(tree->rootIndex()), 1);
        const QModelIndex rootItem = tree->model()->index(0, 0, tree->rootIndex());
        QCOMPARE(tree->model()->rowCount(rootItem), 2);
        projects = childNames(tree, rootItem);
        pressChoose(d);
    });
    button(f.windows->main.get(), "open")->click();
    QCOMPARE(projects, (QStringList{"A", "B"}));
    QCOMPARE(f.session->context().project_dir,
             std::filesystem::path(f.path("PROJECTS/A").toStdString()));
    QCOMPARE(f.windows->main->caption(), QString("Velmora Fenwarp KR40583 Tandrel :/A"));
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
    QCOMPARE(f.windows->main->caption(), QString("Velmora Fenwarp KR40583 Tandrel :"));
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
        QCOMPARE(d->findChild<QGroupBox*>("GroupBox1")->width(),
                 d->findChild<QGroupBox*>("GroupBox2")->width());
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
        QVERIFY(button(d, "LbButton1")->isDefault());
        QTest::keyClick(d, Qt::Key_Return);
        QVERIFY(!d->isVisible());
    });
    button(f.windows->main.get(), "about")->click();
    whenModal([](QDialog* d) {
        button(d, "LbButton1")->click();
        QVERIFY(!d->isVisible());
    });
    button(f.windows->main.get(), "about")->click();
    QVERIFY(f.messages.texts.empty());
}

void MainWindowTest::mainWindowHasNoFrameButATaskBarEntry() {
    GuiFixture f;
    TFFenwarpFirmWare* main = f.windows->main.get();
    main->show();
    // a normal window (tool windows stay out of the task bar) without a frame
    QCOMPARE(main->windowType(), Qt::Window);
    QVERIFY(main->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(main->windowTitle(), QString("Firmware Fenwarp"));
    // the caption is shown once, in the window's own bar
    int shown = 0;
    for (QLabel* label : main->findChildren<QLabel*>()) {
        if (label->isVisible() && label->text() == main->caption()) ++shown;
    }
    QCOMPARE(shown, 1);
    QCOMPARE(main->findChild<QLabel*>("CaptionBar")->text(),
             QString("Velmora Fenwarp KR40583 Tandrel"));
}

void MainWindowTest::windowsAreCreatedOnceInTheirOrder() {
    // The program's windows in the order of their creation; the main window
    // owns every other and comes first.
    const QStringList order = {
        "TFsaveproj", "TFHelp", "TFAbout", "TFSELstringhe", "TFModifyFileSx", "TFpargen", "TFsdo",
        "TFpdo",      "TFemcy", "TFWemcy", "TFXML",         "TFInfopdo",      "TFcheck"};
    GuiFixture f;
    QStringList created;
    for (QObject* child : f.windows->main->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget->isWindow()) created << widget->objectName();
    }
    QVERIFY(created.contains("TFAbout"));
    QStringList expected;
    for (const QString& name : order) {
        if (created.contains(name)) expected << name;
    }
    QCOMPARE(created, expected);  // no other window, none twice, in their order
    int mains = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "TFFenwarpFirmWare") ++mains;
    }
    QCOMPARE(mains, 1);
}

void MainWindowTest::everyShowingReloadsTheDocument() {
    GuiFixture f;
    auto write = [&](const QString& name, const QByteArray& content) {
        QFile file(f.path("PROJECTS/" + name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    };
    auto pargen = [](const char* id) {
        return QByteArray("<P><a>") + id +
               "</a><b>125</b><c>2</c><d>800</d><e>900</e><f>0</f><g>0</g><h>0</h><i>0</i></P>";
    };
    auto sdo = [](const char* index) {
        return QByteArray("<sdo><row conf=\"16\" IndexA=\"") + index +
               "\" SubindexA=\"1\" devIDB=\"5\" IndexB=\"0x6000\" SubindexB=\"2\" "
               "nbyteB=\"2\" mnemonico=\"m\"/></sdo>";
    };
    QStringList seen;
    auto showBoth = [&] {
        whenModal([&](QDialog* d) { seen << d->findChild<QLineEdit*>("Edit1")->text(); });
        button(f.windows->main.get(), "btn_Prm_Gen")->click();
        whenModal([&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>("sga");
            seen << grid->model()->index(0, 2).data().toString();
        });
        button(f.windows->main.get(), "btn_Sdo")->click();
    };
    write("pargen.xml", pargen("3"));
    write("sdo.xml", sdo("0x2000"));
    showBoth();
    write("pargen.xml", pargen("7"));
    write("sdo.xml", sdo("0x3000"));
    showBoth();
    QCOMPARE(seen, (QStringList{"3", "0x2000", "7", "0x3000"}));
    QVERIFY(f.messages.texts.empty());
}

int main(int argc, char** argv) {
    return runGuiTest<MainWindowTest>(argc, argv);
}

#include "main_window_test.moc"
