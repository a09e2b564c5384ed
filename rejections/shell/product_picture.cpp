#include "product_picture.h"

#include <QColor>
#include <QFont>
#include <QPainter>

namespace shell {

QPixmap productPicture(const QString& product, int size) {
    QPixmap picture(size, size);
    picture.fill(QColor(0, 64, 128));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 204, 0), size / 16));
    painter.drawEllipse(size / 8, size / 8, size * 3 / 4, size * 3 / 4);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size / 2);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, product.left(1));
    return picture;
}

}  // namespace shell
