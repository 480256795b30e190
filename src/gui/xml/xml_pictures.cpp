#include "gui/xml/xml_pictures.h"

#include <QPainter>

namespace {

constexpr int side = 16;

// Document, element, attribute, processing instruction, declaration.
const char* const kind_colours[] = {"#4a6f96", "#2e8b57", "#c07a1e", "#7a4fa0", "#808080"};

void drawKind(QPainter& painter, int kind, const QColor& fill) {
    painter.setBrush(fill);
    switch (kind) {
        case 0:  // a page with a folded corner
            painter.drawPolygon(QPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}}));
            break;
        case 1:  // angle brackets round a box
            painter.drawRoundedRect(QRect(2, 3, 12, 10), 2, 2);
            break;
        case 2:  // a tag
            painter.drawPolygon(QPolygon({{1, 8}, {5, 3}, {14, 3}, {14, 13}, {5, 13}}));
            break;
        case 3:  // a diamond
            painter.drawPolygon(QPolygon({{8, 1}, {15, 8}, {8, 15}, {1, 8}}));
            break;
        default:  // a circle
            painter.drawEllipse(QRect(2, 2, 12, 12));
            break;
    }
}

QPixmap draw(int kind, bool selected) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour(kind_colours[kind]);
    painter.setPen(QPen(colour.darker(150), 1));
    drawKind(painter, kind, selected ? colour.lighter(140) : colour);
    if (selected) {
        painter.setPen(QPen(Qt::white, 2));
        painter.drawLine(5, 8, 7, 10);
        painter.drawLine(7, 10, 11, 5);
    }
    return pixmap;
}

}  // namespace

XmlPictures::XmlPictures(QObject* parent) : QObject(parent) {
    setObjectName("IiXml");
    for (int kind = 0; kind < 5; ++kind) {
        pictures_.push_back(draw(kind, false));
        pictures_.push_back(draw(kind, true));
    }
}

QIcon XmlPictures::icon(int image, int selected) const {
    QIcon result;
    if (image >= 0 && image < count()) result.addPixmap(picture(image), QIcon::Normal);
    if (selected >= 0 && selected < count()) result.addPixmap(picture(selected), QIcon::Selected);
    return result;
}
