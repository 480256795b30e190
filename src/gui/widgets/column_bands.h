#pragma once

#include <QWidget>
#include <vector>

class Grid;

// A strip of caption bars standing over groups of a grid's columns. The bars
// follow their columns when the grid scrolls sideways or a column is resized;
// the last bar reaches the grid's right edge. Lay the strip out directly above
// the grid, at the grid's width.
class ColumnBands : public QWidget {
    Q_OBJECT
  public:
    ColumnBands(Grid* grid, QWidget* parent = nullptr);

    // Puts bar over columns first to last; the strip becomes its parent.
    void addBand(QWidget* bar, int first, int last);

    // Places the bars over their columns as the grid shows them now.
    void placeBands();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Band {
        QWidget* bar;
        int first;
        int last;
    };

    Grid* grid_;
    std::vector<Band> bands_;
};
