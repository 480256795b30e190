#include "gui/shell/folder_picker.h"

#include <QDir>
#include <QFileDialog>
#include <QUrl>

namespace {

bool isUnder(const QString& folder, const QString& root) {
    const QString clean = QDir::cleanPath(folder);
    const QString base = QDir::cleanPath(root);
    return clean == base || clean.startsWith(base + '/');
}

}  // namespace

std::optional<QString> pickFolderUnder(QWidget* parent, const QString& title, const QString& root,
                                       const QString& preselect) {
    QFileDialog dialog(parent, title);
    dialog.setObjectName("FolderPicker");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setSidebarUrls({QUrl::fromLocalFile(root)});
    dialog.setDirectory(isUnder(preselect, root) && QDir(preselect).exists() ? preselect : root);
    // Wherever the user goes, the tree stays below the root.
    QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog, [&](const QString& dir) {
        if (!isUnder(dir, root)) dialog.setDirectory(root);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = QDir::cleanPath(dialog.selectedFiles().first());
    if (!isUnder(chosen, root)) return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}
