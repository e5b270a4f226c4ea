#include "setup_common/programicon.h"

#include <QPainter>
#include <QPixmap>

QIcon programIcon()
{
    QIcon icon;
    for (const int size : { 16, 32, 48, 128 }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 48.0, size / 48.0);
        painter.setPen(QPen(QColor(40, 48, 64), 2));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(13, 4, 22, 16));           // paper going in
        painter.setBrush(QColor(70, 110, 170));
        painter.drawRoundedRect(QRectF(4, 16, 40, 20), 4, 4); // body
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(13, 30, 22, 14));          // paper coming out
        painter.setPen(QPen(QColor(120, 130, 150), 1.5));
        painter.drawLine(QPointF(17, 35), QPointF(31, 35));
        painter.drawLine(QPointF(17, 39), QPointF(28, 39));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(120, 220, 120));
        painter.drawEllipse(QPointF(38, 22), 2, 2);
        icon.addPixmap(pixmap);
    }
    return icon;
}
