#include "shell/picture_browser.h"

#include "common/connections.h"
#include "common/window_helpers.h"
#include "platform/forms/controls.h"
#include "platform/forms/file_lists.h"
#include "platform/services/services.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>

QV_REGISTER_WINDOW(ViewerForm);

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

ViewerForm::ViewerForm()
{
    setObjectName(QStringLiteral("ViewerForm"));
    setWindowTitle(QStringLiteral("Scroll through the folders to find your picture."));
    setTwipsSize(9600, 7200);

    drvSelect = new qv::DriveListBox(this);
    drvSelect->setObjectName(QStringLiteral("drvSelect"));
    qv::place(drvSelect, kGap, kGap, kColumnWidth, qv::twips(drvSelect->sizeHint().height()));

    dirSelect = new qv::DirListBox(this);
    dirSelect->setObjectName(QStringLiteral("dirSelect"));
    qv::place(dirSelect, kGap, 420, kColumnWidth, 3045);

    filSelect = new qv::FileListBox(this);
    filSelect->setObjectName(QStringLiteral("filSelect"));
    qv::place(filSelect, kGap, 3495, kColumnWidth, 3045);

    cboPatterns = new QComboBox(this);
    cboPatterns->setObjectName(QStringLiteral("cboPatterns"));
    qv::place(cboPatterns, kGap, 6570, kColumnWidth, qv::twips(cboPatterns->sizeHint().height()));

    picViewer = new qv::PictureBox(this);
    picViewer->setObjectName(QStringLiteral("picViewer"));
    picViewer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picViewer->setTextFormat(Qt::PlainText);
    picViewer->setIndent(0);
    picViewer->setBackgroundRole(QPalette::Base);
    picViewer->setAutoFillBackground(true);
    qv::place(picViewer, kColumnWidth + 2 * kGap, kGap, 4800, 3600);

    Lblpath = new QLabel(this);
    Lblpath->setObjectName(QStringLiteral("Lblpath"));
    qv::place(Lblpath, kColumnWidth + 2 * kGap, 6600, 6300, 285);

    connect(cboPatterns, &QComboBox::currentIndexChanged, this, [this] { guard([this] { cboPatterns_Click(); }); });
    connect(dirSelect, &qv::DirListBox::pathChanged, this, [this] { guard([this] { dirSelect_Change(); }); });
    connect(drvSelect, &qv::DriveListBox::driveChanged, this, [this] { guard([this] { drvSelect_Change(); }); });
    connect(filSelect, &qv::FileListBox::fileClicked, this, [this] { guard([this] { filSelect_Click(); }); });
}

void ViewerForm::formLoad()
{
    ignoringErrors([this] { MakeTopMost(this); });
    ignoringErrors([this] { picViewer->clearPicture(); });
    ignoringErrors([this] {
        // Adding entries must not pick one before its pattern is stored.
        const QSignalBlocker quiet(cboPatterns);
        cboPatterns->clear();
        m_patterns.clear();
        AddPattern(QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("*.bmp"));
        AddPattern(QStringLiteral("JPG (*.jpg, *.jpeg)"), QStringLiteral("*.jpg;*.jpeg"));
        AddPattern(QStringLiteral("Graphic Files (*.bmp, *.jpg, *.jpeg)"), QStringLiteral("*.bmp;*.jpg;*.jpeg"));
        cboPatterns->setCurrentIndex(-1);
    });
    ignoringErrors([this] { fitColumnToPatterns(); });
    ignoringErrors([this] { cboPatterns->setCurrentIndex(0); });
    ignoringErrors([this] { drvSelect->setDrive(programFolder()); });
    ignoringErrors([this] { dirSelect->setPath(programFolder()); });
    ignoringErrors([this] { filSelect->setPath(programFolder()); });
}

void ViewerForm::fitColumnToPatterns()
{
    // The file-type list shows its longest entry whole; the drive, folder and
    // file lists above it keep its width, as one column.
    cboPatterns->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_columnWidth = std::max(kColumnWidth, qv::twips(cboPatterns->sizeHint().width()));
    qv::place(drvSelect, kGap, kGap, m_columnWidth, qv::twips(drvSelect->height()));
    // The path beside the wider column keeps to the window's edge.
    const int pathLeft = qv::px(m_columnWidth + 2 * kGap);
    Lblpath->setGeometry(pathLeft, Lblpath->y(), std::min(Lblpath->width(), width() - pathLeft - qv::px(kGap)),
                         Lblpath->height());
    formResize();
}

void ViewerForm::AddPattern(const QString& description, const QString& pattern)
{
    cboPatterns->addItem(description);
    const int index = cboPatterns->count() - 1;
    while (m_patterns.size() <= index)
        m_patterns.append(QString());
    m_patterns[index] = pattern;
}

void ViewerForm::cboPatterns_Click()
{
    const int index = cboPatterns->currentIndex();
    if (index >= 0 && index < m_patterns.size())
        filSelect->setPattern(m_patterns.at(index));
}

void ViewerForm::dirSelect_Change()
{
    filSelect->setPath(dirSelect->path());
}

void ViewerForm::drvSelect_Change()
{
    if (m_puttingDriveBack)
        return;
    if (dirSelect->setPath(drvSelect->drive()))
        return;
    // A drive that cannot be read (no medium): back to the drive of the folder shown.
    m_puttingDriveBack = true;
    drvSelect->setDrive(dirSelect->path());
    m_puttingDriveBack = false;
}

QString ViewerForm::pathOf(const QString& folder, const QString& fileName)
{
    const bool endsInSeparator = folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'));
    return endsInSeparator ? folder + fileName : folder + QLatin1Char('/') + fileName;
}

void ViewerForm::filSelect_Click()
{
    const QString path = pathOf(filSelect->path(), filSelect->fileName());
    // A picture sits in the corner, without the room kept around a message.
    picViewer->setIndent(0);
    picViewer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (picViewer->loadPicture(path)) {
        // The box takes the picture's size; a large one runs past the window's edges.
        const int frame = 2 * picViewer->frameWidth();
        picViewer->resize(picViewer->pixmap().deviceIndependentSize().toSize() + QSize(frame, frame));
        return;
    }
    showOpenError(path);
}

void ViewerForm::showOpenError(const QString& path)
{
    qv::ui().msgBox(QStringLiteral("Sorry but that is not a valid image file"), 0);
    picViewer->clearPicture();
    const QString text = QStringLiteral("Error opening file ") + path;
    const QFontMetrics metrics(picViewer->font());
    const QSize textSize(metrics.horizontalAdvance(text), metrics.height());
    // The text stands 120 twips in from the left and 240 down from the top,
    // with as much again to its right and below it. The room is kept inside
    // the box (indent, centred height), not as margins: the frame is drawn
    // round the margins and would then cut along the text's top.
    const int left = qv::px(120), top = qv::px(240);
    const QSize frame = picViewer->size() - picViewer->contentsRect().size();
    picViewer->resize(frame + textSize + QSize(2 * left, 2 * top));
    picViewer->setIndent(left);
    picViewer->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    picViewer->setText(text);
}

void ViewerForm::formResize()
{
    const int driveHeight = qv::twips(drvSelect->height());
    const int patternsHeight = qv::twips(cboPatterns->height());
    int listHeight = (qv::twips(height()) - driveHeight - patternsHeight - 4 * kGap) / 2;
    if (listHeight < kLowestList)
        listHeight = kLowestList;

    drvSelect->move(qv::px(kGap), qv::px(kGap));
    const int dirTop = kGap + driveHeight + kGap;
    qv::place(dirSelect, kGap, dirTop, m_columnWidth, listHeight);
    const int fileTop = dirTop + listHeight + kGap;
    qv::place(filSelect, kGap, fileTop, m_columnWidth, listHeight);
    cboPatterns->setGeometry(qv::px(kGap), qv::px(fileTop + listHeight + kGap), qv::px(m_columnWidth),
                             cboPatterns->height());
    picViewer->move(qv::px(m_columnWidth + 2 * kGap), qv::px(kGap));
}
