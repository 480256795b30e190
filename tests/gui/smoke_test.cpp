// Clicks once through every dialog of the program, as a technician would on
// a new project: each opens modal over the main window, closes again, and
// the program goes on running without a message.
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "gui/check/TFcheck.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/xml/TFSELstringhe.h"
#include "gui/xml/TFXML.h"
#include "gui_test_support.h"

class SmokeTest : public QObject {
    Q_OBJECT
  private slots:
    void everyDialogOpensAndCloses();
};

void SmokeTest::everyDialogOpensAndCloses() {
    GuiFixture f;
    QVERIFY(QDir(f.programDir.path()).mkpath("MASTER"));
    writeFile(f.path("MASTER/Brax_Traslate.sx"),
              "S00F000068656C6C6F202020202000003C\r\nS804000000FB\r\n");
    QVERIFY(QFile::copy(FENWARP_TEST_SOURCE_DIR "/../resources/help2.dat", f.path("help2.dat")));
    // Nothing in the program names the string picker's document.
    writeFile(f.path("strings.xml"), "<strings><s>first</s></strings>");
    f.session->strings.strings_path = f.path("strings.xml").toStdString();
    TFFenwarpFirmWare* main = f.windows->main.get();
    main->show();

    QStringList opened;
    const auto expectModal = [&opened](const QString& name) {
        whenModal([&opened, name](QDialog* d) {
            opened << d->objectName();
            QCOMPARE(d->objectName(), name);
            QVERIFY(d->isVisible());
        });
    };
    whenModal([&opened](QDialog* d) {
        opened << d->objectName();
        d->findChild<QLineEdit*>("Edit1")->setText("Smoke");
        d->findChild<QPushButton*>("bitbtn1")->click();
    });
    main->findChild<QPushButton*>("New")->click();

    // The editors, then Update Device: a new project holds no mistake, so
    // the compile runs and the firmware dialog follows.
    const std::pair<const char*, const char*> buttons[] = {
        {"btn_Prm_Gen", "TFpargen"}, {"btn_Sdo", "TFsdo"},           {"btn_Pdo", "TFpdo"},
        {"btn_Emcy", "TFemcy"},      {"btn_Emcy_Wd", "TFWemcy"},     {"btn_Info_Pdo", "TFInfopdo"},
        {"about", "TFAbout"},        {"CreateBin", "TFModifyFileSx"}};
    for (const auto& [button, dialog] : buttons) {
        expectModal(dialog);
        main->findChild<QPushButton*>(button)->click();
        QVERIFY2(QApplication::activeModalWidget() == nullptr, button);
    }
    expectModal("TFHelp");
    emit main->findChild<QShortcut*>()->activated();

    // Dialogs that no button of the main window opens.
    const std::pair<QDialog*, const char*> others[] = {{f.windows->selString, "TFSELstringhe"},
                                                       {f.windows->xml, "TFXML"},
                                                       {f.windows->check, "TFcheck"}};
    for (const auto& [dialog, name] : others) {
        expectModal(name);
        dialog->exec();
    }

    QCOMPARE(opened, (QStringList{"TFsaveproj", "TFpargen", "TFsdo", "TFpdo", "TFemcy", "TFWemcy",
                                  "TFInfopdo", "TFAbout", "TFModifyFileSx", "TFHelp",
                                  "TFSELstringhe", "TFXML", "TFcheck"}));
    for (const std::string& text : f.messages.texts) qWarning("message: %s", text.c_str());
    QVERIFY(f.messages.texts.empty());
    QVERIFY(QFile::exists(f.path("PROJECTS/Smoke/bin/bank1.bin")));
    QVERIFY(main->isVisible());
}

int main(int argc, char** argv) {
    return runGuiTest<SmokeTest>(argc, argv);
}

#include "smoke_test.moc"
