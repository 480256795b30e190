// Real message boxes and the end of the program, inside the application's own
// event loop: only the main window's "X" ends it.
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "core/shell/ini_file.h"
#include "gui/qt_messages.h"
#include "gui/shell/TFAbout.h"
#include "gui/shell/TFFenwarpFirmWare.h"
#include "gui_test_support.h"

namespace {

// The exit status the test's own end gives the event loop, unlike quit's 0.
constexpr int stillRunning = 7;

struct SeenBox {
    QString title;
    QString text;
    QWidget* parent;
};

// Closes the message box now on top as its user would, and notes what it was.
void closeBoxLater(std::vector<SeenBox>& seen, bool withOk) {
    QTimer::singleShot(0, [&seen, withOk] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {  // the box did not stay up: the program is ending
            seen.push_back({"no box", {}, nullptr});
            return;
        }
        seen.push_back({box->windowTitle(), box->text(), box->parentWidget()});
        if (withOk) {
            box->button(QMessageBox::Ok)->click();
        } else {
            box->close();
        }
    });
}

// Runs steps inside the application's event loop; returns its exit status:
// stillRunning when the steps ended and the program was still running.
int runInEventLoop(const std::function<void()>& steps, int limitMs = 20000) {
    QTimer::singleShot(0, [steps] {
        steps();
        QTimer::singleShot(100, [] { QCoreApplication::exit(stillRunning); });
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    limit.start(limitMs);
    return QCoreApplication::exec();
}

}  // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void closingRealBoxesKeepsTheProgramRunning();
    void xEndsTheProgramAlsoWhenTheIniCannotBeWritten();
};

void MessageBoxTest::closingRealBoxesKeepsTheProgramRunning() {
    QTemporaryDir programDir;
    QtMessages messages;
    fenwarp::Session session(toPath(programDir.path()));
    Windows windows(session, messages);
    windows.main->show();
    std::vector<SeenBox> seen;
    bool mainShown = true;
    const int status = runInEventLoop([&] {
        for (int i = 0; i < 10; ++i) {
            closeBoxLater(seen, i % 2 == 0);
            messages.show("Box " + std::to_string(i),
                          i < 5 ? fenwarp::MessageKind::Information : fenwarp::MessageKind::Error);
            QCoreApplication::processEvents();
        }
        // A box over an open dialog belongs to that dialog.
        QTimer::singleShot(0, [&] {
            closeBoxLater(seen, true);
            messages.show("Over About");
            QCoreApplication::processEvents();
            windows.about->accept();
        });
        windows.about->exec();
        mainShown = windows.main->isVisible();
    });
    QCOMPARE(status, stillRunning);
    QVERIFY(mainShown);
    QCOMPARE(seen.size(), size_t(11));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        QCOMPARE(seen[i].title, QString("Firmware Fenwarp"));
        QWidget* owner = i < 10 ? static_cast<QWidget*>(windows.main.get()) : windows.about;
        QCOMPARE(seen[i].parent, owner);
    }
    QCOMPARE(seen[3].text, QString("Box 3"));
}

void MessageBoxTest::xEndsTheProgramAlsoWhenTheIniCannotBeWritten() {
    GuiFixture f;
    QVERIFY(QDir(f.programDir.path()).mkdir("Fenwarp_Brax.ini"));
    f.windows->main->show();
    const int status =
        runInEventLoop([&] { f.windows->main->findChild<QPushButton*>("LbButton1")->click(); });
    QCOMPARE(status, 0);  // the close ended the event loop before the test's own end
    QVERIFY(!f.windows->main->isVisible());
    QCOMPARE(f.messages.texts.size(), size_t(1));
    QVERIFY(QString::fromStdString(f.messages.texts[0]).contains("Fenwarp_Brax.ini"));
    QCOMPARE(f.messages.kinds[0], fenwarp::MessageKind::Error);
}

int main(int argc, char** argv) {
    return runGuiTest<MessageBoxTest>(argc, argv);
}

#include "message_box_test.moc"
