#include "shell/backup_window.h"

#include "common/schema.h"
#include "common/window_helpers.h"
#include "platform/data/database.h"
#include "platform/services/services.h"
#include "shell/database_lock.h"
#include "shell/splash_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QCoreApplication>
#include <QPointer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QV_REGISTER_WINDOW_AS(BackupWindow, "frmRepair");

namespace shell {

QString databaseFile()
{
    return QDir(qv::ProgramFolder::path()).filePath(QStringLiteral("KVD.mdb"));
}

QString backupFile()
{
    return QDir(qv::ProgramFolder::path()).filePath(QStringLiteral("KVD.tmp"));
}

namespace {

[[noreturn]] void failWithErrno()
{
    const int number = errno;
    throw BackupFailure{number, QString::fromLocal8Bit(std::strerror(number))};
}

int openRetrying(const QByteArray& path, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::open(path.constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Closes the descriptors and removes the unfinished copy on every way out.
struct CopyFiles {
    int in = -1, out = -1;
    QByteArray partial;
    bool keep = false;
    ~CopyFiles()
    {
        if (in >= 0)
            ::close(in);
        if (out >= 0)
            ::close(out);
        if (!keep && !partial.isEmpty())
            ::unlink(partial.constData());
    }
};

void copyAll(int in, int out)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno();
        }
        if (got == 0)
            return;
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::write(out, buffer + done, size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                failWithErrno();
            }
            done += put;
        }
    }
}

} // namespace

bool needsNewDatabase()
{
    return !QFileInfo::exists(databaseFile()) && !QFileInfo::exists(backupFile());
}

void createDatabaseOnFirstStart()
{
    if (!needsNewDatabase())
        return;
    try {
        createSalonDatabase(databaseFile());
    } catch (const qv::Error& e) {
        // The backup window reports the missing database and the start goes on.
        qv::ui().msgBox(e.description());
    }
}

void replaceBackup(const QString& database, const QString& backup)
{
    const QByteArray source = QFile::encodeName(database);
    const QByteArray target = QFile::encodeName(backup);
    const QByteArray part = target + ".part";

    // A copy left over from an interrupted start is of no use.
    if (::unlink(part.constData()) != 0 && errno != ENOENT)
        failWithErrno();

    CopyFiles files;
    files.in = openRetrying(source, O_RDONLY);
    if (files.in < 0)
        failWithErrno();
    files.out = openRetrying(part, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (files.out < 0)
        failWithErrno();
    files.partial = part;

    copyAll(files.in, files.out);
    if (::fsync(files.out) != 0)
        failWithErrno();

    struct stat in {}, out {};
    if (::fstat(files.in, &in) != 0 || ::fstat(files.out, &out) != 0)
        failWithErrno();
    ::close(files.out);
    files.out = -1;
    if (in.st_size != out.st_size)
        throw BackupFailure{EIO, QStringLiteral("The copy of the database is incomplete.")};
    const qv::Database::PageCheck copy = qv::Database::checkPages(QFile::decodeName(part));
    if (copy.verdict != qv::Database::PageCheck::Sound)
        throw BackupFailure{EIO, QStringLiteral("The copy of the database cannot be read: %1").arg(copy.why),
                            copy.verdict == qv::Database::PageCheck::Damaged};

    // Only now does the old backup give way.
    if (::rename(part.constData(), target.constData()) != 0)
        failWithErrno();
    files.keep = true;

    const QByteArray folder = QFile::encodeName(QFileInfo(backup).absolutePath());
    const int dir = openRetrying(folder, O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace shell

namespace {
// The second line of the message that stops the backup before the copy.
const QString kOtherUsers = QStringLiteral("All other users must be logged off!");
const QString kDamaged = QStringLiteral("The database \"KVD.mdb\" is damaged or is not a Quorvel database.");
const QString kDamagedCopy =
    QStringLiteral("The copy of the database came out damaged; the last backup \"KVD.tmp\" was kept.");
} // namespace

BackupWindow::BackupWindow()
{
    setWindowTitle(QStringLiteral("Backup KVD Database"));
    setTwipsSize(6000, 3150);

    progressCaption = new QLabel(this);
    progressCaption->setObjectName(QStringLiteral("lblRepair"));
    progressCaption->setAlignment(Qt::AlignCenter);
    QFont big = progressCaption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    progressCaption->setFont(big);
    qv::place(progressCaption, 240, 180, 5520, 420);

    everyStartNote = new QLabel(QStringLiteral("The Database will be backed up every time you open the program."),
                                this);
    everyStartNote->setObjectName(QStringLiteral("Label1"));
    everyStartNote->setAlignment(Qt::AlignCenter);
    everyStartNote->setWordWrap(true);
    qv::place(everyStartNote, 240, 720, 5520, 600);

    progressPanel = new QFrame(this);
    progressPanel->setObjectName(QStringLiteral("SSpanel1"));
    progressPanel->setFrameShape(QFrame::Panel);
    progressPanel->setFrameShadow(QFrame::Sunken);
    qv::place(progressPanel, 480, 1500, 5040, 1200);

    // Blocks fill the panel from left to right, each with its text below it.
    const int shapes[3] = {CopyingBlock, CompactingBlock, BackedUpBlock};
    const int pcts[3] = {CopyingText, CompactingText, BackedUpText};
    const QString texts[3] = {QStringLiteral("50%"), QStringLiteral(" 100%"), QStringLiteral("100%")};
    for (int i = 0; i < 3; ++i) {
        auto* shape = new QFrame(progressPanel);
        shape->setObjectName(qv::arrayMemberName("Shape1", shapes[i]));
        shape->setAutoFillBackground(true);
        QPalette pal = shape->palette();
        pal.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
        shape->setPalette(pal);
        qv::place(shape, 180 + i * 1560, 180, 1500, 480);
        shape->hide();
        progressBlocks.insert(shapes[i], shape);

        auto* pct = new QLabel(texts[i], progressPanel);
        pct->setObjectName(qv::arrayMemberName("lblPct", pcts[i]));
        pct->setAlignment(Qt::AlignCenter);
        qv::place(pct, 180 + i * 1560, 720, 1500, 330);
        pct->hide();
        progressTexts.insert(pcts[i], pct);
    }
}

void BackupWindow::formLoad()
{
    centerOnScreen(this);
}

void BackupWindow::showEvent(QShowEvent* e)
{
    qv::Window::showEvent(e);
    if (m_started)
        return;
    m_started = true;
    // The backup starts once the window is up, whether or not it ever gets
    // the focus (a window manager starting at the same moment may never
    // give it). It runs from the application's queue, not from an event of
    // this window: the user may close the window during a pause, and the
    // window then goes while none of its own events is being delivered.
    const QPointer<BackupWindow> self(this);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self] {
            if (!self || self->isUnloading())
                return;
            self->m_running = true;
            qv::Window::guard([&self] { self->runBackup(); });
            self->m_running = false;
            // Closed during a pause: the program ends here, with the
            // database and its last copy whole.
            if (self->m_closeAsked)
                self->unload();
        },
        Qt::QueuedConnection);
}

void BackupWindow::formUnload(bool& cancel)
{
    // Never destroyed under its own backup: the window goes out of sight at
    // once and is unloaded when the step under way has ended.
    if (!m_running)
        return;
    m_closeAsked = true;
    cancel = true;
    hide();
}

void BackupWindow::showStep(ProgressBlock shape, ProgressText pct)
{
    progressBlocks.value(shape)->show();
    progressTexts.value(pct)->show();
}

void BackupWindow::runBackup()
{
    // The user may close the window during a pause; then there is nothing
    // left to do (and the program ends with it).
    const QPointer<BackupWindow> self(this);
    const auto wait = [&self] {
        qv::ui().pause(1000);
        return self && !self->isUnloading() && !self->m_closeAsked;
    };

    progressCaption->setText(QStringLiteral("Opening Database"));
    if (!wait())
        return;

    const QString database = shell::databaseFile();
    const QString backup = shell::backupFile();
    if (!QFileInfo::exists(database)) {
        reportNoExclusiveUse(kOtherUsers);
        // The last backup is all that is left of the salon's data: say where
        // it is, and leave it as it is.
        if (QFileInfo::exists(backup))
            qv::ui().msgBox(QStringLiteral("The database \"KVD.mdb\" is missing from the folder %1. \"KVD.tmp\" in the "
                                           "same folder holds the last backup: copy \"KVD.tmp\" to \"KVD.mdb\" to go on "
                                           "with the salon's data.")
                                .arg(QDir::toNativeSeparators(QFileInfo(database).absolutePath())));
        finish();
        return;
    }
    if (!shell::DatabaseLock::exclusiveAvailable(database)) {
        reportNoExclusiveUse(kOtherUsers);
        finish();
        return;
    }
    // A database damaged further in still opens; copied over the backup it
    // would destroy the last good copy.
    const qv::Database::PageCheck check = qv::Database::checkPages(database);
    if (check.verdict != qv::Database::PageCheck::Sound) {
        reportNoExclusiveUse(check.verdict == qv::Database::PageCheck::Damaged ? kDamaged : kOtherUsers);
        finish();
        return;
    }

    try {
        progressCaption->setText(QStringLiteral("Making backup of Current Database"));
        showStep(CopyingBlock, CopyingText);
        if (!wait())
            return;

        shell::replaceBackup(database, backup);

        progressCaption->setText(QStringLiteral("Compacting Current Database"));
        showStep(CompactingBlock, CompactingText);
        if (!wait())
            return;
    } catch (const shell::BackupFailure& failure) {
        if (failure.damaged)
            reportNoExclusiveUse(kDamagedCopy);
        else
            qv::ui().msgBox(QStringLiteral("Error %1 %2\r\nUnable to compact database.")
                                .arg(QString::number(failure.number), failure.description),
                            qv::MsgStyle::Critical, QStringLiteral("Compacting database failed"));
        finish();
        return;
    }

    progressCaption->setText(QStringLiteral("Database Backed Up !"));
    showStep(BackedUpBlock, BackedUpText);
    progressPanel->hide();
    finish();
}

void BackupWindow::reportNoExclusiveUse(const QString& secondLine)
{
    qv::ui().msgBox(QStringLiteral("Unable to open database for exclusive use.\r\n") + secondLine, qv::MsgStyle::Critical,
                    QStringLiteral("Unable to repair database"));
}

void BackupWindow::finish()
{
    m_running = false;
    // The splash comes first: with no window loaded the program would end.
    qv::Windows::show<SplashWindow>();
    unload();
}
