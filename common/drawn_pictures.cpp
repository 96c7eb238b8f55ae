#include "common/drawn_pictures.h"

#include <QPainter>

QPixmap drawnPicture(int size, const std::function<void(QPainter& p, double unit)>& draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, size / 24.0);
    return pixmap;
}

QIcon printIcon()
{
    const auto printer = [](QPainter& p, double s) {
        const QColor ink(0x30, 0x30, 0x40);
        // The sheet waiting at the top.
        p.setPen(QPen(ink, qMax(1.0, s)));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7 * s, 2 * s, 10 * s, 7 * s));
        // The printer's body.
        p.setBrush(QColor(0x8a, 0x90, 0x9c));
        p.drawRoundedRect(QRectF(2 * s, 8 * s, 20 * s, 9 * s), 2 * s, 2 * s);
        p.setBrush(QColor(0x4e, 0xa0, 0x58));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(18.5 * s, 11 * s), 1.2 * s, 1.2 * s);
        // The printed sheet coming out, with its lines.
        p.setPen(QPen(ink, qMax(1.0, s)));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6 * s, 14 * s, 12 * s, 8 * s));
        p.setPen(QPen(QColor(0x70, 0x70, 0x90), qMax(1.0, s * 0.8)));
        for (int i = 0; i < 2; ++i)
            p.drawLine(QPointF(8 * s, (17 + 2.5 * i) * s), QPointF(16 * s, (17 + 2.5 * i) * s));
    };
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48})
        icon.addPixmap(drawnPicture(size, printer));
    return icon;
}

QPixmap lampPicture(int size)
{
    return drawnPicture(size, [](QPainter& p, double u) {
        p.setBrush(QColor(255, 230, 80));
        p.setPen(QColor(120, 100, 0));
        p.drawEllipse(QRectF(5 * u, 2 * u, 14 * u, 14 * u));
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(QRectF(9 * u, 16 * u, 6 * u, 5 * u));
    });
}
