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
#include <sys/wait.h>
#include <unistd.h>

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

namespace {

// What chooseDataFolder decides for a user who cannot write the program
// folder: run in a child as the user nobody when this test runs as the
// superuser, whom folder permissions do not stop.
struct Choice {
    QString folder, notice;
};

Choice chooseAsAnotherUser(const QString& program, const QString& user)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        QString notice;
        const QString folder = shell::chooseDataFolder(program, user, &notice);
        const QByteArray out = (folder + u'\n' + notice).toUtf8();
        const bool written = ::write(channel[1], out.constData(), size_t(out.size())) == out.size();
        ::_exit(written ? 0 : 3);
    }
    ::close(channel[1]);
    QByteArray got;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        got.append(buffer, int(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    const QString text = QString::fromUtf8(got);
    const qsizetype cut = text.indexOf(u'\n');
    return {text.left(cut), cut < 0 ? QString() : text.mid(cut + 1)};
}

} // namespace

TEST_F(DataFolderTest, TheSalonsDataBesideAReadOnlyProgramIsCopiedOnceAndSaid)
{
    writeFile(program + "/KVD.mdb", "the salon's tickets");
    writeFile(program + "/KVD.tmp", "this morning's copy");
    for (const QString& folder : {root.path(), program})
        QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ReadOther | QFile::ExeOther);
    ASSERT_TRUE(QDir().mkpath(user));
    for (QString folder = user; ::geteuid() == 0 && folder.startsWith(root.path() + "/");
         folder = QFileInfo(folder).path())
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0) << folder.toStdString();
    makeProgramFolderReadOnly();

    const Choice first = chooseAsAnotherUser(program, user);
    EXPECT_EQ(first.folder, user);
    EXPECT_EQ(qvtest::fileBytes(user + "/KVD.mdb"), "the salon's tickets");
    EXPECT_EQ(qvtest::fileBytes(user + "/KVD.tmp"), "this morning's copy");
    EXPECT_EQ(first.notice, QString("Quorvel cannot save changes in \"%1\", where the salon's data lies. The data was "
                                    "copied to \"%2\", and the salon's data now lives there.")
                                .arg(program, user));

    // The copy is the salon's data from now on: never copied over, nothing said.
    QFile::remove(user + "/KVD.tmp");
    writeFile(user + "/KVD.mdb", "today's tickets");
    const Choice later = chooseAsAnotherUser(program, user);
    EXPECT_EQ(later.folder, user);
    EXPECT_EQ(later.notice, QString());
    EXPECT_EQ(qvtest::fileBytes(user + "/KVD.mdb"), "today's tickets");
    EXPECT_FALSE(QFileInfo::exists(user + "/KVD.tmp"));
}
