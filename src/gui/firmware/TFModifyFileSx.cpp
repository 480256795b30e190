#include "gui/firmware/TFModifyFileSx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <limits>

#include "gui/qt_messages.h"
#include "gui/shell/folder_picker.h"
#include "gui/widgets/bordered_panel.h"
#include "gui/widgets/fbutton.h"

namespace {

std::optional<QString> chooseFile(QWidget* parent, const QString& dir, const QString& filter) {
    QString file = QFileDialog::getOpenFileName(parent, QString(), dir, filter);
    if (file.isEmpty()) return std::nullopt;
    return file;
}

}  // namespace

TFModifyFileSx::TFModifyFileSx(fenwarp::Session& session, fenwarp::Messages& messages,
                               QWidget* parent)
    : QDialog(parent),
      session_(session),
      messages_(messages),
      folderPicker_(pickFolderUnder),
      openDialogSx_(chooseFile) {
    setObjectName("TFModifyFileSx");
    setWindowTitle("Generate Firmware");
    auto* layout = new QVBoxLayout(this);
    auto* panel = new BorderedPanel("Panel1", this);
    auto* main = new QVBoxLayout(panel);
    layout->addWidget(panel);

    avanzamento_ = new QProgressBar(panel);
    avanzamento_->setObjectName("Avanzamento");
    main->addWidget(avanzamento_);
    auto* row = new QHBoxLayout;
    cbport_ = new QComboBox(panel);
    cbport_->setObjectName("cbport");
    for (int i = 1; i <= fenwarp::FirmwareEditor::port_count; ++i)
        cbport_->addItem(QString("COM%1").arg(i));
    lbButton2_ = new FButton("LbButton2", "Execute update firmware", panel);
    auto* close = new FButton("LbButton1", "X", panel);
    row->addWidget(cbport_);
    row->addWidget(lbButton2_);
    row->addWidget(close);
    main->addLayout(row);
    main->addWidget(makeBankPanel());

    // Reached only through code: the user sees progress, port, Execute and X.
    options_ = new FButton("Options", "Options>>", panel);
    auto* openFile = new FButton("OpenFile", "Open Firmware", panel);
    exeModFileSx_ = new FButton("ExeModFileSx", "Execute Modify File Sx", panel);
    auto* exeUpdateFir = new FButton("ExeUpdateFir", "Execute update firmware", panel);
    auto* label3 = new QLabel("Name new Firmware:", panel);
    label3->setObjectName("Label3");
    newFileSx_ = new QLineEdit(panel);
    newFileSx_->setObjectName("NewFileSx");
    for (QWidget* hidden :
         {static_cast<QWidget*>(options_), static_cast<QWidget*>(openFile),
          static_cast<QWidget*>(exeModFileSx_), static_cast<QWidget*>(exeUpdateFir),
          static_cast<QWidget*>(label3), static_cast<QWidget*>(newFileSx_)}) {
        main->addWidget(hidden);
        hidden->setVisible(false);
    }

    connect(lbButton2_, &QPushButton::clicked, this, &TFModifyFileSx::LbButton2Click);
    connect(close, &QPushButton::clicked, this, &TFModifyFileSx::LbButton1Click);
    connect(options_, &QPushButton::clicked, this, &TFModifyFileSx::OptionsClick);
    connect(openFile, &QPushButton::clicked, this, &TFModifyFileSx::OpenFileClick);
    connect(dirFileBin_, &QPushButton::clicked, this, &TFModifyFileSx::DirFileBinClick);
    connect(exeModFileSx_, &QPushButton::clicked, this, &TFModifyFileSx::ExeModFileSxClick);
    connect(exeUpdateFir, &QPushButton::clicked, this, &TFModifyFileSx::ExeUpdateFirClick);
    connect(newFileSx_, &QLineEdit::textChanged, this, &TFModifyFileSx::NewFileSxChange);
    connect(cbport_, &QComboBox::currentIndexChanged, this,
            [this](int index) { session_.firmware.port = index; });
    showState();
}

QWidget* TFModifyFileSx::makeBankPanel() {
    auto* holder = new QWidget(this);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    gbBank_ = new BorderedPanel("GbBank", holder);
    auto* boxes = new QVBoxLayout(gbBank_);
    for (std::size_t i = 0; i < cbbank_.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        cbbank_[i] = new QCheckBox(QString("Bank %1").arg(number), gbBank_);
        cbbank_[i]->setObjectName(QString("Cbbank%1").arg(number));
        boxes->addWidget(cbbank_[i]);
        connect(cbbank_[i], &QCheckBox::toggled, this,
                [this, i](bool on) { session_.firmware.boxes[i].checked = on; });
    }
    dirFileBin_ = new FButton("DirFileBin", "Directory File Bin", holder);
    row->addWidget(gbBank_);
    row->addWidget(dirFileBin_, 0, Qt::AlignTop);
    return holder;
}

void TFModifyFileSx::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFModifyFileSx::FormShow() {
    placeOnScreen();
    session_.firmware.show(session_.context(), messages_);
    showState();
}

// Centred across the screen, its lower edge on the screen's middle line.
void TFModifyFileSx::placeOnScreen() {
    const QRect area = screen()->geometry();
    move(area.left() + area.width() / 2 - width() / 2, area.top() + area.height() / 2 - height());
}

void TFModifyFileSx::showState() {
    const fenwarp::FirmwareEditor& editor = session_.firmware;
    for (std::size_t i = 0; i < cbbank_.size(); ++i) {
        cbbank_[i]->setChecked(editor.boxes[i].checked);
        cbbank_[i]->setVisible(editor.boxes[i].visible);
        cbbank_[i]->setStyleSheet(editor.boxes[i].red ? "background-color: red;" : "");
    }
    gbBank_->setVisible(editor.options_shown);
    dirFileBin_->setVisible(editor.options_shown);
    options_->setText(qstr(editor.options_caption()));
    cbport_->setCurrentIndex(editor.port);
    lbButton2_->setEnabled(editor.execute_enabled);
    exeModFileSx_->setEnabled(editor.patch_enabled);
    if (newFileSx_->text() != qstr(editor.output_name))
        newFileSx_->setText(qstr(editor.output_name));
    showProgress(editor.progress);
}

// Repaints the bar while the patch runs; user input waits for the end, so
// nothing starts a second patch meanwhile.
void TFModifyFileSx::showProgress(const fenwarp::Progress& progress) {
    // The patch counts the template's bytes; a bar holds an int.
    const long scale = progress.maximum / std::numeric_limits<int>::max() + 1;
    avanzamento_->setMaximum(static_cast<int>(progress.maximum / scale));
    avanzamento_->setValue(static_cast<int>(progress.value / scale));
    if (session_.firmware.patch_enabled) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

template <typename Operation>
void TFModifyFileSx::running(Operation operation) {
    exeModFileSx_->setEnabled(false);
    try {
        operation([this](const fenwarp::Progress& p) { showProgress(p); });
    } catch (...) {
        showState();
        throw;
    }
    showState();
}

void TFModifyFileSx::ExeModFileSxClick() {
    running([this](const fenwarp::ProgressFn& progress) {
        session_.firmware.patch(messages_, progress);
    });
}

void TFModifyFileSx::ExeUpdateFirClick() {
    session_.firmware.launch(session_.context(), messages_);
}

// Patch, then launch, but only an image this run made.
void TFModifyFileSx::LbButton2Click() {
    running([this](const fenwarp::ProgressFn& progress) {
        session_.firmware.execute(session_.context(), messages_, progress);
    });
}

void TFModifyFileSx::LbButton1Click() {
    reject();
}

void TFModifyFileSx::OpenFileClick() {
    const auto& context = session_.context();
    std::optional<QString> chosen = openDialogSx_(
        this, fromPath(session_.firmware.open_firmware_folder(context)), "File Sx (*.Sx)");
    if (!chosen) return;
    session_.firmware.open_firmware(context, toPath(*chosen));
    showState();
}

void TFModifyFileSx::DirFileBinClick() {
    const QString root = fromPath(session_.context().project_dir);
    std::optional<QString> chosen = folderPicker_(this, "Select Directory Bin", root, root);
    if (chosen) session_.firmware.choose_bank_dir(toPath(*chosen));
}

void TFModifyFileSx::NewFileSxChange(const QString& text) {
    session_.firmware.set_output_name(sstr(text));
}

void TFModifyFileSx::OptionsClick() {
    session_.firmware.toggle_options();
    showState();
}
