#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// The main window's workbook picker shared by every table import: filters
// "File EXCEL (*.xls)" first, then .xlsx, .ods and all three, starting in the
// project directory. The import tells the format by the file's content.
class OpenExcel : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* filter =
        "File EXCEL (*.xls);;Excel workbook (*.xlsx);;OpenDocument spreadsheet (*.ods);;"
        "All workbooks (*.xls *.xlsx *.ods)";
    using Chooser = std::function<std::optional<QString>(QWidget* parent, const QString& dir)>;

    explicit OpenExcel(QObject* parent = nullptr);

    void setInitialDir(const QString& dir) { initialDir_ = dir; }
    QString initialDir() const { return initialDir_; }

    // The chosen workbook, or nothing when the user cancelled.
    std::optional<QString> choose(QWidget* parent) const;

    // Tests put a chooser of their own in place of the file dialog.
    void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }

  private:
    QString initialDir_;
    Chooser chooser_;
};
