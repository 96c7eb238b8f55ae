#include "common/picture_viewport.h"

#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "platform/values/error.h"

#include <QFileInfo>
#include <QScrollBar>

namespace {
// The bars' range does not follow the picture: any offset up to the largest
// 16-bit value can be asked for, beyond the picture the frame shows its background.
constexpr int kMaxOffset = 32767;
constexpr int kStep = 100;

QScrollBar* makeBar(QWidget* window, const char* name, Qt::Orientation orientation)
{
    auto* bar = new QScrollBar(orientation, window);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, kMaxOffset);
    bar->setSingleStep(kStep);
    bar->setPageStep(kStep);
    bar->setValue(0);
    return bar;
}
} // namespace

PictureViewport::PictureViewport(QWidget* window, qv::TextBox* pathBox)
    : QObject(window)
    , m_pathBox(pathBox)
{
    pictureFrame = new QWidget(window);
    pictureFrame->setObjectName(QStringLiteral("PicArea"));
    pictureFrame->setAutoFillBackground(true);
    pictureBox = new qv::PictureBox(pictureFrame);
    pictureBox->setObjectName(QStringLiteral("PicDest"));
    pictureBox->move(0, 0);
    pictureBox->resize(0, 0);
    horizontalScrollBar = makeBar(window, "HslPicdest", Qt::Horizontal);
    verticalScrollBar = makeBar(window, "VslPicdest", Qt::Vertical);
    // Both the change and the scroll (drag) events shift the picture.
    connect(horizontalScrollBar, &QScrollBar::valueChanged, this, [this] { scrollTo(); });
    connect(verticalScrollBar, &QScrollBar::valueChanged, this, [this] { scrollTo(); });
    connect(horizontalScrollBar, &QScrollBar::sliderMoved, this, [this] { scrollTo(); });
    connect(verticalScrollBar, &QScrollBar::sliderMoved, this, [this] { scrollTo(); });
}

void PictureViewport::place(int left, int top, int width, int height, int hBarTop, int vBarLeft, int barThickness)
{
    qv::place(pictureFrame, left, top, width, height);
    qv::place(horizontalScrollBar, left, hBarTop, width, barThickness);
    qv::place(verticalScrollBar, vBarLeft, top, barThickness, height);
    // The bars lie over the frame's edges.
    horizontalScrollBar->raise();
    verticalScrollBar->raise();
}

void PictureViewport::scrollTo()
{
    // The values are offsets in twips.
    const qint16 across = qint16(horizontalScrollBar->sliderPosition());
    const qint16 down = qint16(verticalScrollBar->sliderPosition());
    pictureBox->move(-qv::px(across), -qv::px(down));
}

void PictureViewport::showPicture()
{
    pictureBox->setVisible(true);
    const QString path = m_pathBox->text();
    if (path.isEmpty()) {
        clearPicture();
        return;
    }
    if (!pictureBox->loadPicture(path)) {
        clearPicture();
        if (!QFileInfo::exists(path))
            throw qv::Error(QStringLiteral("File not found: '%1'").arg(path), 53);
        throw qv::Error(QStringLiteral("Invalid picture: '%1'").arg(path), 481);
    }
    pictureBox->adjustSize();
    scrollTo();
}

void PictureViewport::clearPicture()
{
    pictureBox->clearPicture();
    pictureBox->resize(0, 0);
}

QString PictureViewport::fileFilter()
{
    // PNG, the pictures most cameras and telephones hand over today, beside
    // JPEG and bitmaps.
    return QStringLiteral("Image Files (*.jpg;*.jpe;*.jpeg;*.bmp;*.png)|*.jpg;*.jpe;*.jpeg;*.bmp;*.png|")
        + QStringLiteral("JPEG Files (*.jpg;*.jpe;*.jpeg)|*.jpg;*.jpe;*.jpeg|") + QStringLiteral("Bitmap Files (*.bmp)|*.bmp");
}

bool PictureViewport::insertPicture()
{
    const QString chosen = qv::ui().openFileDialog(QString(), fileFilter(), QString());
    if (chosen.isEmpty())
        return false;
    // A file that is no picture still gives its path to the record, as the
    // user chose it; the frame simply stays empty.
    if (pictureBox->loadPicture(chosen)) {
        pictureBox->setVisible(true);
        pictureBox->adjustSize();
        scrollTo();
    } else {
        clearPicture();
    }
    m_pathBox->setBoxText(chosen);
    return true;
}

void PictureViewport::deletePicture(qv::Recordset* recordset)
{
    auto passOver = [](auto&& step) {
        try {
            step();
        } catch (const std::exception&) {
        }
    };
    clearPicture();
    m_pathBox->setBoxText(QString());
    passOver([&] {
        if (recordset)
            recordset->updateBatch();
    });
    passOver([&] {
        if (recordset && !recordset->eof()) {
            recordset->move(0);
            showPicture();
        }
    });
}

QImage PictureViewport::picture() const
{
    if (pictureBox->pixmap().isNull())
        return QImage();
    // The frame shows only a corner of a large picture; the cards print it
    // whole, 2500 twips square: no more than 2500 pixels a side even at
    // 1440 dots an inch.
    return qv::readPicture(pictureBox->picturePath(), QSize(2500, 2500), qv::PictureRead::Fit);
}
