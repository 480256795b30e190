#include <QFile>
#include <QTextEdit>
#include <QtTest>

#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui/shell/TFHelp.h"
#include "gui_test_support.h"

namespace {

void writeHelp(const GuiFixture& f, const QByteArray& bytes) {
    QFile file(f.path("help2.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

class HelpDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void f1OpensTheHelpFormattedAndItReloadsAtEachShowing();
    void aMissingFileShowsTheMessageOverAnEmptyViewer();
};

void HelpDialogTest::f1OpensTheHelpFormattedAndItReloadsAtEachShowing() {
    GuiFixture f;
    writeHelp(f, R"({\rtf1{\fonttbl{\f0 Arial;}}\f0 Press {\b Update Device}\par})");
    f.windows->main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.windows->main.get()));
    QString shown, html;
    whenModal([&](QDialog* d) {
        QCOMPARE(d->objectName(), QString("TFHelp"));
        QCOMPARE(d->windowTitle(), QString("Help"));
        auto* viewer = d->findChild<QTextEdit*>("RichEdit1");
        QVERIFY(viewer->isReadOnly());
        shown = viewer->toPlainText();
        html = viewer->toHtml();
    });
    QTest::keyClick(f.windows->main.get(), Qt::Key_F1);
    QCOMPARE(shown, QString("Press Update Device"));
    QVERIFY2(html.contains("font-weight:700") || html.contains("font-weight:600"),
             qPrintable(html));

    writeHelp(f, "Plain {\\b help}");
    whenModal([&](QDialog* d) { shown = d->findChild<QTextEdit*>("RichEdit1")->toPlainText(); });
    f.windows->help->exec();
    QCOMPARE(shown, QString("Plain {\\b help}"));
    QVERIFY(f.messages.texts.empty());
}

void HelpDialogTest::aMissingFileShowsTheMessageOverAnEmptyViewer() {
    GuiFixture f;
    writeHelp(f, "first");
    whenModal([](QDialog*) {});
    f.windows->help->exec();
    QFile::remove(f.path("help2.dat"));
    QString shown = "not read";
    whenModal([&](QDialog* d) { shown = d->findChild<QTextEdit*>("RichEdit1")->toPlainText(); });
    f.windows->help->exec();
    QCOMPARE(shown, QString());
    QCOMPARE(f.messages.texts, std::vector<std::string>{"Impossible to read file Help"});
}

int main(int argc, char** argv) {
    return runGuiTest<HelpDialogTest>(argc, argv);
}

#include "help_dialog_test.moc"
