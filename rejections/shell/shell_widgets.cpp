#include "shell_widgets.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPainter>

#include "controls.h"
#include "placement.h"

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

QLabel* fixedLabel(const char* name, QWidget* parent, const QString& text, int left, int top,
                   int width, int height) {
    auto* control = forms::control<QLabel>(name, parent);
    control->setText(text);
    control->setWordWrap(true);
    forms::placeTwips(control, left, top, width, height);
    return control;
}

}  // namespace shell
