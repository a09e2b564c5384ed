#include "pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quality {

namespace {

const QColor kInk(40, 60, 90);
const QColor kPaper(250, 250, 245);
const QColor kBlue(60, 120, 200);
const QColor kGreen(40, 150, 70);
const QColor kGold(215, 170, 40);
const QColor kRed(200, 70, 60);

void page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void lines(QPainter& p, qreal left, qreal top, qreal width, int count, qreal step) {
    p.setPen(QPen(kInk.lighter(160), 1.5));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(left + width, top + i * step));
}

void check(QPainter& p, const QPointF& at, qreal size) {
    QPainterPath mark;
    mark.moveTo(at + QPointF(0, size * 0.5));
    mark.lineTo(at + QPointF(size * 0.4, size * 0.9));
    mark.lineTo(at + QPointF(size, 0));
    p.setPen(QPen(kGreen, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
}

void draw(QPainter& p, Picture which) {
    switch (which) {
        case Picture::Generar:
            page(p, {4, 3, 18, 24});
            lines(p, 7, 8, 12, 4, 4);
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kRed);
            p.drawRoundedRect(QRectF(16, 16, 13, 13), 2.5, 2.5);
            p.setBrush(Qt::white);
            p.setPen(Qt::NoPen);
            for (const QPointF& dot :
                 {QPointF(19.5, 19.5), QPointF(22.5, 22.5), QPointF(25.5, 25.5)})
                p.drawEllipse(dot, 1.5, 1.5);
            break;
        case Picture::Ver:
            page(p, {3, 3, 20, 25});
            lines(p, 6, 8, 14, 5, 4);
            p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(24, 24), QPointF(29, 29));
            p.setPen(QPen(kBlue, 2.5));
            p.setBrush(QColor(200, 225, 250, 200));
            p.drawEllipse(QPointF(19, 19), 6, 6);
            break;
        case Picture::Totales:
            page(p, {3, 4, 26, 24});
            p.setPen(QPen(kInk.lighter(140), 1));
            for (int i = 1; i < 4; ++i)
                p.drawLine(QPointF(3, 4 + i * 6), QPointF(29, 4 + i * 6));
            p.drawLine(QPointF(16, 4), QPointF(16, 28));
            p.setPen(QPen(kBlue, 2.5));
            p.drawLine(QPointF(18, 25), QPointF(27, 25));
            break;
        case Picture::Evaluar:
            page(p, {4, 3, 20, 26});
            lines(p, 7, 8, 14, 3, 4);
            check(p, {10, 14}, 18);
            break;
        case Picture::Contrasena:
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kGold);
            p.drawEllipse(QPointF(10, 16), 7, 7);
            p.drawRect(QRectF(16, 14, 13, 4));
            p.drawRect(QRectF(23, 18, 3, 5));
            p.drawRect(QRectF(27, 18, 2, 4));
            p.setBrush(kPaper);
            p.drawEllipse(QPointF(8, 16), 2.5, 2.5);
            break;
        case Picture::Graficas:
            p.setPen(QPen(kInk, 1.5));
            p.drawLine(QPointF(3, 29), QPointF(30, 29));
            p.drawLine(QPointF(3, 29), QPointF(3, 3));
            p.setBrush(kGreen);
            p.drawRect(QRectF(6, 17, 6, 12));
            p.setBrush(kBlue);
            p.drawRect(QRectF(14, 8, 6, 21));
            p.setBrush(kRed);
            p.drawRect(QRectF(22, 13, 6, 16));
            break;
        case Picture::Programa:
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(255, 240, 190));
            p.drawRoundedRect(QRectF(2, 7, 28, 18), 3, 3);
            p.setPen(QPen(kInk, 1, Qt::DashLine));
            p.drawLine(QPointF(9, 8), QPointF(9, 24));
            check(p, {13, 10}, 13);
            break;
    }
}

}  // namespace

QIcon picture(Picture which) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, which);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace quality
