#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "gui/fenwarp_application.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui_test_support.h"

namespace {

const char* const default_pargen =
    "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
    "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
    "<ser>0</ser><devid>0</devid></ParametriGenerali>";

void writeText(const QString& path, const char* text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(text);
}

// What one Update Device click showed: the label while it ran and when the
// firmware dialog came up, and whether the bank files stood there by then.
struct ClickTrace {
    QStringList labels;
    bool dialogShown = false;
    bool filesBeforeDialog = false;
};

// Clicks "Update Device" with the mouse, so that an error reaches the
// application's handler. The dialog's nested loop cannot be waited for with a
// single zero timer: the click lets pending events run once before compiling.
ClickTrace clickUpdateDevice(GuiFixture& f, const QString& project) {
    ClickTrace trace;
    QWidget* main = f.windows->main.get();
    auto* label = main->findChild<QLabel*>("Labelstate");
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        trace.labels << label->text();
        if (dialog == nullptr) return;
        trace.dialogShown = dialog->objectName() == "TFModifyFileSx";
        trace.filesBeforeDialog =
            QFile::exists(project + "/bin/bank5.bin") && QFile::exists(project + "/bin/bankg.c");
        dialog->reject();
    });
    poll.start(0);
    main->show();
    QTest::mouseClick(main->findChild<QPushButton*>("CreateBin"), Qt::LeftButton);
    poll.stop();
    trace.labels << label->text();
    trace.labels.removeDuplicates();
    return trace;
}

}  // namespace

class UpdateDeviceTest : public QObject {
    Q_OBJECT
  private slots:
    void writesTheBanksThenOpensTheFirmwareDialog();
    void missingPargenEndsTheClickBeforeTheDialog();
    void anUnreadableDocumentEndsTheClickWhereItHappens();
    void aBankFileNotWrittenKeepsTheDialogShut();
    void noProjectTouchesNothing();

  private:
    QString makeProject(GuiFixture& f) {
        QDir(f.path("PROJECTS")).mkpath("P/bin");
        const QString dir = f.path("PROJECTS/P");
        f.session->context().project_dir = dir.toStdString();
        f.session->context().derive_document_paths();
        return dir;
    }
};

void UpdateDeviceTest::writesTheBanksThenOpensTheFirmwareDialog() {
    GuiFixture f;
    const QString project = makeProject(f);
    writeText(project + "/pargen.xml", default_pargen);
    ClickTrace trace = clickUpdateDevice(f, project);
    QCOMPARE(trace.labels, (QStringList{"Wait..", "--"}));
    QVERIFY(trace.dialogShown);
    QVERIFY(trace.filesBeforeDialog);
    // the five missing tables come first; the firmware dialog may add its own
    QVERIFY(f.messages.texts.size() >= 5);
    QCOMPARE(QString::fromStdString(f.messages.texts[4]), QString("File reader PDO xml not found"));
    QCOMPARE(QFileInfo(project + "/bin/bank2.bin").size(), qint64(16384));
    QCOMPARE(QFileInfo(project + "/bin/bankg.c").size(), qint64(235593));
}

void UpdateDeviceTest::missingPargenEndsTheClickBeforeTheDialog() {
    GuiFixture f;
    const QString project = makeProject(f);
    ClickTrace trace = clickUpdateDevice(f, project);
    QVERIFY(!trace.dialogShown);
    QCOMPARE(trace.labels.last(), QString("--"));
    QCOMPARE(f.messages.texts.size(), size_t(6));
    QCOMPARE(QString::fromStdString(f.messages.texts.back()),
             QString("File Parametres xml not found"));
    QVERIFY(QDir(project + "/bin").isEmpty());
}

void UpdateDeviceTest::anUnreadableDocumentEndsTheClickWhereItHappens() {
    fenwarp::MessageRecorder handled;
    auto* app = static_cast<FenwarpApplication*>(QCoreApplication::instance());
    app->setErrorMessages(&handled);
    GuiFixture f;
    const QString project = makeProject(f);
    writeText(project + "/pargen.xml", default_pargen);
    writeText(project + "/sdo.xml", "<sdo><row conf=\"0\"/></sdo>");
    ClickTrace trace = clickUpdateDevice(f, project);
    app->setErrorMessages(nullptr);
    QVERIFY(!trace.dialogShown);
    QCOMPARE(trace.labels.last(), QString("Wait.."));
    QCOMPARE(handled.texts.size(), size_t(1));
    QVERIFY(QString::fromStdString(handled.texts[0]).contains("sdo.xml"));
    QVERIFY(QString::fromStdString(handled.texts[0]).contains("IndexA"));
    QVERIFY(QDir(project + "/bin").isEmpty());
}

// An old bank 2 must never be patched: the dialog stays shut and the file
// that was not written is named.
void UpdateDeviceTest::aBankFileNotWrittenKeepsTheDialogShut() {
    GuiFixture f;
    const QString project = makeProject(f);
    writeText(project + "/pargen.xml", default_pargen);
    QDir(project).mkpath("bin/bank2.bin");  // a folder in the file's place
    ClickTrace trace = clickUpdateDevice(f, project);
    QVERIFY(!trace.dialogShown);
    QCOMPARE(trace.labels.last(), QString("--"));
    QVERIFY(
        QString::fromStdString(f.messages.texts.back()).startsWith("File bank2.bin not written"));
}

void UpdateDeviceTest::noProjectTouchesNothing() {
    GuiFixture f;
    f.session->context().project_dir.clear();
    f.session->context().derive_document_paths();
    ClickTrace trace = clickUpdateDevice(f, QString());
    QVERIFY(!trace.dialogShown);
    QCOMPARE(f.messages.texts, std::vector<std::string>{"Project not valid"});
    QVERIFY(!QFile::exists("/bin/bank1.bin"));
}

int main(int argc, char** argv) {
    return runGuiTest<UpdateDeviceTest>(argc, argv);
}

#include "update_device_test.moc"
