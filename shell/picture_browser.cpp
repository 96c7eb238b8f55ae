#include "shell/picture_browser.h"

#include "common/connections.h"
#include "common/window_helpers.h"
#include "platform/forms/controls.h"
#include "platform/forms/file_lists.h"
#include "platform/services/services.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>

QV_REGISTER_WINDOW_AS(PictureBrowser, "ViewerForm");

namespace {

// The left column's width as drawn, in twips (wider when the file-type list
// needs it); the lists keep it whatever the window's size.
constexpr int kColumnWidth = 3000;
constexpr int kGap = 30;
// No list is made lower than this, however low the window.
constexpr int kLowestList = 120;

// Runs one step of the load; whatever goes wrong in it, the next step runs.
template <class Step> void ignoringErrors(Step step)
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

PictureBrowser::PictureBrowser()
{
    setWindowTitle(QStringLiteral("Scroll through the folders to find your picture."));
    setTwipsSize(9600, 7200);

    driveList = new qv::DriveListBox(this);
    driveList->setObjectName(QStringLiteral("drvSelect"));
    qv::place(driveList, kGap, kGap, kColumnWidth, qv::twips(driveList->sizeHint().height()));

    folderList = new qv::DirListBox(this);
    folderList->setObjectName(QStringLiteral("dirSelect"));
    qv::place(folderList, kGap, 420, kColumnWidth, 3045);

    fileList = new qv::FileListBox(this);
    fileList->setObjectName(QStringLiteral("filSelect"));
    qv::place(fileList, kGap, 3495, kColumnWidth, 3045);

    fileTypeList = new QComboBox(this);
    fileTypeList->setObjectName(QStringLiteral("cboPatterns"));
    qv::place(fileTypeList, kGap, 6570, kColumnWidth, qv::twips(fileTypeList->sizeHint().height()));

    pictureBox = new qv::PictureBox(this);
    pictureBox->setObjectName(QStringLiteral("picViewer"));
    pictureBox->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pictureBox->setTextFormat(Qt::PlainText);
    pictureBox->setIndent(0);
    pictureBox->setBackgroundRole(QPalette::Base);
    pictureBox->setAutoFillBackground(true);
    qv::place(pictureBox, kColumnWidth + 2 * kGap, kGap, 4800, 3600);

    pathLabel = new QLabel(this);
    pathLabel->setObjectName(QStringLiteral("Lblpath"));
    qv::place(pathLabel, kColumnWidth + 2 * kGap, 6600, 6300, 285);

    connect(fileTypeList, &QComboBox::currentIndexChanged, this, [this] { guard([this] { filterByFileType(); }); });
    connect(folderList, &qv::DirListBox::pathChanged, this, [this] { guard([this] { listFolderFiles(); }); });
    connect(driveList, &qv::DriveListBox::driveChanged, this, [this] { guard([this] { changeDrive(); }); });
    connect(fileList, &qv::FileListBox::fileClicked, this, [this] { guard([this] { showPickedFile(); }); });
}

void PictureBrowser::formLoad()
{
    ignoringErrors([this] { makeTopMost(this); });
    ignoringErrors([this] { pictureBox->clearPicture(); });
    ignoringErrors([this] {
        // Adding entries must not pick one before its pattern is stored.
        const QSignalBlocker quiet(fileTypeList);
        fileTypeList->clear();
        m_patterns.clear();
        addPattern(QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("*.bmp"));
        addPattern(QStringLiteral("JPG (*.jpg, *.jpeg)"), QStringLiteral("*.jpg;*.jpeg"));
        addPattern(QStringLiteral("Graphic Files (*.bmp, *.jpg, *.jpeg)"), QStringLiteral("*.bmp;*.jpg;*.jpeg"));
        fileTypeList->setCurrentIndex(-1);
    });
    ignoringErrors([this] { fitColumnToPatterns(); });
    ignoringErrors([this] { fileTypeList->setCurrentIndex(0); });
    ignoringErrors([this] { driveList->setDrive(programFolder()); });
    ignoringErrors([this] { folderList->setPath(programFolder()); });
    ignoringErrors([this] { fileList->setPath(programFolder()); });
}

void PictureBrowser::fitColumnToPatterns()
{
    // The file-type list shows its longest entry whole; the drive, folder and
    // file lists above it keep its width, as one column.
    fileTypeList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_columnWidth = std::max(kColumnWidth, qv::twips(fileTypeList->sizeHint().width()));
    qv::place(driveList, kGap, kGap, m_columnWidth, qv::twips(driveList->height()));
    // The path beside the wider column keeps to the window's edge.
    const int pathLeft = qv::px(m_columnWidth + 2 * kGap);
    pathLabel->setGeometry(pathLeft, pathLabel->y(), std::min(pathLabel->width(), width() - pathLeft - qv::px(kGap)),
                           pathLabel->height());
    formResize();
}

void PictureBrowser::addPattern(const QString& description, const QString& pattern)
{
    fileTypeList->addItem(description);
    const int index = fileTypeList->count() - 1;
    while (m_patterns.size() <= index)
        m_patterns.append(QString());
    m_patterns[index] = pattern;
}

void PictureBrowser::filterByFileType()
{
    const int index = fileTypeList->currentIndex();
    if (index >= 0 && index < m_patterns.size())
        fileList->setPattern(m_patterns.at(index));
}

void PictureBrowser::listFolderFiles()
{
    fileList->setPath(folderList->path());
}

void PictureBrowser::changeDrive()
{
    if (m_puttingDriveBack)
        return;
    if (folderList->setPath(driveList->drive()))
        return;
    // A drive that cannot be read (no medium): back to the drive of the folder shown.
    m_puttingDriveBack = true;
    driveList->setDrive(folderList->path());
    m_puttingDriveBack = false;
}

QString PictureBrowser::pathOf(const QString& folder, const QString& fileName)
{
    const bool endsInSeparator = folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'));
    return endsInSeparator ? folder + fileName : folder + QLatin1Char('/') + fileName;
}

void PictureBrowser::showPickedFile()
{
    const QString path = pathOf(fileList->path(), fileList->fileName());
    // A picture sits in the corner, without the room kept around a message.
    pictureBox->setIndent(0);
    pictureBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (pictureBox->loadPicture(path)) {
        // The box takes the picture's size; a large one runs past the window's edges.
        const int frame = 2 * pictureBox->frameWidth();
        pictureBox->resize(pictureBox->pixmap().deviceIndependentSize().toSize() + QSize(frame, frame));
        return;
    }
    showOpenError(path);
}

void PictureBrowser::showOpenError(const QString& path)
{
    qv::ui().msgBox(QStringLiteral("Sorry but that is not a valid image file"), 0);
    pictureBox->clearPicture();
    const QString text = QStringLiteral("Error opening file ") + path;
    const QFontMetrics metrics(pictureBox->font());
    const QSize textSize(metrics.horizontalAdvance(text), metrics.height());
    // The text stands 120 twips in from the left and 240 down from the top,
    // with as much again to its right and below it. The room is kept inside
    // the box (indent, centred height), not as margins: the frame is drawn
    // round the margins and would then cut along the text's top.
    const int left = qv::px(120), top = qv::px(240);
    const QSize frame = pictureBox->size() - pictureBox->contentsRect().size();
    pictureBox->resize(frame + textSize + QSize(2 * left, 2 * top));
    pictureBox->setIndent(left);
    pictureBox->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pictureBox->setText(text);
}

void PictureBrowser::formResize()
{
    const int driveHeight = qv::twips(driveList->height());
    const int patternsHeight = qv::twips(fileTypeList->height());
    int listHeight = (qv::twips(height()) - driveHeight - patternsHeight - 4 * kGap) / 2;
    if (listHeight < kLowestList)
        listHeight = kLowestList;

    driveList->move(qv::px(kGap), qv::px(kGap));
    const int dirTop = kGap + driveHeight + kGap;
    qv::place(folderList, kGap, dirTop, m_columnWidth, listHeight);
    const int fileTop = dirTop + listHeight + kGap;
    qv::place(fileList, kGap, fileTop, m_columnWidth, listHeight);
    fileTypeList->setGeometry(qv::px(kGap), qv::px(fileTop + listHeight + kGap), qv::px(m_columnWidth),
                              fileTypeList->height());
    pictureBox->move(qv::px(m_columnWidth + 2 * kGap), qv::px(kGap));
}
