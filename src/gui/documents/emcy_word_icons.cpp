#include "gui/documents/emcy_word_icons.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int side = 16;
const QColor ink("#2f4f6f");
const QColor paper("#ffffff");
const QColor marked("#f0c040");

QPixmap blank() {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A word: a row of four cells, as a register of bits, under a bar.
QPixmap wordPixmap(bool selected) {
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setPen(ink);
    painter.setBrush(selected ? marked : paper);
    painter.drawRect(0, 4, side - 1, 8);
    for (int x = 4; x < side - 1; x += 4) painter.drawLine(x, 4, x, 12);
    painter.fillRect(0, 1, side, 2, ink);
    return pixmap;
}

// A bit: one cell; filled while selected.
QPixmap bitPixmap(bool selected) {
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setPen(ink);
    painter.setBrush(selected ? marked : paper);
    painter.drawRect(4, 4, 7, 7);
    if (selected) painter.fillRect(6, 6, 4, 4, ink);
    return pixmap;
}

QIcon icon(QPixmap (*draw)(bool)) {
    QIcon made;
    made.addPixmap(draw(false), QIcon::Normal);
    made.addPixmap(draw(true), QIcon::Selected);
    return made;
}

}  // namespace

QIcon wordNodeIcon() {
    return icon(wordPixmap);
}

QIcon bitNodeIcon() {
    return icon(bitPixmap);
}
