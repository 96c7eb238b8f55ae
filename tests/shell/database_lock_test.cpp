// The program's hold on the database and the check that nobody else holds it.
#include "shell/database_lock.h"

#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using shell::DatabaseLock;

namespace {

class LockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = dir.filePath("KVD.mdb");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
    }
    void TearDown() override { DatabaseLock::release(); }

    // Whether another descriptor could take the file exclusively right now.
    bool otherCouldTakeExclusive() const
    {
        const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY);
        const bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return ok;
    }

    QTemporaryDir dir;
    QString file;
};

// A child process that holds a byte-range lock, as an SQLite program does
// while it reads or writes the file, until it is told to let go.
class LockingChild {
public:
    LockingChild(const QString& file, short type)
    {
        int ready[2], go[2];
        if (::pipe(ready) != 0 || ::pipe(go) != 0)
            return;
        const QByteArray path = QFile::encodeName(file);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            ::close(go[1]);
            const int fd = ::open(path.constData(), type == F_WRLCK ? O_RDWR : O_RDONLY);
            struct flock fl {};
            fl.l_type = type;
            fl.l_whence = SEEK_SET;
            fl.l_start = 1024;   // a range, as SQLite locks its lock bytes
            fl.l_len = 2;
            char ok = (fd >= 0 && ::fcntl(fd, F_SETLK, &fl) == 0) ? 1 : 0;
            (void)::write(ready[1], &ok, 1);
            char dummy;
            (void)::read(go[0], &dummy, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(go[0]);
        m_go = go[1];
        char ok = 0;
        m_locked = ::read(ready[0], &ok, 1) == 1 && ok == 1;
        ::close(ready[0]);
    }
    ~LockingChild() { finish(); }
    void finish()
    {
        if (m_pid <= 0)
            return;
        char c = 1;
        (void)::write(m_go, &c, 1);
        ::close(m_go);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    bool locked() const { return m_locked; }

private:
    pid_t m_pid = -1;
    int m_go = -1;
    bool m_locked = false;
};

} // namespace

TEST_F(LockTest, OwnHoldIsNoObstacleAndSurvivesTheCheck)
{
    EXPECT_TRUE(DatabaseLock::exclusiveAvailable(file));
    ASSERT_TRUE(DatabaseLock::holdShared(file));
    EXPECT_FALSE(otherCouldTakeExclusive());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(DatabaseLock::exclusiveAvailable(file));
    EXPECT_TRUE(DatabaseLock::holds());
    EXPECT_FALSE(otherCouldTakeExclusive());   // still held after the checks
    DatabaseLock::release();
    EXPECT_TRUE(otherCouldTakeExclusive());
}

TEST_F(LockTest, AnotherCopyOfTheProgramIsSeen)
{
    const int other = ::open(QFile::encodeName(file).constData(), O_RDONLY);
    ASSERT_EQ(::flock(other, LOCK_SH | LOCK_NB), 0);
    QString why;
    EXPECT_FALSE(DatabaseLock::exclusiveAvailable(file, &why));
    EXPECT_FALSE(why.isEmpty());
    // With our own hold as well: refused, and our hold is kept.
    ASSERT_TRUE(DatabaseLock::holdShared(file));
    EXPECT_FALSE(DatabaseLock::exclusiveAvailable(file));
    EXPECT_TRUE(DatabaseLock::holds());
    ::close(other);
    EXPECT_TRUE(DatabaseLock::exclusiveAvailable(file));
}

TEST_F(LockTest, AnotherProgramsRangeLockIsSeenUntilItLetsGo)
{
    for (short type : {short(F_RDLCK), short(F_WRLCK)}) {
        SCOPED_TRACE(type == F_RDLCK ? "read lock" : "write lock");
        LockingChild child(file, type);
        ASSERT_TRUE(child.locked());
        QString why;
        EXPECT_FALSE(DatabaseLock::exclusiveAvailable(file, &why));
        EXPECT_TRUE(why.contains("process")) << why.toStdString();
        child.finish();
        EXPECT_TRUE(DatabaseLock::exclusiveAvailable(file));
    }
}

TEST_F(LockTest, MissingFileIsNotAvailableAndCannotBeHeld)
{
    const QString missing = dir.filePath("nothing.mdb");
    QString why;
    EXPECT_FALSE(DatabaseLock::exclusiveAvailable(missing, &why));
    EXPECT_TRUE(why.startsWith("Could not find file")) << why.toStdString();
    EXPECT_FALSE(DatabaseLock::holdShared(missing));
    EXPECT_FALSE(DatabaseLock::holds());
}
