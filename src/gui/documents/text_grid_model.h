#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include "core/documents/text_grid.h"

// A table model over one of the core's text grids. The grid's heading row is
// not shown as a row: the view's header shows `headings` instead. The first
// `fixedColumns` columns are read-only.
class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    TextGridModel(fenwarp::TextGrid& grid, QStringList headings, int fixedColumns,
                  QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Shows what the core grid holds now, after the core changed it.
    void reload();

  private:
    static constexpr int headingRows = 1;

    fenwarp::TextGrid& grid_;
    QStringList headings_;
    int fixedColumns_;
};
