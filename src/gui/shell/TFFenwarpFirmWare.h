#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/banks/update_device.h"
#include "core/check/findings_list.h"
#include "core/messages.h"
#include "core/shell/session.h"
#include "gui/shell/open_excel.h"

class FButton;
class TFsaveproj;
class QDialog;

// The main window: the project workspace and the way to every dialog.
class TFFenwarpFirmWare : public QWidget {
    Q_OBJECT
  public:
    // The dialogs the buttons open; created after the main window.
    struct Dialogs {
        TFsaveproj* newProject = nullptr;
        QDialog* help = nullptr;  // F1: no button opens it
        QDialog* about = nullptr;
        QDialog* firmware = nullptr;
        QDialog* pargen = nullptr;
        QDialog* sdo = nullptr;
        QDialog* pdo = nullptr;
        QDialog* emcy = nullptr;
        QDialog* emcyWord = nullptr;
        QDialog* infoPdo = nullptr;
        QDialog* check = nullptr;  // the check's findings, before Update Device compiles
    };
    // Asks for a folder: title, root the user cannot leave, preselected folder.
    using FolderPicker = std::function<std::optional<QString>(
        QWidget* parent, const QString& title, const QString& root, const QString& preselect)>;

    TFFenwarpFirmWare(fenwarp::Session& session, fenwarp::Messages& messages,
                      QWidget* parent = nullptr);

    void setDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }
    OpenExcel& openExcel() { return *openExcel_; }
    void setFolderPicker(FolderPicker picker) { folderPicker_ = std::move(picker); }
    // The caption the window shows in its caption bar.
    QString caption() const;
    // Opens the dialog of a finding's document at its record.
    void openFinding(const fenwarp::FindingTarget& target);

  public slots:
    void NewaClick();
    void OpenaClick();
    void CreateBinaClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FButton* addButton(const char* name, const char* caption, bool shown);
    void btn_str_lng1aClick(QDialog* dialog);
    void showDialog(QDialog* dialog);
    void refreshProject();
    bool askAboutFindings(const fenwarp::UpdateDeviceResult& result);

    fenwarp::Session& session_;
    fenwarp::Messages& messages_;
    Dialogs dialogs_;
    OpenExcel* openExcel_;
    QLabel* captionBar_ = nullptr;
    QLabel* labelstate_ = nullptr;
    FolderPicker folderPicker_;
};
