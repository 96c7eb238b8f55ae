// The drive, folder and file lists: what each lists, when each tells of a
// change, and a folder that cannot be read.
#include "platform/forms/file_lists.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write("x");
}

class FileListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path();
        for (const char* name : {"b.BMP", "a.bmp", "c.jpg", "README", "notes.txt", ".hidden.bmp"})
            touch(root + "/" + name);
        for (const char* name : {"Zeta", "alpha", ".cache"})
            ASSERT_TRUE(QDir(root).mkdir(name));
        touch(root + "/alpha/inner.bmp");
    }

    QTemporaryDir dir;
    QString root;
};

} // namespace

TEST_F(FileListsTest, FileListMatchesItsPatternsWithoutRegardToCase)
{
    qv::FileListBox files;
    EXPECT_TRUE(files.setPath(root));
    // Every file, with or without an extension; no folders, nothing hidden.
    EXPECT_EQ(itemsOf(&files), QStringList({"a.bmp", "b.BMP", "c.jpg", "notes.txt", "README"}));
    files.setPattern("*.bmp");
    EXPECT_EQ(itemsOf(&files), QStringList({"a.bmp", "b.BMP"}));
    files.setPattern("*.jpg;*.txt");
    EXPECT_EQ(itemsOf(&files), QStringList({"c.jpg", "notes.txt"}));
    EXPECT_EQ(files.fileName(), QString());

    // A folder that cannot be read changes nothing.
    EXPECT_FALSE(files.setPath(root + "/missing"));
    EXPECT_EQ(files.path(), root);
    EXPECT_EQ(itemsOf(&files), QStringList({"c.jpg", "notes.txt"}));
}

TEST_F(FileListsTest, FileListTellsOfEveryPickButNotOfARefill)
{
    qv::FileListBox files;
    files.resize(200, 200);
    files.show();
    files.setPath(root);
    QSignalSpy picks(&files, &qv::FileListBox::fileClicked);
    const auto clickRow = [&](int row) {
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, files.visualItemRect(files.item(row)).center());
    };

    clickRow(1);
    EXPECT_EQ(picks.count(), 1);
    EXPECT_EQ(files.fileName(), "b.BMP");
    clickRow(1);   // the same file again
    EXPECT_EQ(picks.count(), 2);
    files.setFocus();
    QTest::keyClick(&files, Qt::Key_Down);
    EXPECT_EQ(picks.count(), 3);
    EXPECT_EQ(files.fileName(), "c.jpg");

    files.setPattern("*.bmp");
    files.setPath(root);
    EXPECT_EQ(picks.count(), 3);
    EXPECT_EQ(files.fileName(), QString());
}

TEST_F(FileListsTest, FolderListShowsTheWayDownThenTheSubfolders)
{
    qv::DirListBox folders;
    QSignalSpy changes(&folders, &qv::DirListBox::pathChanged);
    ASSERT_TRUE(folders.setPath(root + "/"));
    EXPECT_EQ(folders.path(), root);
    EXPECT_EQ(changes.count(), 1);

    const QStringList parts = root.split('/', Qt::SkipEmptyParts);
    QStringList expected{"/"};
    expected << parts << "alpha" << "Zeta";
    EXPECT_EQ(itemsOf(&folders), expected);
    EXPECT_EQ(folders.entryPath(0), "/");
    EXPECT_EQ(folders.entryPath(folders.currentRow()), root);
    EXPECT_EQ(folders.entryPath(folders.count() - 1), root + "/Zeta");

    // The same folder again is no change; a missing one changes nothing.
    EXPECT_TRUE(folders.setPath(root));
    EXPECT_FALSE(folders.setPath(root + "/missing"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(folders.path(), root);

    // Return opens the entry picked.
    folders.resize(300, 400);
    folders.show();
    folders.setFocus();
    folders.setCurrentRow(folders.count() - 2);
    QTest::keyClick(&folders, Qt::Key_Return);
    EXPECT_EQ(folders.path(), root + "/alpha");
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(itemsOf(&folders).last(), "alpha");
}

TEST_F(FileListsTest, DriveListChoosesTheDriveHoldingAPath)
{
    qv::DriveListBox drives;
    EXPECT_TRUE(drives.drives().contains("/"));
    const QString disk = root + "/alpha";
    drives.setDrives({"/", disk});
    QSignalSpy changes(&drives, &qv::DriveListBox::driveChanged);

    // A folder is on the drive it is mounted from, listed or not.
    drives.setDrive(root);
    EXPECT_EQ(drives.drive(), qv::DriveListBox::driveOf(root));
    EXPECT_TRUE(drives.drives().contains(drives.drive()));
    EXPECT_EQ(changes.count(), 1);
    drives.setDrive(root + "/Zeta");
    EXPECT_EQ(changes.count(), 1);

    drives.setCurrentIndex(drives.findData(disk));
    EXPECT_EQ(drives.drive(), disk);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(qv::DriveListBox::driveOf(root + "/no/such/file"), QString());
}
