#include "gui/shell/TFFenwarpFirmWare.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <exception>

#include "core/banks/update_device.h"
#include "core/shell/project_check.h"
#include "gui/check/record_locator.h"
#include "gui/qt_messages.h"
#include "gui/shell/TFsaveproj.h"
#include "gui/shell/folder_picker.h"
#include "gui/widgets/bordered_panel.h"
#include "gui/widgets/fbutton.h"

TFFenwarpFirmWare::TFFenwarpFirmWare(fenwarp::Session& session, fenwarp::Messages& messages,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      session_(session),
      messages_(messages),
      openExcel_(new OpenExcel(this)),
      folderPicker_(pickFolderUnder) {
    setObjectName("TFFenwarpFirmWare");
    auto* layout = new QVBoxLayout(this);
    // The window has no frame, so no system caption buttons: its caption stands
    // in a bar of its own, which also moves the window. The window's title is
    // the application's, the text of its task-bar entry.
    setWindowTitle(QtMessages::title);
    captionBar_ = new QLabel(this);
    captionBar_->setObjectName("CaptionBar");
    captionBar_->setAlignment(Qt::AlignCenter);
    captionBar_->setStyleSheet(
        "background: #1d3246; color: white; font-weight: bold; padding: 6px;");
    captionBar_->installEventFilter(this);
    layout->addWidget(captionBar_);
    auto* panel = new BorderedPanel("Panel1", this);
    auto* buttons = new QVBoxLayout(panel);
    layout->addWidget(panel);

    auto add = [&](const char* name, const char* caption, bool shown) {
        FButton* button = addButton(name, caption, shown);
        buttons->addWidget(button);
        return button;
    };
    connect(add("New", "New project", true), &QPushButton::clicked, this,
            &TFFenwarpFirmWare::NewaClick);
    connect(add("open", "Open project", true), &QPushButton::clicked, this,
            &TFFenwarpFirmWare::OpenaClick);
    const std::pair<const char*, const char*> editors[] = {
        {"btn_Prm_Gen", "Set Communication"}, {"btn_Sdo", "Set SDO Access"},
        {"btn_Pdo", "Set Translate PDO"},     {"btn_Emcy", "Set Translate EMCY"},
        {"btn_Emcy_Wd", "Define EMCY Word"},  {"btn_Info_Pdo", "Define store PDO"}};
    QDialog* Dialogs::*targets[] = {&Dialogs::pargen, &Dialogs::sdo,      &Dialogs::pdo,
                                    &Dialogs::emcy,   &Dialogs::emcyWord, &Dialogs::infoPdo};
    for (int i = 0; i < 6; ++i) {
        bool shown = i < 4;  // the EMCY word and stored PDO dialogs are reached by seeding only
        auto target = targets[i];
        connect(add(editors[i].first, editors[i].second, shown), &QPushButton::clicked, this,
                [this, target] { btn_str_lng1aClick(dialogs_.*target); });
    }
    connect(add("CreateBin", "Update Device", true), &QPushButton::clicked, this,
            &TFFenwarpFirmWare::CreateBinaClick);
    connect(add("CreateSx", "Generate Firmware", false), &QPushButton::clicked, this,
            [this] { showDialog(dialogs_.firmware); });
    connect(add("about", "About", true), &QPushButton::clicked, this,
            [this] { showDialog(dialogs_.about); });
    connect(add("LbButton1", "X", true), &QPushButton::clicked, this, &QWidget::close);

    labelstate_ = new QLabel("---", this);
    labelstate_->setObjectName("Labelstate");
    labelstate_->setAlignment(Qt::AlignCenter);
    layout->addWidget(labelstate_);

    // F1 opens the help, which no button of the window offers.
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { showDialog(dialogs_.help); });

    refreshProject();
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

FButton* TFFenwarpFirmWare::addButton(const char* name, const char* caption, bool shown) {
    auto* button = new FButton(name, caption, this);
    button->setVisible(shown);
    return button;
}

void TFFenwarpFirmWare::refreshProject() {
    captionBar_->setText(qstr(session_.workspace.caption()));
    openExcel_->setInitialDir(fromPath(session_.context().project_dir));
}

void TFFenwarpFirmWare::showDialog(QDialog* dialog) {
    if (dialog != nullptr) dialog->exec();
}

void TFFenwarpFirmWare::btn_str_lng1aClick(QDialog* dialog) {
    if (!session_.workspace.project_valid()) {
        messages_.show("Project not valid");
        return;
    }
    showDialog(dialog);
}

void TFFenwarpFirmWare::NewaClick() {
    if (dialogs_.newProject == nullptr) return;
    dialogs_.newProject->setMode(TFsaveproj::Mode::NewProject);
    session_.new_project.destination = session_.context().projects_dir;
    // On OK the dialog has made the new project current; otherwise the
    // project stays and only the caption loses its name.
    if (dialogs_.newProject->exec() != QDialog::Accepted) session_.workspace.show_bare_prefix();
    refreshProject();
}

void TFFenwarpFirmWare::OpenaClick() {
    const QString preselect = fromPath(session_.workspace.prepare_open());
    const QString root = fromPath(session_.context().projects_dir);
    std::optional<QString> chosen =
        folderPicker_(this, "Select directory of project", root, preselect);
    session_.workspace.open_project(chosen ? std::optional<std::filesystem::path>(toPath(*chosen))
                                           : std::nullopt);
    refreshProject();
}

namespace {

// The busy cursor stays while the compile blocks the window, however it ends.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

// The firmware dialog opens only when every bank file and the listing hold
// this compile: an old bank must never be patched into the image. Before the
// compile the check's findings are shown, and the update goes on only by the
// user's answer; what the user mends meanwhile is checked again.
void TFFenwarpFirmWare::CreateBinaClick() {
    const std::filesystem::path& project = session_.context().project_dir;
    if (!fenwarp::require_project(project, messages_)) return;
    if (fenwarp::ProjectContext::board_variant == 2) {
        labelstate_->setText("Wait..");
        QCoreApplication::processEvents();
        fenwarp::CheckAnswer answer = fenwarp::CheckAnswer::NotAsked;
        fenwarp::UpdateDeviceResult result;
        for (;;) {
            {
                BusyCursor busy;
                result = fenwarp::update_device(project, session_.banks, messages_, answer);
            }
            if (!result.stopped_by_check) break;
            if (!askAboutFindings(result)) {
                labelstate_->setText("--");
                return;
            }
            answer = session_.findings.update_answer();
        }
        labelstate_->setText("--");
        if (!result.every_file_written()) return;
    }
    showDialog(dialogs_.firmware);
}

bool TFFenwarpFirmWare::askAboutFindings(const fenwarp::UpdateDeviceResult& result) {
    if (dialogs_.check == nullptr) return false;
    session_.findings.show(session_.context().project_dir, result.check);
    return dialogs_.check->exec() == QDialog::Accepted;
}

void TFFenwarpFirmWare::openFinding(const fenwarp::FindingTarget& target) {
    QDialog* dialog = nullptr;
    switch (target.dialog) {
        case fenwarp::FindingDialog::Pargen:
            dialog = dialogs_.pargen;
            break;
        case fenwarp::FindingDialog::Sdo:
            dialog = dialogs_.sdo;
            break;
        case fenwarp::FindingDialog::Pdo:
            dialog = dialogs_.pdo;
            break;
        case fenwarp::FindingDialog::StoredPdo:
            dialog = dialogs_.infoPdo;
            break;
        case fenwarp::FindingDialog::Emcy:
            dialog = dialogs_.emcy;
            break;
        case fenwarp::FindingDialog::EmcyWord:
            dialog = dialogs_.emcyWord;
            break;
        case fenwarp::FindingDialog::None:
            break;
    }
    if (dialog == nullptr) return;
    // Once the dialog is up and has loaded its document.
    QTimer::singleShot(0, dialog, [dialog, target] { locateRecord(dialog, target); });
    showDialog(dialog);
}

void TFFenwarpFirmWare::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QString TFFenwarpFirmWare::caption() const {
    return captionBar_->text();
}

bool TFFenwarpFirmWare::eventFilter(QObject* watched, QEvent* event) {
    if (watched == captionBar_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFFenwarpFirmWare::closeEvent(QCloseEvent* event) {
    // A project name that cannot be remembered is said, and the program ends
    // all the same: closing the main window always ends it.
    try {
        session_.workspace.close();
    } catch (const std::exception& e) {
        messages_.show(e.what(), fenwarp::MessageKind::Error);
    }
    event->accept();
    QCoreApplication::quit();
}
