#include "gui/check/record_locator.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

using fenwarp::FindingDialog;
using fenwarp::FindingTarget;

template <typename T>
T* named(QDialog* dialog, const QString& name) {
    return dialog->findChild<T*>(name);
}

// The notebook page that holds the widget becomes the current one.
void showPageOf(QDialog* dialog, QWidget* widget) {
    auto* notebook = dialog->findChild<QTabWidget*>();
    if (notebook == nullptr || widget == nullptr) return;
    for (int i = 0; i < notebook->count(); ++i) {
        if (notebook->widget(i)->isAncestorOf(widget)) notebook->setCurrentIndex(i);
    }
}

int at(const std::optional<std::size_t>& position) {
    return position ? static_cast<int>(*position) : -1;
}

void selectGridRow(QAbstractItemView* grid, int row) {
    if (grid == nullptr || row < 0 || row >= grid->model()->rowCount()) return;
    const QModelIndex index = grid->model()->index(row, 1);
    grid->setCurrentIndex(index);
    grid->scrollTo(index);
    grid->setFocus();
}

void selectListRow(QListWidget* list, int row) {
    if (list == nullptr || row < 0 || row >= list->count()) return;
    list->setCurrentRow(row);
    // The dialogs show an item's record on a click.
    emit list->itemClicked(list->item(row));
    list->setFocus();
}

void selectTreeNode(QTreeWidget* tree, int word, int bit) {
    if (tree == nullptr || word < 0 || word >= tree->topLevelItemCount()) return;
    QTreeWidgetItem* item = tree->topLevelItem(word);
    if (bit >= 0 && bit < item->childCount()) {
        item->setExpanded(true);
        item = item->child(bit);
    }
    tree->setCurrentItem(item);
    tree->scrollToItem(item);
    tree->setFocus();
}

QString sideName(const char* stem, const FindingTarget& target, const char* first,
                 const char* second) {
    return QString(stem) + (target.page.value_or(0) == 0 ? first : second);
}

}  // namespace

void locateRecord(QDialog* dialog, const FindingTarget& target) {
    if (dialog == nullptr) return;
    QWidget* shown = nullptr;
    switch (target.dialog) {
        case FindingDialog::Pargen: {
            static const char* fields[] = {"Edit1", "ComboBox1", "Edit2", "ComboBox2", "Edit3"};
            const int element = at(target.position);
            if (element >= 0 && element < 5) shown = named<QWidget>(dialog, fields[element]);
            if (shown != nullptr && shown->isVisible()) shown->setFocus();
            return;
        }
        case FindingDialog::Sdo:
        case FindingDialog::Pdo: {
            auto* grid = named<QAbstractItemView>(dialog, sideName("sg", target, "a", "b"));
            showPageOf(dialog, grid);
            selectGridRow(grid, at(target.position));
            return;
        }
        case FindingDialog::Emcy: {
            auto* list = named<QListWidget>(dialog, sideName("LBCan", target, "A", "B"));
            showPageOf(dialog, list);
            selectListRow(list, at(target.position));
            return;
        }
        case FindingDialog::EmcyWord: {
            auto* tree = named<QTreeWidget>(dialog, sideName("TWCan", target, "A", "B"));
            showPageOf(dialog, tree);
            selectTreeNode(tree, at(target.position), at(target.sub_position));
            return;
        }
        case FindingDialog::StoredPdo: {
            auto* pdos = named<QListWidget>(dialog, sideName("LPdoCan", target, "A", "B"));
            showPageOf(dialog, pdos);
            selectListRow(pdos, at(target.position));
            selectListRow(named<QListWidget>(dialog, sideName("LSdoCan", target, "A", "B")),
                          at(target.sub_position));
            return;
        }
        case FindingDialog::None:
            return;
    }
}
