#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "core/messages.h"
#include "core/shell/session.h"

class FButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QWidget;

// "Generate Firmware": patches the banks into a copy of the firmware image
// and starts the flash writer. A thin view over the session's FirmwareEditor.
class TFModifyFileSx : public QDialog {
    Q_OBJECT
  public:
    // Asks for a folder: title, root the user cannot leave, preselected folder.
    using FolderPicker = std::function<std::optional<QString>(
        QWidget* parent, const QString& title, const QString& root, const QString& preselect)>;
    // Asks for a file to open: start folder and filter (OpenDialogSx).
    using FileChooser = std::function<std::optional<QString>(QWidget* parent, const QString& dir,
                                                             const QString& filter)>;

    TFModifyFileSx(fenwarp::Session& session, fenwarp::Messages& messages,
                   QWidget* parent = nullptr);

    void setFolderPicker(FolderPicker picker) { folderPicker_ = std::move(picker); }
    void setOpenDialogSx(FileChooser chooser) { openDialogSx_ = std::move(chooser); }

  public slots:
    void FormShow();
    void OpenFileClick();
    void DirFileBinClick();
    void NewFileSxChange(const QString& text);
    void OptionsClick();
    void ExeModFileSxClick();
    void ExeUpdateFirClick();
    void LbButton1Click();
    void LbButton2Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* makeBankPanel();
    void placeOnScreen();
    void showState();
    void showProgress(const fenwarp::Progress& progress);
    template <typename Operation>
    void running(Operation operation);

    fenwarp::Session& session_;
    fenwarp::Messages& messages_;
    FolderPicker folderPicker_;
    FileChooser openDialogSx_;
    QProgressBar* avanzamento_;
    QComboBox* cbport_;
    FButton* lbButton2_;
    QWidget* gbBank_;
    std::array<QCheckBox*, 5> cbbank_{};
    FButton* options_;
    FButton* dirFileBin_;
    FButton* exeModFileSx_;
    QLineEdit* newFileSx_;
};
