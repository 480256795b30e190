#include "gui/shell/TFFenwarpFirmWare.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QScreen>
#include <QVBoxLayout>

#include "core/banks/update_device.h"
#include "core/shell/project_check.h"
#include "gui/qt_messages.h"
#include "gui/shell/folder_picker.h"
#include "gui/widgets/bordered_panel.h"
#include "gui/widgets/fbutton.h"

TFFenwarpFirmWare::TFFenwarpFirmWare(fenwarp::Session& session, fenwarp::Messages& messages,
                                     QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      session_(session),
      messages_(messages),
      openExcel_(new OpenExcel(this)),
      folderPicker_(pickFolderUnder) {
    setObjectName("TFFenwarpFirmWare");
    auto* layout = new QVBoxLayout(this);
    // The window has no system caption buttons; its caption also stands in a
    // bar of its own, so it reads the same under any window manager.
    captionBar_ = new QLabel(this);
    captionBar_->setObjectName("CaptionBar");
    captionBar_->setAlignment(Qt::AlignCenter);
    captionBar_->setStyleSheet(
        "background: #1d3246; color: white; font-weight: bold; padding: 6px;");
    layout->addWidget(captionBar_);
    auto* panel = new BorderedPanel("Panel1", this);
    auto* buttons = new QVBoxLayout(panel);
    layout->addWidget(panel);

    auto add = [&](const char* name, const char* caption, bool shown) {
        FButton* button = addButton(name, caption, shown);
        buttons->addWidget(button);
        return button;
    };
    connect(add("New", "New project", true), &QPushButton::clicked, this, [] {});
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

    refreshProject();
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

FButton* TFFenwarpFirmWare::addButton(const char* name, const char* caption, bool shown) {
    auto* button = new FButton(name, caption, this);
    button->setVisible(shown);
    return button;
}

void TFFenwarpFirmWare::refreshProject() {
    setWindowTitle(qstr(session_.workspace.caption()));
    captionBar_->setText(windowTitle());
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
// this compile: an old bank must never be patched into the image.
void TFFenwarpFirmWare::CreateBinaClick() {
    const std::filesystem::path& project = session_.context().project_dir;
    if (!fenwarp::require_project(project, messages_)) return;
    if (fenwarp::ProjectContext::board_variant == 2) {
        labelstate_->setText("Wait..");
        QCoreApplication::processEvents();
        fenwarp::UpdateDeviceResult result;
        {
            BusyCursor busy;
            result = fenwarp::update_device(project, session_.banks, messages_);
        }
        labelstate_->setText("--");
        if (!result.every_file_written()) return;
    }
    showDialog(dialogs_.firmware);
}

void TFFenwarpFirmWare::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TFFenwarpFirmWare::closeEvent(QCloseEvent* event) {
    session_.workspace.close();
    event->accept();
    QCoreApplication::quit();  // a tool window does not end the event loop by itself
}
