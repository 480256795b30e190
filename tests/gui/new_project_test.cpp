#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/TFsaveproj.h"
#include "gui_test_support.h"

namespace {

void typeAndOk(QDialog* d, const QString& name) {
    auto* edit = d->findChild<QLineEdit*>("Edit1");
    QVERIFY(edit->hasFocus() || !d->isActiveWindow());
    edit->setText(name);
    d->findChild<QPushButton*>("bitbtn1")->click();
}

}  // namespace

class NewProjectTest : public QObject {
    Q_OBJECT
  private slots:
    void okCreatesSeedsAndNamesTheProject();
    void aRefusedOkKeepsTheDialogOpenAndCancelKeepsTheProject();
};

void NewProjectTest::okCreatesSeedsAndNamesTheProject() {
    GuiFixture f;
    QString caption;
    whenModal([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("New project"));
        QVERIFY(d->findChild<QWidget*>("Label1")->isVisible());
        QCOMPARE(d->findChild<QLineEdit*>("Edit1")->text(), QString());
        typeAndOk(d, "Plant1");
        QVERIFY(!d->isVisible());
    });
    f.windows->main->findChild<QPushButton*>("New")->click();
    QCOMPARE(f.windows->main->caption(), QString("Velmora Fenwarp KR40583 Tandrel :Plant1"));
    QCOMPARE(f.windows->main->openExcel().initialDir(), f.path("PROJECTS/Plant1"));
    const QDir project(f.path("PROJECTS/Plant1"));
    QVERIFY(project.exists("bin"));
    QVERIFY(project.exists("pargen.xml"));
    QVERIFY(project.exists("sdo.xml"));
    QVERIFY(f.messages.texts.empty());
}

void NewProjectTest::aRefusedOkKeepsTheDialogOpenAndCancelKeepsTheProject() {
    GuiFixture f;
    whenModal([&](QDialog* d) {
        typeAndOk(d, "../x");
        QVERIFY(d->isVisible());
        d->findChild<QPushButton*>("bitbtn2")->click();
        QVERIFY(!d->isVisible());
    });
    f.windows->main->findChild<QPushButton*>("New")->click();
    QCOMPARE(f.messages.texts, std::vector<std::string>{"Name project not valid"});
    QCOMPARE(f.windows->main->caption(), QString("Velmora Fenwarp KR40583 Tandrel :"));
    QCOMPARE(QString::fromStdString(f.session->context().project_dir.string()), f.path("PROJECTS"));
    QVERIFY(!QDir(f.programDir.path()).exists("x"));
}

int main(int argc, char** argv) {
    return runGuiTest<NewProjectTest>(argc, argv);
}

#include "new_project_test.moc"
