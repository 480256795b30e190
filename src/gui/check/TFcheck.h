#pragma once

#include <QDialog>
#include <functional>

#include "core/check/findings_list.h"
#include "core/shell/session.h"

class QLabel;
class QPushButton;
class QTableWidget;

// "Check before update": the findings of the project's check, shown by Update
// Device before it compiles; a view over the session's findings list. The
// update goes on only through its button ("Update anyway" when there are
// errors); activating a finding opens its document's dialog at the record.
class TFcheck : public QDialog {
    Q_OBJECT
  public:
    // Opens the dialog of a finding's document at its record.
    using Opener = std::function<void(const fenwarp::FindingTarget& target)>;

    TFcheck(fenwarp::Session& session, QWidget* parent = nullptr);
    void setOpener(Opener opener) { opener_ = std::move(opener); }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fill();
    void LFindingsActivate(int row);

    fenwarp::Session& session_;
    Opener opener_;
    QLabel* summary_;
    QTableWidget* list_;
    QPushButton* update_;
    QPushButton* cancel_;
};
