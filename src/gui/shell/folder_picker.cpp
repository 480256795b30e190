#include "gui/shell/folder_picker.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

bool isUnder(const QString& folder, const QString& root) {
    return folder == root || folder.startsWith(root + '/');
}

// The item's folder is kept as its tool tip, which shows the full path.
constexpr int pathRole = Qt::ToolTipRole;

// A folder tree whose only top item is the root, in the manner of the
// system's folder browser; each folder lists its subfolders when opened.
// Unlike the file dialog it keeps no sidebar, history or view state anywhere:
// nothing of it outlives its showing.
class FolderPickerDialog : public QDialog {
  public:
    FolderPickerDialog(QWidget* parent, const QString& title, const QString& root)
        : QDialog(parent), root_(root) {
        setObjectName("FolderPicker");
        setWindowTitle(title);
        resize(420, 460);
        tree_ = new QTreeWidget(this);
        tree_->setObjectName("FolderTree");
        tree_->setHeaderHidden(true);
        tree_->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(tree_, &QTreeWidget::itemExpanded, this,
                [this](QTreeWidgetItem* item) { list(item); });
        QTreeWidgetItem* top = folderItem(root);
        top->setText(0, QDir(root).dirName().isEmpty() ? root : QDir(root).dirName());
        tree_->addTopLevelItem(top);
        top->setExpanded(true);

        auto* buttons = new QDialogButtonBox(this);
        buttons->addButton("Choose", QDialogButtonBox::AcceptRole)->setObjectName("Choose");
        buttons->addButton(QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(tree_);
        layout->addWidget(buttons);
    }

    // Selects a folder below the root and opens the branches above it; a
    // folder elsewhere selects nothing.
    void select(const QString& folder) {
        if (!isUnder(folder, root_) || folder == root_) return;
        QTreeWidgetItem* item = tree_->topLevelItem(0);
        for (const QString& name : folder.mid(root_.size() + 1).split('/')) {
            item->setExpanded(true);
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < item->childCount() && next == nullptr; ++i) {
                if (item->child(i)->text(0) == name) next = item->child(i);
            }
            if (next == nullptr) break;
            item = next;
        }
        tree_->setCurrentItem(item);
        tree_->scrollToItem(item);
    }

    // The selected folder; the root when nothing is selected.
    QString chosen() const {
        QTreeWidgetItem* item = tree_->currentItem();
        return item != nullptr ? item->data(0, pathRole).toString() : root_;
    }

  private:
    static QTreeWidgetItem* folderItem(const QString& path) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QFileInfo(path).fileName());
        item->setData(0, pathRole, path);
        const bool hasFolders = !QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty();
        item->setChildIndicatorPolicy(hasFolders ? QTreeWidgetItem::ShowIndicator
                                                 : QTreeWidgetItem::DontShowIndicator);
        return item;
    }

    // Lists a folder's subfolders, once.
    void list(QTreeWidgetItem* item) {
        if (item->childCount() > 0 ||
            item->childIndicatorPolicy() == QTreeWidgetItem::DontShowIndicatorWhenChildless) {
            return;
        }
        const QString path = item->data(0, pathRole).toString();
        const QStringList names =
            QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        for (const QString& name : names) item->addChild(folderItem(path + '/' + name));
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    }

    QString root_;
    QTreeWidget* tree_;
};

}  // namespace

std::optional<QString> pickFolderUnder(QWidget* parent, const QString& title, const QString& root,
                                       const QString& preselect) {
    const QString base = QDir::cleanPath(QDir::fromNativeSeparators(root));
    FolderPickerDialog dialog(parent, title, base);
    dialog.select(QDir::cleanPath(QDir::fromNativeSeparators(preselect)));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return QDir::toNativeSeparators(dialog.chosen());
}
