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

// A folder dialog that never leaves its root: navigating above it returns to
// the root, and a folder outside it cannot be confirmed.
class RootedFolderDialog : public QFileDialog {
  public:
    RootedFolderDialog(QWidget* parent, const QString& title, const QString& root)
        : QFileDialog(parent, title), root_(QDir::cleanPath(root)) {
        setObjectName("FolderPicker");
        setOption(QFileDialog::DontUseNativeDialog);
        setOption(QFileDialog::ShowDirsOnly);
        setFileMode(QFileDialog::Directory);
        setSidebarUrls({QUrl::fromLocalFile(root_)});
        connect(this, &QFileDialog::directoryEntered, this, [this](const QString& dir) {
            if (!isUnder(dir, root_)) setDirectory(root_);
        });
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.isEmpty() || !isUnder(files.first(), root_)) {
            setDirectory(root_);
            return;
        }
        QFileDialog::accept();
    }

  private:
    QString root_;
};

}  // namespace

std::optional<QString> pickFolderUnder(QWidget* parent, const QString& title, const QString& root,
                                       const QString& preselect) {
    RootedFolderDialog dialog(parent, title, root);
    dialog.setDirectory(isUnder(preselect, root) && QDir(preselect).exists() ? preselect : root);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(QDir::cleanPath(dialog.selectedFiles().first()));
}
