#include "shell/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace shell {

namespace {

QPixmap blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap logoPicture(int width, int height)
{
    QPixmap pixmap = blank(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0x6a, 0x2c, 0x70));
    sky.setColorAt(1, QColor(0xf0, 0x8a, 0x9c));
    p.setBrush(sky);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, width, height), 10, 10);

    // A pair of scissors.
    p.setPen(QPen(Qt::white, qMax(2, width / 30)));
    p.setBrush(Qt::NoBrush);
    const double r = qMin(width, height) * 0.14;
    const QPointF a(width * 0.30, height * 0.70), b(width * 0.52, height * 0.74);
    p.drawEllipse(a, r, r);
    p.drawEllipse(b, r, r);
    p.drawLine(a + QPointF(r * 0.6, -r * 0.8), QPointF(width * 0.82, height * 0.18));
    p.drawLine(b + QPointF(-r * 0.1, -r * 1.0), QPointF(width * 0.60, height * 0.12));
    return pixmap;
}

QPixmap bookPicture(int size)
{
    QPixmap pixmap = blank(size, size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double m = size * 0.12;
    QRectF left(m, m, size / 2.0 - m, size - 2 * m), right(size / 2.0, m, size / 2.0 - m, size - 2 * m);
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x1a), qMax(1, size / 24)));
    p.setBrush(QColor(0xfb, 0xf6, 0xe9));
    p.drawRect(left);
    p.drawRect(right);
    p.setPen(QPen(QColor(0x8a, 0x8a, 0x8a), 1));
    for (int i = 1; i < 6; ++i) {
        const double y = m + (size - 2 * m) * i / 6.0;
        p.drawLine(QPointF(left.left() + 4, y), QPointF(left.right() - 4, y));
        p.drawLine(QPointF(right.left() + 4, y), QPointF(right.right() - 4, y));
    }
    return pixmap;
}

QPixmap padlockPicture(int size)
{
    QPixmap pixmap = blank(size, size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size * 0.62, h = size * 0.42;
    const QRectF body((size - w) / 2, size * 0.48, w, h);
    p.setPen(QPen(QColor(0x70, 0x70, 0x78), size / 10.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(size * 0.3, size * 0.12, size * 0.4, size * 0.6), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd4, 0xa0, 0x17));
    p.drawRoundedRect(body, 3, 3);
    p.setBrush(QColor(0x40, 0x30, 0x10));
    p.drawEllipse(QPointF(size / 2.0, body.center().y()), size * 0.06, size * 0.06);
    return pixmap;
}

} // namespace shell
