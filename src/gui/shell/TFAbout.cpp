#include "gui/shell/TFAbout.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "gui/widgets/fbutton.h"

namespace {

// A wide logo strip of our own (678 x 83), drawn rather than shipped.
QPixmap logo() {
    QPixmap pixmap(678, 83);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 678, 0);
    band.setColorAt(0, QColor("#1d3246"));
    band.setColorAt(1, QColor("#3f6f9a"));
    painter.setBrush(band);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0, 8, 678, 67), 10, 10);
    painter.setBrush(QColor("#f0c040"));
    for (int i = 0; i < 2; ++i) painter.drawEllipse(QPointF(40 + i * 36, 41), 14, 14);
    painter.setPen(QPen(QColor("#f0c040"), 4));
    painter.drawLine(QPointF(54, 41), QPointF(62, 41));
    painter.setPen(Qt::white);
    QFont font("Sans", 30, QFont::Bold);
    painter.setFont(font);
    painter.drawText(QRectF(110, 8, 560, 67), Qt::AlignVCenter | Qt::AlignLeft, "FENWARP");
    return pixmap;
}

}  // namespace

TFAbout::TFAbout(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("TFAbout");
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setPixmap(logo().scaled(339, 42, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);

    auto* memo = new QLabel("Fenwarp KR40583\n\nVers  2.1", this);
    memo->setObjectName("Memo1");
    memo->setAlignment(Qt::AlignCenter);
    QFont bold = memo->font();
    bold.setBold(true);
    memo->setFont(bold);
    layout->addWidget(memo);

    auto* ok = new FButton("LbButton1", "OK", this);
    ok->setDefault(true);  // Enter closes the box
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setStyleSheet("TFAbout { border: 2px solid #2f4f6f; background: white; }");
}
