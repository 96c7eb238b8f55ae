// The built program, copied with its installation data into a folder of its
// own and started there as a user would start it: from a read-only folder
// (as installed) it keeps the salon's files in the user's data folder; from
// a folder the user can write it keeps them beside itself.
#include "platform/data/database.h"
#include "support/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QStringList kInstallationData = {"Index.rtf", "TIPOFDAY.TXT", "TIPOFDAY1.TXT"};
// The user nobody, for a superuser who cannot be kept out of a folder.
constexpr int kNobody = 65534;

class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        built = QCoreApplication::applicationDirPath();
        ASSERT_TRUE(QFileInfo(built + "/quorvel").isExecutable()) << "build the program first";
        program = root.filePath("program");
        home = root.filePath("home");
        userData = home + "/.local/share/Quorvel";
        ASSERT_TRUE(QDir().mkpath(program));
        ASSERT_TRUE(QDir().mkpath(home));
        const QStringList files = QStringList(kInstallationData) << "quorvel";
        for (const QString& name : files)
            ASSERT_TRUE(QFile::copy(built + "/" + name, program + "/" + name)) << name.toStdString();
    }

    // Starts the copied program with this test's home and waits until its
    // start-up backup has written `backup`; then ends it.
    void runUntilBackedUp(const QString& backup, bool asNobody)
    {
        QProcess quorvel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", home + "/.local/share");
        env.insert("XDG_CONFIG_HOME", home + "/.config");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        quorvel.setProcessEnvironment(env);
        quorvel.setProcessChannelMode(QProcess::MergedChannels);
        if (asNobody)
            quorvel.start(QStandardPaths::findExecutable("setpriv"),
                          {QString("--reuid=%1").arg(kNobody), QString("--regid=%1").arg(kNobody), "--clear-groups",
                           "--", program + "/quorvel"});
        else
            quorvel.start(program + "/quorvel", {});
        ASSERT_TRUE(quorvel.waitForStarted(10000)) << quorvel.errorString().toStdString();

        QElapsedTimer clock;
        clock.start();
        while (!QFileInfo::exists(backup) && quorvel.state() == QProcess::Running && clock.elapsed() < 30000)
            QThread::msleep(100);
        // The backup's last step is a rename: once the file is there it is whole.
        const bool backedUp = QFileInfo::exists(backup);
        quorvel.terminate();
        if (!quorvel.waitForFinished(10000)) {
            quorvel.kill();
            quorvel.waitForFinished(5000);
        }
        ASSERT_TRUE(backedUp) << "no " << backup.toStdString() << " after " << clock.elapsed() << " ms; the program said:\n"
                              << quorvel.readAll().toStdString();
    }

    QTemporaryDir root;
    QString built, program, home, userData;
};

} // namespace

TEST_F(InstalledProgram, StartedFromAReadOnlyFolderKeepsItsDataInTheUsersFolder)
{
    const bool superuser = ::geteuid() == 0;
    if (superuser) {
        // Folder permissions do not stop the superuser, so the program runs as nobody.
        if (QStandardPaths::findExecutable("setpriv").isEmpty())
            GTEST_SKIP() << "running as the superuser without setpriv to start the program as another user";
        ASSERT_EQ(::chown(QFile::encodeName(home).constData(), kNobody, kNobody), 0);
        QFile::setPermissions(root.path(), QFile::permissions(root.path()) | QFile::ReadOther | QFile::ExeOther);
    }
    // The user changed one tips file on an earlier start; it stays theirs.
    ASSERT_TRUE(QDir().mkpath(userData));
    QFile own(userData + "/TIPOFDAY.TXT");
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("my own tip\r\n");
    own.close();
    if (superuser) {
        for (const QString& folder : {home + "/.local", home + "/.local/share", userData})
            ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), kNobody, kNobody), 0);
        ASSERT_EQ(::chown(QFile::encodeName(own.fileName()).constData(), kNobody, kNobody), 0);
    }

    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto runnable = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    for (const QString& name : kInstallationData)
        ASSERT_TRUE(QFile::setPermissions(program + "/" + name, readOnly));
    ASSERT_TRUE(QFile::setPermissions(program + "/quorvel", runnable));
    ASSERT_TRUE(QFile::setPermissions(program, runnable));
    const QStringList installed = qvtest::folderEntries(program);

    runUntilBackedUp(userData + "/KVD.tmp", superuser);
    QFile::setPermissions(program, runnable | QFile::WriteOwner);

    // Nothing was written beside the program.
    EXPECT_EQ(qvtest::folderEntries(program), installed);
    // The database was made in the user's folder, and copied at the start.
    QString why;
    EXPECT_TRUE(qv::Database::isDatabase(userData + "/KVD.mdb", &why)) << why.toStdString();
    EXPECT_TRUE(qv::Database::isDatabase(userData + "/KVD.tmp", &why)) << why.toStdString();
    // The help and the appointment screen's tips came from the installation;
    // the user's own tips file was left alone.
    EXPECT_EQ(qvtest::fileBytes(userData + "/Index.rtf"), qvtest::fileBytes(program + "/Index.rtf"));
    EXPECT_EQ(qvtest::fileBytes(userData + "/TIPOFDAY1.TXT"), qvtest::fileBytes(program + "/TIPOFDAY1.TXT"));
    EXPECT_EQ(qvtest::fileBytes(userData + "/TIPOFDAY.TXT"), "my own tip\r\n");
}

TEST_F(InstalledProgram, StartedFromAWritableFolderKeepsItsDataBesideItself)
{
    runUntilBackedUp(program + "/KVD.tmp", false);
    QString why;
    EXPECT_TRUE(qv::Database::isDatabase(program + "/KVD.mdb", &why)) << why.toStdString();
    EXPECT_FALSE(QFileInfo::exists(home + "/.local/share/Quorvel"));
}
