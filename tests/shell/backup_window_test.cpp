// The start-up backup, driven through its window: the check that nobody
// else holds the database, the copy and its replacement of the old one, the
// captions and pauses, and the way on to the splash window in every case.
#include "shell_fixture.h"

#include "shell/backup_window.h"
#include "shell/database_lock.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace shelltest;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// What the window showed at each of its pauses.
struct PauseSnapshot {
    int milliseconds;
    QString caption;
    QStringList visible;   // object names of the shown blocks and texts
    bool panelVisible;
};

class RecordingUi : public qv::ScriptedUi {
public:
    void pause(int milliseconds) override
    {
        qv::ScriptedUi::pause(milliseconds);
        auto* w = qobject_cast<frmRepair*>(qv::Windows::loaded(QStringLiteral("frmRepair")));
        if (!w)
            return;
        PauseSnapshot s{milliseconds, w->lblRepair->text(), {}, w->SSpanel1->isVisibleTo(w)};
        for (QWidget* c : w->SSpanel1->findChildren<QWidget*>())
            if (c->isVisibleTo(w))
                s.visible << c->objectName();
        s.visible.sort();
        snapshots.push_back(s);
        if (onPause)
            onPause();
    }
    std::vector<PauseSnapshot> snapshots;
    std::function<void()> onPause;
};

class BackupTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        qv::setUi(&rec);
    }
    void TearDown() override
    {
        ShellTest::TearDown();
        shell::DatabaseLock::release();
        qv::setUi(nullptr);
    }

    // Starts the backup as the program does, and waits for the splash.
    void runStart()
    {
        backup = open<frmRepair>(QStringLiteral("frmRepair"));
        ASSERT_TRUE(backup);
        // The window's activation starts the backup; when the platform
        // delivers it later, deliver it now, so that the window can still
        // be looked at before its deletion runs.
        if (!isLoaded(QStringLiteral("frmSplash"))) {
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(backup, &activate);
        }
        ASSERT_TRUE(isLoaded(QStringLiteral("frmSplash")));
        ASSERT_FALSE(isLoaded(QStringLiteral("frmRepair")));
    }

    QString mdb() const { return db->file(); }
    QString tmp() const { return db->folder() + QStringLiteral("/KVD.tmp"); }

    RecordingUi rec;
    QPointer<frmRepair> backup;
};

const QString kMessageA = QStringLiteral("Unable to open database for exclusive use.\r\nAll other users must be logged off!");

} // namespace

TEST_F(BackupTest, FirstStartCopiesWithCaptionsBlocksAndThreePauses)
{
    ASSERT_FALSE(QFile::exists(tmp()));
    db->seed();
    // The window gets the focus again during every pause: one backup only.
    rec.onPause = [this] {
        if (backup) {
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(backup, &activate);
        }
    };
    runStart();

    ASSERT_EQ(rec.snapshots.size(), 3u);
    EXPECT_EQ(rec.snapshots[0].caption, "Opening Database");
    EXPECT_TRUE(rec.snapshots[0].visible.isEmpty());
    EXPECT_EQ(rec.snapshots[1].caption, "Making backup of Current Database");
    EXPECT_EQ(rec.snapshots[1].visible, QStringList({"Shape1_1", "lblPct_3"}));
    EXPECT_EQ(rec.snapshots[2].caption, "Compacting Current Database");
    EXPECT_EQ(rec.snapshots[2].visible, QStringList({"Shape1_1", "Shape1_3", "lblPct_2", "lblPct_3"}));
    for (const auto& s : rec.snapshots) {
        EXPECT_EQ(s.milliseconds, 1000);
        EXPECT_TRUE(s.panelVisible);
    }
    // The last caption comes right before the window goes, with no pause.
    ASSERT_TRUE(backup);
    EXPECT_EQ(backup->lblRepair->text(), "Database Backed Up !");
    EXPECT_FALSE(backup->SSpanel1->isVisibleTo(backup));
    EXPECT_EQ(backup->lblPct.value(2)->text(), " 100%");

    EXPECT_TRUE(rec.messages().isEmpty());
    EXPECT_EQ(readAll(tmp()), readAll(mdb()));
    EXPECT_FALSE(QFile::exists(tmp() + ".part"));
    EXPECT_TRUE(qv::Windows::loaded(QStringLiteral("frmSplash"))->isVisible());
}

TEST_F(BackupTest, NewCopyReplacesTheOldOneAndOpensAsDatabase)
{
    writeFile(tmp(), "yesterday's backup");
    db->insert(QStringLiteral("Users"), {{"UserName", "ann"}, {"Password", "pw"}});
    runStart();
    EXPECT_TRUE(rec.messages().isEmpty());
    EXPECT_EQ(readAll(tmp()), readAll(mdb()));
    qv::Connection c;
    c.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + tmp() + ";Persist Security Info=False");
    EXPECT_EQ(c.execute(QStringLiteral("SELECT count(*) FROM [Users]"))->value(0).toInt(), 1);
}

TEST_F(BackupTest, AnotherCopyOfTheProgramHoldingTheFileStopsTheBackup)
{
    writeFile(tmp(), "old copy");
    ASSERT_TRUE(shell::DatabaseLock::holdShared(mdb()));   // our own hold, as at start
    const int other = ::open(QFile::encodeName(mdb()).constData(), O_RDONLY);
    ASSERT_EQ(::flock(other, LOCK_SH | LOCK_NB), 0);         // the other copy's hold

    runStart();
    ::close(other);

    ASSERT_EQ(rec.messages(), QStringList{kMessageA});
    const auto& shown = rec.events.back();
    EXPECT_EQ(shown.style, 16);
    EXPECT_EQ(shown.title, "Unable to repair database");
    EXPECT_EQ(rec.snapshots.size(), 1u);   // no step after the check
    EXPECT_EQ(readAll(tmp()), "old copy");
    EXPECT_TRUE(qv::Windows::loaded(QStringLiteral("frmSplash"))->isVisible());
    // Our own hold outlives the check.
    EXPECT_TRUE(shell::DatabaseLock::holds());
}

TEST_F(BackupTest, OurOwnHoldDoesNotStopTheBackup)
{
    ASSERT_TRUE(shell::DatabaseLock::holdShared(mdb()));
    runStart();
    EXPECT_TRUE(rec.messages().isEmpty());
    EXPECT_EQ(readAll(tmp()), readAll(mdb()));
    EXPECT_TRUE(shell::DatabaseLock::holds());
}

TEST_F(BackupTest, MissingOrDamagedDatabaseGivesMessageAAndGoesOn)
{
    for (const QByteArray& content : {QByteArray(), QByteArray("this is not a database at all")}) {
        SCOPED_TRACE(content.isEmpty() ? "missing" : "damaged");
        QFile::remove(mdb());
        QFile::remove(tmp());
        if (!content.isEmpty())
            writeFile(mdb(), content);
        rec.clear();
        rec.snapshots.clear();
        runStart();
        EXPECT_EQ(rec.messages(), QStringList{kMessageA});
        EXPECT_FALSE(QFile::exists(tmp()));
        qv::Windows::unload(QStringLiteral("frmSplash"));
        settle();
    }
}

TEST_F(BackupTest, FailedCopyKeepsTheLastGoodBackup)
{
    const QByteArray old = "the last good backup";
    writeFile(tmp(), old);
    db->seed();
    ASSERT_GT(QFileInfo(mdb()).size(), 8192);

    // The disk fills up half-way through the copy.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    runStart();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(rec.messages().size(), 1);
    EXPECT_EQ(rec.messages().first(),
              QStringLiteral("Error %1 %2\r\nUnable to compact database.").arg(EFBIG).arg(QString::fromLocal8Bit(strerror(EFBIG))));
    EXPECT_EQ(rec.events.back().style, 16);
    EXPECT_EQ(rec.events.back().title, "Compacting database failed");
    EXPECT_EQ(readAll(tmp()), old);
    EXPECT_FALSE(QFile::exists(tmp() + ".part"));
    EXPECT_EQ(rec.snapshots.size(), 2u);   // no "Compacting" step after the failure
    EXPECT_TRUE(qv::Windows::loaded(QStringLiteral("frmSplash"))->isVisible());
}

// Acts as an ordinary user while it lives (root writes anywhere).
struct OrdinaryUser {
    bool active = false;
    OrdinaryUser() { active = ::geteuid() != 0 || ::seteuid(65534) == 0; }
    ~OrdinaryUser()
    {
        if (::getuid() == 0 && ::geteuid() != 0)
            (void)::seteuid(0);
    }
};

TEST_F(BackupTest, UnwritableFolderGivesMessageB)
{
    writeFile(tmp(), "old copy");
    const QByteArray folder = QFile::encodeName(db->folder());
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    ::chmod(QFile::encodeName(mdb()).constData(), 0644);
    {
        OrdinaryUser user;
        if (!user.active) {
            ::chmod(folder.constData(), 0700);
            GTEST_SKIP() << "cannot act as an ordinary user";
        }
        runStart();
    }
    ::chmod(folder.constData(), 0700);

    ASSERT_EQ(rec.messages().size(), 1);
    EXPECT_EQ(rec.messages().first(),
              QStringLiteral("Error %1 %2\r\nUnable to compact database.").arg(EACCES).arg(QString::fromLocal8Bit(strerror(EACCES))));
    EXPECT_EQ(rec.events.back().title, "Compacting database failed");
    EXPECT_EQ(readAll(tmp()), "old copy");
    EXPECT_TRUE(isLoaded(QStringLiteral("frmSplash")));
}

TEST(BackupCopy, CopyThatIsNoDatabaseNeverReplacesTheBackup)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("KVD.mdb"), backup = dir.filePath("KVD.tmp");
    writeFile(source, QByteArray(5000, 'x'));
    writeFile(backup, "good");
    try {
        shell::replaceBackup(source, backup);
        FAIL() << "a copy that does not open as a database was accepted";
    } catch (const shell::BackupFailure& failure) {
        EXPECT_FALSE(failure.description.isEmpty());
    }
    EXPECT_EQ(readAll(backup), "good");
    EXPECT_FALSE(QFile::exists(backup + ".part"));
}
