#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>

#include "gui/fenwarp_application.h"
#include "gui/firmware/TFModifyFileSx.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui_test_support.h"

namespace {

QString readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

QByteArray s2(quint32 address, char fill) {
    QByteArray body;
    for (int shift = 16; shift >= 0; shift -= 8) body += char((address >> shift) & 0xFF);
    body += QByteArray(32, fill);
    unsigned sum = unsigned(body.size() + 1);
    for (char c : body) sum += quint8(c);
    return "S2" + QByteArray::number(body.size() + 1, 16).toUpper() + body.toHex().toUpper() +
           QByteArray::number((~sum & 0xFF) | 0x100, 16).right(2).toUpper() + "\r\n";
}

// A program folder with the template, project "P" with its bank files, and a
// stand-in flash writer that records the text it is given.
struct FirmwareGui : GuiFixture {
    explicit FirmwareGui(bool bankOne = true) {
        QByteArray image = "S00F000068656C6C6F202020202000003C\r\n";
        for (quint32 a = 0; a < 3000; ++a) image += s2(0x100000 + 32 * a, 'x');
        if (bankOne) image += s2(0x388000, 1);
        image += s2(0x398000, 2) + "S804000000FB\r\n";
        writeAll(path("MASTER/Brax_Traslate.sx"), image);
        for (int k = 1; k <= 5; ++k) {
            writeAll(path(QString("PROJECTS/P/bin/bank%1.bin").arg(k)), QByteArray(16384, char(k)));
        }
        writeAll(path("Torquill.exe"),
                 "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/t.part\"\n"
                 "mv \"$(dirname \"$0\")/t.part\" \"$(dirname \"$0\")/Torquill.log\"\n");
        QFile::setPermissions(path("Torquill.exe"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        session->workspace.set_project("P", path("PROJECTS/P").toStdString());
    }
    TFModifyFileSx* dialog() const { return windows->firmware; }
    template <typename T = QWidget>
    T* part(const char* name) const {
        T* w = dialog()->findChild<T*>(name);
        if (w == nullptr) qFatal("no component %s", name);
        return w;
    }
    QPushButton* button(const char* name) const { return part<QPushButton>(name); }
};

// Like whenModal, but waits for the dialog: Update Device lets pending events
// run once before it opens the dialog.
void onceModal(std::function<void(QDialog*)> action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        poll->stop();
        poll->deleteLater();
        action(dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    poll->start(10);
}

const QString pilcrow = QString::fromUtf8("\xC2\xB6");

}  // namespace

class FirmwareDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { QDir::setCurrent(startDir_); }
    void componentsAndCaptions_data();
    void componentsAndCaptions();
    void showingPreparesTheDialog();
    void missingTemplateIsAnErrorBox();
    void executePatchesAndLaunchesWithTheChosenPort();
    void bankWithoutRecordsIsMarkedRed();
    void failedPatchDoesNotLaunch();
    void hiddenComponentsWorkThroughCode();
    void updateDeviceRunsEndToEndInTheDemoWorkspace();

  private:
    QString startDir_ = QDir::currentPath();
};

void FirmwareDialogTest::componentsAndCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("shown");
    const struct {
        const char *name, *caption;
        bool shown;
    } rows[] = {{"LbButton2", "Execute update firmware", true},
                {"LbButton1", "X", true},
                {"Options", "Options >>", false},
                {"DirFileBin", "Directory File Bin", false},
                {"OpenFile", "Open Firmware", false},
                {"ExeModFileSx", "Execute Modify File Sx", false},
                {"ExeUpdateFir", "Execute update firmware", false}};
    for (const auto& r : rows) QTest::newRow(r.name) << r.name << r.caption << r.shown;
}

void FirmwareDialogTest::componentsAndCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, shown);
    FirmwareGui f;
    f.dialog()->show();
    QCOMPARE(f.dialog()->windowTitle(), QString("Generate Firmware"));
    QPushButton* b = f.button(name.toUtf8().constData());
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->isVisible(), shown);
    QVERIFY(f.part<QProgressBar>("Avanzamento")->isVisible());
    auto* port = f.part<QComboBox>("cbport");
    QVERIFY(port->isVisible());
    QStringList items;
    for (int i = 0; i < port->count(); ++i) items << port->itemText(i);
    QCOMPARE(items, QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}));
    QVERIFY(!f.part("GbBank")->isVisible());
    QVERIFY(!f.part("NewFileSx")->isVisible());
    QCOMPARE(f.part<QLabel>("Label3")->text(), QString("Name new Firmware:"));
    QVERIFY(!f.part("Label3")->isVisible());
}

void FirmwareDialogTest::showingPreparesTheDialog() {
    FirmwareGui f;
    f.session->firmware.port = 4;
    f.session->firmware.boxes[0].checked = false;
    f.dialog()->show();
    QVERIFY(f.messages.texts.empty());
    const QRect screen = f.dialog()->screen()->geometry();
    QCOMPARE(f.dialog()->pos(), QPoint(screen.width() / 2 - f.dialog()->width() / 2,
                                       screen.height() / 2 - f.dialog()->height()));
    for (int k = 1; k <= 5; ++k) {
        auto* box = f.part<QCheckBox>(qPrintable(QString("Cbbank%1").arg(k)));
        QCOMPARE(box->text(), QString("Bank %1").arg(k));
        QCOMPARE(box->isVisibleTo(f.part("GbBank")), k <= 2);
        if (k <= 2) QVERIFY(box->isChecked());
    }
    QCOMPARE(f.part<QComboBox>("cbport")->currentText(), QString("COM1"));
    QCOMPARE(f.part<QProgressBar>("Avanzamento")->value(), 0);
    QVERIFY(f.button("LbButton2")->isEnabled());
    QCOMPARE(f.part<QLineEdit>("NewFileSx")->text(), QString("New_Brax_Traslate.sx"));
    QCOMPARE(QDir::current().canonicalPath(), QDir(f.path("MASTER")).canonicalPath());
}

void FirmwareDialogTest::missingTemplateIsAnErrorBox() {
    FirmwareGui f;
    QFile::remove(f.path("MASTER/Brax_Traslate.sx"));
    f.dialog()->show();
    QCOMPARE(f.messages.texts, std::vector<std::string>{"Error file Brax_Traslate.sx not found"});
    QCOMPARE(f.messages.kinds, std::vector<fenwarp::MessageKind>{fenwarp::MessageKind::Error});
    QVERIFY(!f.button("LbButton2")->isEnabled());
}

void FirmwareDialogTest::executePatchesAndLaunchesWithTheChosenPort() {
    FirmwareGui f;
    f.dialog()->show();
    f.part<QComboBox>("cbport")->setCurrentIndex(2);
    auto* bar = f.part<QProgressBar>("Avanzamento");
    QList<int> values;
    connect(bar, &QProgressBar::valueChanged, bar, [&](int v) { values << v; });
    f.button("LbButton2")->click();

    QVERIFY(f.messages.texts.empty());
    const QString output = f.path("PROJECTS/P/New_Brax_Traslate.sx");
    QVERIFY(readAll(output).contains(QString(s2(0x100000, 'x'))));
    QCOMPARE(QDir(f.path("PROJECTS/P")).entryList(QDir::Files),
             (QStringList{"New_Brax_Traslate.sx", "update.log"}));
    QVERIFY(!QFile::exists(f.path("PROJECTS/P/bin/Bin.sx")));
    QVERIFY(readAll(f.path("PROJECTS/P/update.log")).contains("\"port\":\"COM3\""));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.path("Torquill.log")), 5000);
    QCOMPARE(readAll(f.path("Torquill.log")), "\"" + output + "\"" + pilcrow + "2");
    // The bar moved through the one pass over the template and ended full.
    QVERIFY(values.size() > 3);
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(bar->maximum(), int(QFileInfo(f.path("MASTER/Brax_Traslate.sx")).size()));
    QVERIFY(f.button("ExeModFileSx")->isEnabled());
}

void FirmwareDialogTest::bankWithoutRecordsIsMarkedRed() {
    FirmwareGui f(false);
    f.dialog()->show();
    f.button("LbButton2")->click();
    QVERIFY(f.part("Cbbank1")->styleSheet().contains("red"));
    QVERIFY(!f.part("Cbbank2")->styleSheet().contains("red"));
    QVERIFY(QFile::exists(f.path("PROJECTS/P/New_Brax_Traslate.sx")));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.path("Torquill.log")), 5000);
    f.dialog()->hide();
    f.dialog()->show();
    QVERIFY(!f.part("Cbbank1")->styleSheet().contains("red"));
}

// An image of an earlier run is still there; it must not be sent.
void FirmwareDialogTest::failedPatchDoesNotLaunch() {
    FirmwareGui f;
    writeAll(f.path("PROJECTS/P/New_Brax_Traslate.sx"), "an earlier run's image");
    QDir(f.path("PROJECTS/P/bin")).removeRecursively();
    f.dialog()->show();
    f.button("LbButton2")->click();
    QCOMPARE(f.messages.texts, std::vector<std::string>{"Directory Bin Not Found,Abort Procedure"});
    QTest::qWait(200);
    QVERIFY(!QFile::exists(f.path("Torquill.log")));
}

void FirmwareDialogTest::hiddenComponentsWorkThroughCode() {
    FirmwareGui f;
    f.dialog()->show();
    f.button("Options")->click();
    QVERIFY(f.part("GbBank")->isVisible());
    QVERIFY(f.part("DirFileBin")->isVisible());
    QCOMPARE(f.button("Options")->text(), QString("<< Options"));

    QString title, root;
    f.dialog()->setFolderPicker([&](QWidget*, const QString& t, const QString& r, const QString&) {
        title = t;
        root = r;
        return std::optional<QString>(f.path("PROJECTS/P/other"));
    });
    f.button("DirFileBin")->click();
    QCOMPARE(title, QString("Select Directory Bin"));
    QCOMPARE(root, f.path("PROJECTS/P"));
    QCOMPARE(QString::fromStdString(f.session->firmware.bank_dir.string()),
             f.path("PROJECTS/P/other"));
    f.button("Options")->click();
    QVERIFY(!f.part("GbBank")->isVisible());

    QString start, filter;
    writeAll(f.path("elsewhere/Other.Sx"), "S9030000FC\r\n");
    f.dialog()->setOpenDialogSx([&](QWidget*, const QString& dir, const QString& fl) {
        start = dir;
        filter = fl;
        return std::optional<QString>(f.path("elsewhere/Other.Sx"));
    });
    f.button("OpenFile")->click();
    QCOMPARE(start, f.path("MASTER"));
    QCOMPARE(filter, QString("File Sx (*.Sx)"));
    QCOMPARE(f.part<QLineEdit>("NewFileSx")->text(), QString("New_Other.Sx"));

    f.part<QLineEdit>("NewFileSx")->setText("Mine.sx");
    f.session->firmware.bank_dir = f.path("PROJECTS/P/bin").toStdString();
    f.button("ExeModFileSx")->click();
    QVERIFY(QFile::exists(f.path("PROJECTS/P/Mine.sx")));
    QVERIFY(f.part("Cbbank1")->styleSheet().contains("red"));  // Other.Sx has no records
    QVERIFY(!QFile::exists(f.path("Torquill.log")));
    f.button("ExeUpdateFir")->click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.path("Torquill.log")), 5000);
    QVERIFY(readAll(f.path("Torquill.log")).endsWith("Mine.sx\"" + pilcrow + "0"));
}

// The demo's own pieces: its example project, the synthetic template made by
// its script and the stand-in flash writer, driven from the main window.
void FirmwareDialogTest::updateDeviceRunsEndToEndInTheDemoWorkspace() {
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty()) QSKIP("python3 is needed to make the demo template");
    const QString demo = QString(FENWARP_TEST_SOURCE_DIR) + "/../demo";
    GuiFixture f;
    QCOMPARE(
        QProcess::execute(python, {demo + "/make_template.py", f.path("MASTER/Brax_Traslate.sx")}),
        0);
    QFile::copy(demo + "/program/Torquill.exe", f.path("Torquill.exe"));
    QDir().mkpath(f.path("PROJECTS/Example/bin"));
    for (const QString& name : QDir(demo + "/PROJECTS/Example").entryList(QDir::Files)) {
        QFile::copy(demo + "/PROJECTS/Example/" + name, f.path("PROJECTS/Example/" + name));
    }
    f.session->workspace.set_project("Example", f.path("PROJECTS/Example").toStdString());

    bool opened = false;
    onceModal([&](QDialog* d) {
        opened = d->objectName() == "TFModifyFileSx";
        QVERIFY(QFile::exists(f.path("PROJECTS/Example/bin/bank2.bin")));
        d->findChild<QPushButton*>("LbButton2")->click();
        d->findChild<QPushButton*>("LbButton1")->click();
    });
    f.windows->main->findChild<QPushButton*>("CreateBin")->click();
    QVERIFY(opened);
    QVERIFY(f.messages.texts.empty());
    const QString output = f.path("PROJECTS/Example/New_Brax_Traslate.sx");
    QVERIFY(QFile::exists(output));
    QVERIFY(!QFile::exists(f.path("PROJECTS/Example/bin/Bin.sx")));
    for (const QString& name : QDir(f.path("PROJECTS/Example")).entryList(QDir::Files)) {
        QVERIFY2(!name.startsWith(QString::fromUtf8("\xC2\xB0")), qPrintable(name));
    }
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.path("Torquill.log")), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(readAll(f.path("Torquill.log")),
                              "\"" + output + "\"" + pilcrow + "0\n", 5000);
}

int main(int argc, char** argv) {
    return runGuiTest<FirmwareDialogTest>(argc, argv);
}

#include "firmware_dialog_test.moc"
