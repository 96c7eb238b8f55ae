#include "customers/gift_certificate.h"

#include "common/pass_over.h"
#include "common/window_helpers.h"
#include "platform/print/printer.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

QV_REGISTER_WINDOW_AS(GiftCertificate, "Form4");

GiftCertificate::GiftCertificate(QWidget* parent) : qv::Window(parent)
{
    setWindowTitle(QStringLiteral("Gift Certificates"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setTwipsSize(10785, 4665);

    certificateImage = new QLabel(this);
    certificateImage->setObjectName(QStringLiteral("Image1"));
    certificateImage->setPixmap(QPixmap::fromImage(certificatePicture()));
    qv::place(certificateImage, 1200, 240, 8550, 4095);

    printButton = new QPushButton(QStringLiteral("Print"), this);
    printButton->setObjectName(QStringLiteral("Command1"));
    printButton->setStyleSheet(QStringLiteral("background-color: white;"));
    qv::place(printButton, 10200, 0, 495, 375);
    onClick(printButton, [this] { printCertificate(); });
}

void GiftCertificate::formLoad()
{
    makeTopMost(this);
}

void GiftCertificate::printCertificate()
{
    qv::Printer& printer = qv::printer();
    bool chosen = false;
    passOver([&] { chosen = qv::choosePrinter(); });
    passOver([&] { printer.setPrintQuality(qv::PrintQuality::High); });
    if (chosen) {
        passOver([&] {
            printer.setFontBold(true);
            printer.setFontName(QStringLiteral("Arial"));
            printer.setFontSize(10);
        });
        passOver([&] { printer.print(); });
        printButton->setVisible(false);
        // The window as it appears, without its button, at screen size
        // (a pixel is 15 twips) below the empty line.
        passOver([&] {
            const QImage shot = grab().toImage();
            printer.paintPicture(shot, 0, printer.currentY(), qv::twips(width()), qv::twips(height()));
        });
    }
    passOver([&] { printer.endDoc(); });
    printButton->setVisible(true);
}

QImage GiftCertificate::certificatePicture()
{
    const int w = 570, h = 273;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QColor gold(196, 150, 48), deep(128, 20, 60), rose(236, 196, 206), cream(255, 250, 238);

    // The rounded frame: an outer gold band and a thin inner line.
    QPainterPath frame;
    frame.addRoundedRect(QRectF(8, 30, w - 16, h - 38), 22, 22);
    p.fillPath(frame, cream);
    p.setPen(QPen(gold, 6));
    p.drawPath(frame);
    p.setPen(QPen(deep, 1.5));
    p.drawRoundedRect(QRectF(18, 40, w - 36, h - 58), 16, 16);

    // Corner flourishes.
    p.setPen(Qt::NoPen);
    p.setBrush(rose);
    for (QPointF c : {QPointF(34, 56), QPointF(w - 34, 56), QPointF(34, h - 34), QPointF(w - 34, h - 34)})
        p.drawEllipse(c, 9, 9);
    p.setBrush(gold);
    for (QPointF c : {QPointF(34, 56), QPointF(w - 34, 56), QPointF(34, h - 34), QPointF(w - 34, h - 34)})
        p.drawEllipse(c, 4, 4);

    // The ribbon banner over the frame: two folded tails and the band.
    const QRectF band(w / 2.0 - 170, 8, 340, 44);
    p.setBrush(deep.darker(130));
    QPolygonF leftTail({band.bottomLeft() + QPointF(-40, -4), band.bottomLeft() + QPointF(20, -4),
                        band.topLeft() + QPointF(20, 14), band.topLeft() + QPointF(-40, 14),
                        band.topLeft() + QPointF(-24, 24)});
    QPolygonF rightTail({band.bottomRight() + QPointF(40, -4), band.bottomRight() + QPointF(-20, -4),
                         band.topRight() + QPointF(-20, 14), band.topRight() + QPointF(40, 14),
                         band.topRight() + QPointF(24, 24)});
    p.drawPolygon(leftTail);
    p.drawPolygon(rightTail);
    p.setBrush(deep);
    p.drawRoundedRect(band, 6, 6);
    p.setPen(QPen(gold, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(band.adjusted(4, 4, -4, -4), 4, 4);

    QFont title(QStringLiteral("Serif"));
    title.setPixelSize(26);
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    p.setPen(cream);
    p.drawText(band, Qt::AlignCenter, QStringLiteral("Gift Certificate"));

    // The greeting and the sentence with its blank for the value.
    QFont greeting(QStringLiteral("Serif"));
    greeting.setPixelSize(24);
    greeting.setItalic(true);
    p.setFont(greeting);
    p.setPen(deep);
    p.drawText(QRectF(40, 78, w - 80, 36), Qt::AlignCenter, QStringLiteral("A Gift For You!"));

    QFont body(QStringLiteral("Sans Serif"));
    body.setPixelSize(15);
    p.setFont(body);
    p.setPen(QColor(60, 40, 40));
    p.drawText(QRectF(40, 124, w - 80, 24), Qt::AlignCenter,
               QStringLiteral("This certificate entitles the bearer to salon services"));
    p.drawText(QRectF(40, 152, 250, 24), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("to the value of  $"));
    p.setPen(QPen(QColor(60, 40, 40), 1));
    p.drawLine(QPointF(294, 170), QPointF(440, 170));

    // Lines for the names, written in by hand.
    QFont small(QStringLiteral("Sans Serif"));
    small.setPixelSize(12);
    p.setFont(small);
    p.drawText(QRectF(60, 196, 40, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("To:"));
    p.drawLine(QPointF(92, 212), QPointF(260, 212));
    p.drawText(QRectF(300, 196, 50, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("From:"));
    p.drawLine(QPointF(344, 212), QPointF(510, 212));
    p.end();
    return image;
}
