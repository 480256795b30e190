#include "gui/shell/open_excel.h"

#include <QFileDialog>

OpenExcel::OpenExcel(QObject* parent) : QObject(parent) {
    setObjectName("OpenExcel");
}

std::optional<QString> OpenExcel::choose(QWidget* parent) const {
    if (chooser_) return chooser_(parent, initialDir_);
    QString file = QFileDialog::getOpenFileName(parent, QString(), initialDir_, filter);
    if (file.isEmpty()) return std::nullopt;
    return file;
}
