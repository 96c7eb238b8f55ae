// The picture browser: what it lists at load, the patterns, walking the
// folders and drives, showing a picture at its own size, a file that is no
// picture, and the left column following the window's height.
#include "support/user_hands.h"
#include "shell_fixture.h"

#include "common/connections.h"
#include "platform/forms/controls.h"
#include "platform/forms/file_lists.h"
#include "shell/picture_browser.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>

using namespace shelltest;

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void makePicture(const QString& path, QSize size, const char* format, QColor colour = Qt::darkCyan)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, format)) << path.toStdString();
}

void clickFile(qv::FileListBox* list, const QString& name)
{
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    const QRect at = list->visualItemRect(found.first());
    qvtest::clickAt(list->viewport(), at.center());
}

void doubleClickFolder(qv::DirListBox* list, const QString& path)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->entryPath(row) != path)
            continue;
        const QRect at = list->visualItemRect(list->item(row));
        // As the mouse sends it: a click, then the second press as a double click.
        qvtest::clickAt(list->viewport(), at.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at.center());
        return;
    }
    FAIL() << "no folder entry " << path.toStdString();
}

class PictureBrowserTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        folder = programFolder();
        makePicture(folder + "/a.bmp", {40, 30}, "BMP");
        makePicture(folder + "/B.BMP", {20, 20}, "BMP");
        makePicture(folder + "/c.jpg", {60, 45}, "JPG");
        makePicture(folder + "/d.jpeg", {30, 30}, "JPG");
        QFile notes(folder + "/notes.txt");
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("not a picture");
        notes.close();
        ASSERT_TRUE(QDir(folder).mkdir("pics"));
        makePicture(folder + "/pics/inside.bmp", {10, 10}, "BMP");
    }

    PictureBrowser* openBrowser()
    {
        auto* browser = open<PictureBrowser>("ViewerForm");
        EXPECT_TRUE(browser);
        return browser;
    }

    QString folder;
};

} // namespace

TEST_F(PictureBrowserTest, StartsInTheProgramFolderShowingItsBitmaps)
{
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    EXPECT_EQ(browser->windowTitle(), "Scroll through the folders to find your picture.");
    EXPECT_TRUE(browser->windowFlags() & Qt::WindowStaysOnTopHint);

    QStringList descriptions;
    for (int i = 0; i < browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->count(); ++i)
        descriptions << browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->itemText(i);
    EXPECT_EQ(descriptions, QStringList({"Bitmaps (*.bmp)", "JPG (*.jpg, *.jpeg)", "Graphic Files (*.bmp, *.jpg, *.jpeg)"}));
    EXPECT_EQ(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->currentIndex(), 0);

    EXPECT_EQ(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect"))->path(), folder);
    EXPECT_EQ(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))->path(), folder);
    EXPECT_EQ(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->drive(), qv::DriveListBox::driveOf(folder));
    // Upper-case extensions count: the pattern matches without regard to case.
    EXPECT_EQ(itemsOf(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))), QStringList({"a.bmp", "B.BMP"}));
    EXPECT_TRUE(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->pixmap().isNull());
    EXPECT_TRUE(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->text().isEmpty());
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

// Every file type reads whole in the list, the longest one too, shown or
// dropped down; the lists above it stand in one column with it.
TEST_F(PictureBrowserTest, TheFileTypeListShowsItsLongestEntryWhole)
{
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    QComboBox* types = browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"));
    // Nothing of the window lies over the list, its right end included.
    ASSERT_TRUE(qvtest::clickAt(types, QPoint(types->width() - 4, types->height() / 2)));
    qvtest::press(Qt::Key_Down);
    qvtest::press(Qt::Key_Down);
    qvtest::press(Qt::Key_Return);
    ASSERT_EQ(types->currentText(), QStringLiteral("Graphic Files (*.bmp, *.jpg, *.jpeg)"));
    QStyleOptionComboBox option;
    option.initFrom(types);
    option.editable = types->isEditable();
    option.currentText = types->currentText();
    const QRect room = types->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, types);
    EXPECT_GE(room.width(), QFontMetrics(types->font()).horizontalAdvance(types->currentText()));
    EXPECT_EQ(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->width(), types->width());
    EXPECT_EQ(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))->width(), types->width());
    if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
        browser->grab().save(shots + "/ViewerForm-types.png");
}

TEST_F(PictureBrowserTest, ThePatternChosenDecidesTheFilesListed)
{
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    ASSERT_TRUE(qvtest::pick(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns")), browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->itemText(1)));
    EXPECT_EQ(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->currentIndex(), 1);
    EXPECT_EQ(itemsOf(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))), QStringList({"c.jpg", "d.jpeg"}));

    ASSERT_TRUE(qvtest::pick(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns")), browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->itemText(2)));
    EXPECT_EQ(itemsOf(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))), QStringList({"a.bmp", "B.BMP", "c.jpg", "d.jpeg"}));

    // The pattern stays when the folder changes.
    doubleClickFolder(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect")), folder + "/pics");
    EXPECT_EQ(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))->path(), folder + "/pics");
    EXPECT_EQ(itemsOf(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))), QStringList({"inside.bmp"}));
    doubleClickFolder(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect")), folder);
    EXPECT_EQ(itemsOf(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))), QStringList({"a.bmp", "B.BMP", "c.jpg", "d.jpeg"}));
}

TEST_F(PictureBrowserTest, APictureIsShownAtItsOwnSizeBesideTheLists)
{
    makePicture(folder + "/large.bmp", {1600, 1200}, "BMP", Qt::red);
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    browser->resize(640, 480);

    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "a.bmp");
    const int frame = 2 * browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->frameWidth();
    EXPECT_EQ(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->pixmap().size(), QSize(40, 30));
    EXPECT_EQ(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->size(), QSize(40 + frame, 30 + frame));
    EXPECT_EQ(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->pos(), QPoint(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->width() + qv::px(60), qv::px(30)));

    // Never scaled to the window: a large picture runs past its edges.
    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "large.bmp");
    EXPECT_EQ(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->size(), QSize(1600 + frame, 1200 + frame));
    EXPECT_GT(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->geometry().right(), browser->width());
    EXPECT_GT(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->geometry().bottom(), browser->height());
    EXPECT_EQ(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(PictureBrowserTest, AFileThatIsNoPictureShowsTheMessageThenItsPathInTheBox)
{
    QFile fake(folder + "/broken.bmp");
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("plain text given a picture's name");
    fake.close();
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "a.bmp");

    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "broken.bmp");
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Message);
    EXPECT_EQ(ui.script.events[0].text, "Sorry but that is not a valid image file");
    EXPECT_EQ(ui.script.events[0].style, 0);
    EXPECT_TRUE(ui.script.events[0].title.isEmpty());

    qv::PictureBox* box = browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"));
    const QString text = "Error opening file " + folder + "/broken.bmp";
    EXPECT_EQ(box->text(), text);
    EXPECT_TRUE(box->pixmap().isNull());
    // Inside the frame: the text with 120 twips beside it and 240 above and below.
    const QFontMetrics metrics(box->font());
    const int frame = 2 * box->frameWidth();
    EXPECT_EQ(box->size(), QSize(metrics.horizontalAdvance(text) + qv::px(240) + frame,
                                 metrics.height() + qv::px(480) + frame));
    // Where the text is drawn: nothing inside the frame above it or to its
    // left (no frame line cutting along it), its first ink just past the room.
    const QImage shown = box->grab().toImage();
    const int border = box->frameWidth();
    const QRgb background = shown.pixel(shown.width() / 2, border + 1);
    int inkLeft = shown.width(), inkTop = shown.height();
    for (int y = border; y < shown.height() - border; ++y)
        for (int x = border; x < shown.width() - border; ++x)
            if (qGray(shown.pixel(x, y)) < qGray(background) - 80) {
                inkLeft = qMin(inkLeft, x);
                inkTop = qMin(inkTop, y);
            }
    EXPECT_GE(inkLeft, border + qv::px(120));
    EXPECT_LE(inkLeft, border + qv::px(120) + 3);
    EXPECT_GE(inkTop, border + qv::px(240));
    EXPECT_LE(inkTop, border + qv::px(240) + metrics.ascent());

    // The browser goes on working: the next picture replaces the text.
    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "B.BMP");
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(box->size(), QSize(20 + frame, 20 + frame));
    EXPECT_EQ(box->contentsRect().size(), QSize(20, 20));
    EXPECT_EQ(ui.script.messages().size(), 1);

    // Clicking the same file again loads it again, and fails again.
    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "broken.bmp");
    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "broken.bmp");
    EXPECT_EQ(ui.script.messages().size(), 3);
}

TEST_F(PictureBrowserTest, AFileInTheRootFolderGetsNoDoubledSeparator)
{
    EXPECT_EQ(PictureBrowser::pathOf("/", "a.bmp"), "/a.bmp");
    EXPECT_EQ(PictureBrowser::pathOf("/home/pics", "a.bmp"), "/home/pics/a.bmp");
    EXPECT_EQ(PictureBrowser::pathOf("/home/pics/", "a.bmp"), "/home/pics/a.bmp");
}

TEST_F(PictureBrowserTest, ADriveThatCannotBeReadPutsTheDriveBackAndKeepsTheFolder)
{
    QTemporaryDir other;
    const QString gone = other.path() + "/stick";
    ASSERT_TRUE(QDir().mkpath(other.path() + "/disk"));
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    const QString home = qv::DriveListBox::driveOf(folder);
    browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->setDrives({home, other.path() + "/disk", gone});
    browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->setDrive(folder);
    doubleClickFolder(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect")), folder + "/pics");

    // A drive without a medium: no message, the drive is put back, and the
    // folder shown stays (putting the drive back is no new pick).
    qvtest::pick(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect")), browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->itemText(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->findData(gone)));
    EXPECT_EQ(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->drive(), home);
    EXPECT_EQ(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect"))->path(), folder + "/pics");
    EXPECT_EQ(itemsOf(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))), QStringList({"inside.bmp"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());

    // A drive that can be read: its root folder is shown, and its files.
    makePicture(other.path() + "/disk/photo.bmp", {8, 8}, "BMP");
    qvtest::pick(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect")),
                 browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->itemText(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->findData(other.path() + "/disk")));
    EXPECT_EQ(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect"))->path(), other.path() + "/disk");
    EXPECT_EQ(itemsOf(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))), QStringList({"photo.bmp"}));
}

TEST_F(PictureBrowserTest, TheListsShareTheWindowsHeightButNeverGetLowerThan120Twips)
{
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    browser->resize(640, 480);
    const int driveHeight = browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->height();
    const int patternsHeight = browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->height();
    const int listHeight = qv::px((qv::twips(480) - qv::twips(driveHeight) - qv::twips(patternsHeight) - 120) / 2);
    EXPECT_EQ(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->pos(), QPoint(qv::px(30), qv::px(30)));
    EXPECT_EQ(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect"))->geometry(),
              QRect(qv::px(30), qv::px(30 + qv::twips(driveHeight) + 30), browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->width(), listHeight));
    EXPECT_EQ(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->width(), browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->width());
    EXPECT_EQ(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))->height(), listHeight);
    EXPECT_EQ(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))->width(), browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->width());
    EXPECT_EQ(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))->y(), qv::px(qv::twips(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect"))->y() + listHeight) + 30));
    EXPECT_EQ(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->y(), qv::px(qv::twips(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))->y() + listHeight) + 30));
    EXPECT_LE(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->geometry().bottom(), 480);
    EXPECT_EQ(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->height(), patternsHeight);

    // Too low a window: the lists keep 120 twips each and run past its bottom.
    browser->resize(640, 30);
    EXPECT_EQ(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect"))->height(), qv::px(120));
    EXPECT_EQ(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))->height(), qv::px(120));
    EXPECT_GT(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->geometry().bottom(), browser->height());
    EXPECT_EQ(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->pos(), QPoint(browser->findChild<qv::DriveListBox*>(QStringLiteral("drvSelect"))->width() + qv::px(60), qv::px(30)));
}

TEST_F(PictureBrowserTest, EveryOpeningStartsAgainInTheProgramFolderWithBitmaps)
{
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    qvtest::pick(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns")), browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->itemText(2));
    doubleClickFolder(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect")), folder + "/pics");
    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "inside.bmp");
    browser->unload();
    settle();
    EXPECT_FALSE(isLoaded("ViewerForm"));

    browser = openBrowser();
    ASSERT_TRUE(browser);
    EXPECT_EQ(browser->findChild<QComboBox*>(QStringLiteral("cboPatterns"))->currentIndex(), 0);
    EXPECT_EQ(browser->findChild<qv::DirListBox*>(QStringLiteral("dirSelect"))->path(), folder);
    EXPECT_EQ(itemsOf(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect"))), QStringList({"a.bmp", "B.BMP"}));
    EXPECT_TRUE(browser->findChild<qv::PictureBox*>(QStringLiteral("picViewer"))->pixmap().isNull());
}

// A picture of the browser for a person to look at: set QV_SHOT_DIR to a folder.
TEST_F(PictureBrowserTest, Screenshot)
{
    const QString shots = qEnvironmentVariable("QV_SHOT_DIR");
    if (shots.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    QDir().mkpath(shots);
    makePicture(folder + "/salon.bmp", {240, 180}, "BMP", QColor(0xd1, 0xc9, 0xba));
    QFile fake(folder + "/broken.bmp");
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("text");
    fake.close();
    PictureBrowser* browser = openBrowser();
    ASSERT_TRUE(browser);
    browser->resize(640, 480);
    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "salon.bmp");
    QTest::qWait(50);
    EXPECT_TRUE(browser->grab().save(shots + "/ViewerForm.png"));
    clickFile(browser->findChild<qv::FileListBox*>(QStringLiteral("filSelect")), "broken.bmp");
    QTest::qWait(50);
    EXPECT_TRUE(browser->grab().save(shots + "/ViewerForm_error.png"));
}
