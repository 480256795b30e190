#include "gui/documents/text_grid_model.h"

#include <QBrush>
#include <QColor>

#include "gui/qt_messages.h"

TextGridModel::TextGridModel(fenwarp::TextGrid& grid, QStringList headings, int fixedColumns,
                             QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      headings_(std::move(headings)),
      fixedColumns_(fixedColumns) {}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || grid_.rows() < headingRows) return 0;
    return static_cast<int>(grid_.rows()) - headingRows;
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.columns());
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return qstr(grid_.cell(static_cast<std::size_t>(index.row() + headingRows),
                               static_cast<std::size_t>(index.column())));
    }
    if (role == Qt::BackgroundRole && index.column() < fixedColumns_) {
        return QBrush(QColor("#dde3ea"));
    }
    return {};
}

bool TextGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() < fixedColumns_) return false;
    grid_.set_cell(static_cast<std::size_t>(index.row() + headingRows),
                   static_cast<std::size_t>(index.column()), sstr(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() < fixedColumns_) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headings_.size()) {
        return headings_.at(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TextGridModel::reload() {
    beginResetModel();
    endResetModel();
}
