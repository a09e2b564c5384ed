#include "rating_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace forms {

// Pictures.

Picture::Picture(const QPixmap& bitmap) : bitmap_(std::make_shared<const QPixmap>(bitmap)) {}

QPixmap Picture::bitmap() const {
    return bitmap_ ? *bitmap_ : QPixmap();
}

namespace {

const QColor kFrame(110, 110, 110);
const QColor kGreen(40, 150, 70);
const QColor kRed(200, 50, 45);

}  // namespace

Picture drawRatingPicture(Rating rating) {
    QPixmap bitmap(47, 23);
    bitmap.fill(Qt::white);
    QPainter p(&bitmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kFrame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 46, 22));
    switch (rating) {
        case Rating::Blanco:
            // An empty box: not rated yet.
            break;
        case Rating::Bien: {
            // A green check mark.
            QPainterPath mark;
            mark.moveTo(16, 11.5);
            mark.lineTo(21, 17);
            mark.lineTo(31, 5);
            p.setPen(QPen(kGreen, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(mark);
            break;
        }
        case Rating::Mal:
            // A red cross.
            p.setPen(QPen(kRed, 3.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(18, 5), QPointF(29, 18));
            p.drawLine(QPointF(29, 5), QPointF(18, 18));
            break;
    }
    p.end();
    return Picture(bitmap);
}

// The image control.

Image::Image(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void Image::setPicture(const Picture& picture) {
    if (picture == picture_)
        return;
    picture_ = picture;
    updateGeometry();
    update();
}

QSize Image::sizeHint() const {
    return picture_.isNull() ? QSize(0, 0) : picture_.bitmap().size();
}

void Image::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, picture_.bitmap());
}

void Image::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Image::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

}  // namespace forms
