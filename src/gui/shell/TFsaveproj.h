#pragma once

#include <QDialog>
#include <QString>

#include "core/messages.h"
#include "core/shell/session.h"

class QLabel;
class QLineEdit;

// The one-line dialog of two uses: naming a new project ("New project") and
// editing a text for the XML tree editor ("Edit XML"). The caller sets the
// mode before each showing.
class TFsaveproj : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { NewProject = 0, EditText = 1 };

    TFsaveproj(fenwarp::Session& session, fenwarp::Messages& messages, QWidget* parent = nullptr);

    void setMode(Mode mode) { mode_ = mode; }
    Mode mode() const { return mode_; }
    // The field's text: filled by an editing caller, read back after OK.
    void setText(const QString& text);
    QString text() const;

  public slots:
    void done(int result) override;  // FormCloseQuery: closes exactly when may close
    void reject() override;          // Esc and the title bar's close act as Cancel

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();

    fenwarp::Session& session_;
    fenwarp::Messages& messages_;
    Mode mode_ = Mode::NewProject;
    bool mayClose_ = false;
    QString typedName_;
    QLabel* label1_;
    QLineEdit* edit1_;
};
