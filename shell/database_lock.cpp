#include "shell/database_lock.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {

namespace {

int g_fd = -1;
QString g_file;

QString systemText(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

int openForLock(const QString& file)
{
    const QByteArray path = QFile::encodeName(file);
    int fd;
    do {
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool sameFile(int fd, const QString& file)
{
    struct stat a {}, b {};
    if (::fstat(fd, &a) != 0 || ::stat(QFile::encodeName(file).constData(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Byte-range locks of other processes (SQLite readers and writers). Our own
// process's locks are not reported, which is what we want.
bool otherRangeLock(int fd, QString* why)
{
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;   // the whole file
    if (::fcntl(fd, F_GETLK, &fl) != 0) {
        if (why)
            *why = systemText(errno);
        return true;
    }
    if (fl.l_type == F_UNLCK)
        return false;
    if (why)
        *why = QStringLiteral("Another program (process %1) is using the file.").arg(fl.l_pid);
    return true;
}

} // namespace

bool DatabaseLock::holdShared(const QString& file)
{
    release();
    const int fd = openForLock(file);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    g_fd = fd;
    g_file = file;
    return true;
}

void DatabaseLock::release()
{
    if (g_fd >= 0) {
        ::flock(g_fd, LOCK_UN);
        ::close(g_fd);
    }
    g_fd = -1;
    g_file.clear();
}

bool DatabaseLock::holds()
{
    return g_fd >= 0;
}

QString DatabaseLock::heldFile()
{
    return g_file;
}

bool DatabaseLock::exclusiveAvailable(const QString& file, QString* why)
{
    if (!QFileInfo(file).isFile()) {
        if (why)
            *why = QStringLiteral("Could not find file '%1'.").arg(file);
        return false;
    }

    // Ask through our own held descriptor when it is this file: closing a
    // second descriptor would drop every byte-range lock this process holds
    // on the file, and a second flock() descriptor would collide with our own
    // shared hold.
    const bool own = g_fd >= 0 && sameFile(g_fd, file);
    const int fd = own ? g_fd : openForLock(file);
    if (fd < 0) {
        if (why)
            *why = systemText(errno);
        return false;
    }

    bool free = true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        free = false;
        if (why)
            *why = errno == EWOULDBLOCK ? QStringLiteral("Another copy of the program has the file open.")
                                        : systemText(errno);
    }
    if (free && otherRangeLock(fd, why))
        free = false;

    if (own) {
        // Turning a lock into another is not atomic: a refused upgrade may
        // already have given up the shared hold, so take it again either way.
        if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
            ::close(fd);
            g_fd = -1;
            g_file.clear();
        }
    } else {
        ::flock(fd, LOCK_UN);
        ::close(fd);
    }
    return free;
}

} // namespace shell
