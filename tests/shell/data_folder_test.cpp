// Where the salon's files go: beside a program whose folder can be written,
// else in the user's data folder, which gets the installation's help and tip
// files without losing the user's own copies. The installed program itself,
// started from a read-only folder, is tried in tests/program.
#include "shell/data_folder.h"
#include "support/program_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        program = root.filePath("program");
        user = root.filePath("home/.local/share/Quorvel");
        ASSERT_TRUE(QDir().mkpath(program));
        writeFile(program + "/Index.rtf", "{\\rtf1 installed help}");
        writeFile(program + "/TIPOFDAY.TXT", "installed tip\r\n");
        writeFile(program + "/TIPOFDAY1.TXT", "installed book tip\r\n");
    }
    void TearDown() override
    {
        // Let the temporary folder go whatever a test did to it.
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void makeProgramFolderReadOnly()
    {
        ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                       | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    }

    QTemporaryDir root;
    QString program;
    QString user;
};

} // namespace

TEST_F(DataFolderTest, AWritableProgramFolderKeepsEverythingBesideItself)
{
    const QStringList before = qvtest::folderEntries(program);
    EXPECT_EQ(shell::chooseDataFolder(program, user), program);
    // Neither the user's folder nor a trace of the write test is left.
    EXPECT_FALSE(QFileInfo::exists(root.filePath("home")));
    EXPECT_EQ(qvtest::folderEntries(program), before);
}

TEST_F(DataFolderTest, WritingIsTriedNotGuessed)
{
    EXPECT_TRUE(shell::canWriteIn(program));
    EXPECT_FALSE(shell::canWriteIn(QString()));
    EXPECT_FALSE(shell::canWriteIn(root.filePath("no such folder")));
    // A "folder" that is a file cannot take files, whoever asks.
    EXPECT_FALSE(shell::canWriteIn(program + "/Index.rtf"));
    EXPECT_EQ(qvtest::folderEntries(program), QStringList({"Index.rtf", "TIPOFDAY.TXT", "TIPOFDAY1.TXT"}));
}

TEST_F(DataFolderTest, AReadOnlyProgramFolderGivesWayToTheUsersFolderWithTheHelpAndTips)
{
    makeProgramFolderReadOnly();
    if (shell::canWriteIn(program))
        GTEST_SKIP() << "running as the superuser, whom folder permissions do not stop; "
                        "InstalledProgram.StartedFromAReadOnlyFolderKeepsItsDataInTheUsersFolder "
                        "tries this as another user";

    // The user changed one tips file earlier; it stays theirs.
    ASSERT_TRUE(QDir().mkpath(user));
    writeFile(user + "/TIPOFDAY.TXT", "my own tip\r\n");

    EXPECT_EQ(shell::chooseDataFolder(program, user), user);
    EXPECT_EQ(qvtest::fileBytes(user + "/TIPOFDAY.TXT"), "my own tip\r\n");
    EXPECT_EQ(qvtest::fileBytes(user + "/Index.rtf"), "{\\rtf1 installed help}");
    EXPECT_EQ(qvtest::fileBytes(user + "/TIPOFDAY1.TXT"), "installed book tip\r\n");
    // The copies can be edited by their owner.
    EXPECT_TRUE(QFileInfo(user + "/Index.rtf").permissions() & QFile::WriteOwner);

    // A later start copies nothing over what is there.
    writeFile(user + "/Index.rtf", "{\\rtf1 my own help}");
    EXPECT_EQ(shell::chooseDataFolder(program, user), user);
    EXPECT_EQ(qvtest::fileBytes(user + "/Index.rtf"), "{\\rtf1 my own help}");

    // With no user folder to be had, the program stays in its own folder
    // (where the start-up backup then reports that it cannot write).
    const QString blocked = program + "/Index.rtf/Quorvel";
    EXPECT_EQ(shell::chooseDataFolder(program, blocked), program);
    EXPECT_EQ(shell::chooseDataFolder(program, QString()), program);
}
