// The start-up backup, driven through its window: the check that nobody
// else holds the database, the copy and its replacement of the old one, the
// captions and pauses, and the way on to the splash window in every case.
#include "shell_fixture.h"
#include "platform/forms/window.h"

#include "shell/backup_window.h"
#include "shell/database_lock.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <csignal>
#include <random>
#include <sqlite3.h>
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
        auto* w = qobject_cast<BackupWindow*>(qv::Windows::loaded(QStringLiteral("frmRepair")));
        if (!w)
            return;
        PauseSnapshot s{milliseconds, w->findChild<QLabel*>(QStringLiteral("lblRepair"))->text(), {}, w->findChild<QFrame*>(QStringLiteral("SSpanel1"))->isVisibleTo(w)};
        for (QWidget* c : w->findChild<QFrame*>(QStringLiteral("SSpanel1"))->findChildren<QWidget*>())
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
        backup = open<BackupWindow>(QStringLiteral("frmRepair"));
        ASSERT_TRUE(backup);
        // The shown window starts the backup from the queue; only the queued
        // calls run here, so that the window can still be looked at before
        // its deletion runs.
        QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
        ASSERT_TRUE(isLoaded(QStringLiteral("frmSplash")));
        ASSERT_FALSE(isLoaded(QStringLiteral("frmRepair")));
    }

    QString mdb() const { return db->file(); }
    QString tmp() const { return db->folder() + QStringLiteral("/KVD.tmp"); }

    RecordingUi rec;
    QPointer<BackupWindow> backup;
};

const QString kMessageA = QStringLiteral("Unable to open database for exclusive use.\r\nAll other users must be logged off!");
const QString kMessageADamaged = QStringLiteral(
    "Unable to open database for exclusive use.\r\nThe database \"KVD.mdb\" is damaged or is not a Quorvel database.");

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
    EXPECT_EQ(backup->findChild<QLabel*>(QStringLiteral("lblRepair"))->text(), "Database Backed Up !");
    EXPECT_FALSE(backup->findChild<QFrame*>(QStringLiteral("SSpanel1"))->isVisibleTo(backup));
    EXPECT_EQ(backup->findChild<QLabel*>(qv::arrayMemberName("lblPct", 2))->text(), " 100%");

    EXPECT_TRUE(rec.messages().isEmpty());
    EXPECT_EQ(readAll(tmp()), readAll(mdb()));
    EXPECT_FALSE(QFile::exists(tmp() + ".part"));
    EXPECT_TRUE(qv::Windows::loaded(QStringLiteral("frmSplash"))->isVisible());
}

TEST_F(BackupTest, ClosedDuringAPauseTheProgramEndsWithBothFilesWhole)
{
    db->seed();
    const QByteArray database = readAll(mdb());
    const QByteArray yesterday = "yesterday's backup";
    for (int closeAt = 1; closeAt <= 3; ++closeAt) {
        SCOPED_TRACE(closeAt);
        writeFile(tmp(), yesterday);
        rec.clear();
        rec.snapshots.clear();
        programEnds = 0;
        // The title bar's close button in the middle of a pause, which goes
        // on serving events as the real one does.
        rec.onPause = [this, closeAt] {
            if (int(rec.snapshots.size()) == closeAt && backup) {
                backup->close();
                QCoreApplication::processEvents();
            }
        };
        backup = open<BackupWindow>(QStringLiteral("frmRepair"));
        ASSERT_TRUE(backup);
        // The program serves its events: the window's activation by the
        // platform, and what is queued.
        EXPECT_TRUE(waitFor([this] { return !backup; }));
        settle();

        EXPECT_EQ(int(rec.snapshots.size()), closeAt);   // no step after the close
        EXPECT_FALSE(isLoaded(QStringLiteral("frmRepair")));
        EXPECT_FALSE(isLoaded(QStringLiteral("frmSplash")));
        EXPECT_GE(programEnds, 1);
        EXPECT_TRUE(rec.messages().isEmpty());
        EXPECT_TRUE(readAll(mdb()) == database);
        // The copy replaces yesterday's only in the pause after it was made.
        EXPECT_TRUE(readAll(tmp()) == (closeAt == 3 ? database : yesterday));
        EXPECT_FALSE(QFile::exists(tmp() + ".part"));
    }
}

TEST_F(BackupTest, TheBackupRunsThoughTheWindowNeverGetsTheFocus)
{
    db->seed();
    // A window manager starting at the same moment, which never activates it.
    struct NoActivation : QObject {
        bool eventFilter(QObject*, QEvent* e) override
        {
            return e->type() == QEvent::WindowActivate || e->type() == QEvent::FocusIn;
        }
    } noActivation;
    QCoreApplication::instance()->installEventFilter(&noActivation);
    backup = open<BackupWindow>(QStringLiteral("frmRepair"));
    const bool splash = waitFor([this] { return isLoaded(QStringLiteral("frmSplash")); }, 3000);
    QCoreApplication::instance()->removeEventFilter(&noActivation);

    ASSERT_TRUE(splash);
    EXPECT_EQ(rec.snapshots.size(), 3u);
    EXPECT_TRUE(rec.messages().isEmpty());
    EXPECT_EQ(readAll(tmp()), readAll(mdb()));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmRepair")));
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
        EXPECT_EQ(rec.messages(), QStringList{content.isEmpty() ? kMessageA : kMessageADamaged});
        EXPECT_FALSE(QFile::exists(tmp()));
        qv::Windows::unload(QStringLiteral("frmSplash"));
        settle();
    }
}

TEST_F(BackupTest, AMissingDatabaseBesideItsBackupIsNeitherMadeNorCopied)
{
    // Yesterday's salon, kept as the backup; the database itself is gone.
    db->seed();
    ASSERT_TRUE(QFile::copy(mdb(), tmp()));
    const QByteArray lastBackup = readAll(tmp());
    ASSERT_TRUE(QFile::remove(mdb()));

    // The start as the program makes it: the empty database first, then the backup.
    shell::createDatabaseOnFirstStart();
    runStart();

    EXPECT_FALSE(QFile::exists(mdb()));
    EXPECT_EQ(readAll(tmp()), lastBackup);
    ASSERT_EQ(rec.messages().size(), 2) << rec.messages().join(" | ").toStdString();
    EXPECT_EQ(rec.messages()[0], kMessageA);
    EXPECT_EQ(rec.events[rec.events.size() - 2].title, "Unable to repair database");
    // Then a plain message that tells how to go on from the backup.
    const qv::UiEvent& howToGoOn = rec.events.back();
    EXPECT_EQ(howToGoOn.style, 0);
    EXPECT_TRUE(howToGoOn.title.isEmpty());
    EXPECT_EQ(howToGoOn.text,
              QStringLiteral("The database \"KVD.mdb\" is missing from the folder %1. \"KVD.tmp\" in the same folder "
                             "holds the last backup: copy \"KVD.tmp\" to \"KVD.mdb\" to go on with the salon's data.")
                  .arg(QDir::toNativeSeparators(db->folder())));
    EXPECT_TRUE(qv::Windows::loaded(QStringLiteral("frmSplash"))->isVisible());

    // Copied back as the message says, the salon opens again.
    ASSERT_TRUE(QFile::copy(tmp(), mdb()));
    EXPECT_EQ(db->count(QStringLiteral("Customers")), 4);
}

TEST_F(BackupTest, AFirstStartMakesAnEmptyDatabaseAndBacksItUp)
{
    ASSERT_TRUE(QFile::remove(mdb()));
    ASSERT_FALSE(QFile::exists(tmp()));
    ASSERT_TRUE(shell::needsNewDatabase());
    shell::createDatabaseOnFirstStart();
    runStart();
    EXPECT_TRUE(rec.messages().isEmpty()) << rec.messages().join(" | ").toStdString();
    EXPECT_TRUE(qv::Database::isDatabase(mdb()));
    EXPECT_EQ(readAll(tmp()), readAll(mdb()));
    EXPECT_EQ(db->count(QStringLiteral("Servicemenu")), 0);
    // With the backup alone the start makes nothing.
    ASSERT_TRUE(QFile::remove(mdb()));
    EXPECT_FALSE(shell::needsNewDatabase());
}

namespace {

constexpr qint64 kPage = 4096;

// A salon with enough rows to spread over many pages, so that damage can be
// put at several places.
QByteArray bigSalon(qvtest::SalonDb& salon)
{
    salon.seed();
    QList<QVariantMap> clients;
    for (int i = 0; i < 400; ++i)
        clients << QVariantMap{{"CustomerName", QString("Client %1 with a longer name").arg(i)},
                               {"Phone", QString("777-%1").arg(1000 + i)},
                               {"Comments", QString(200, QChar('a' + i % 26))}};
    salon.insertMany(QStringLiteral("Customers"), clients);
    return readAll(salon.file());
}

QByteArray randomBytes(qint64 size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random() & 0xff);
    return bytes;
}

struct Damage {
    const char* name;
    std::function<QByteArray(const QByteArray&)> apply;
};

QByteArray withPage(QByteArray file, qint64 page, const QByteArray& content)
{
    file.replace(page * kPage, kPage, content);
    return file;
}

const QList<Damage>& damages()
{
    static const QList<Damage> list = {
        {"cut to half its pages", [](const QByteArray& f) { return f.left(f.size() / kPage / 2 * kPage); }},
        {"cut inside a page", [](const QByteArray& f) { return f.left(f.size() - 1000); }},
        {"cut to nothing", [](const QByteArray&) { return QByteArray(); }},
        {"zeroed", [](const QByteArray& f) { return QByteArray(f.size(), '\0'); }},
        {"one page zeroed", [](const QByteArray& f) { return withPage(f, f.size() / kPage / 2, QByteArray(kPage, '\0')); }},
        {"random first page", [](const QByteArray& f) { return withPage(f, 0, randomBytes(kPage, 1)); }},
        {"random second page", [](const QByteArray& f) { return withPage(f, 1, randomBytes(kPage, 2)); }},
        {"random middle page", [](const QByteArray& f) { return withPage(f, f.size() / kPage / 2, randomBytes(kPage, 3)); }},
        {"random last page", [](const QByteArray& f) { return withPage(f, f.size() / kPage - 1, randomBytes(kPage, 4)); }},
        {"random pages throughout", [](const QByteArray& f) {
             QByteArray out = f;
             for (qint64 page = 3; page < f.size() / kPage; page += 7)
                 out = withPage(out, page, randomBytes(kPage, unsigned(page)));
             return out;
         }},
    };
    return list;
}

QByteArray foreignDatabase(const QString& path)
{
    sqlite3* other = nullptr;
    EXPECT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(other, "CREATE TABLE Customers (CustomerName TEXT); INSERT INTO Customers VALUES ('x');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    return readAll(path);
}

} // namespace

TEST_F(BackupTest, ADamagedOrForeignDatabaseNeverReplacesTheLastGoodBackup)
{
    const QByteArray good = bigSalon(*db);
    ASSERT_GT(good.size(), 40 * kPage);
    ASSERT_EQ(good.size() % kPage, 0);

    QList<std::pair<QString, QByteArray>> files;
    for (const Damage& d : damages())
        files.append({QString::fromLatin1(d.name), d.apply(good)});
    files.append({QStringLiteral("a foreign SQLite file"), foreignDatabase(db->folder() + "/other.db")});

    for (const auto& [name, damaged] : files) {
        SCOPED_TRACE(name.toStdString());
        writeFile(tmp(), good);
        writeFile(mdb(), damaged);
        rec.clear();
        rec.snapshots.clear();
        runStart();
        EXPECT_EQ(rec.messages(), QStringList{kMessageADamaged});
        if (!rec.events.empty()) {
            EXPECT_EQ(rec.events.back().style, 16);
            EXPECT_EQ(rec.events.back().title, "Unable to repair database");
        }
        EXPECT_TRUE(readAll(tmp()) == good) << "the last good backup was touched";
        EXPECT_FALSE(QFile::exists(tmp() + ".part"));
        EXPECT_EQ(rec.snapshots.size(), 1u);   // no step after the check
        EXPECT_TRUE(isLoaded(QStringLiteral("frmSplash")));
        qv::Windows::unload(QStringLiteral("frmSplash"));
        settle();
    }

    // The sound file still goes through, and replaces the old copy.
    writeFile(tmp(), "older");
    writeFile(mdb(), good);
    rec.clear();
    runStart();
    EXPECT_TRUE(rec.messages().isEmpty()) << rec.messages().join(" | ").toStdString();
    EXPECT_TRUE(readAll(tmp()) == good);
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

TEST(BackupCopy, ACopyWithDamagedPagesNeverReplacesTheBackup)
{
    QTemporaryDir dir;
    qvtest::SalonDb salon;
    const QByteArray good = bigSalon(salon);
    const QString source = dir.filePath("KVD.mdb"), backup = dir.filePath("KVD.tmp");
    // Pages further in, which opening the file never reads.
    writeFile(source, withPage(good, good.size() / kPage / 2, randomBytes(kPage, 7)));
    ASSERT_TRUE(qv::Database::isDatabase(source));
    writeFile(backup, good);
    try {
        shell::replaceBackup(source, backup);
        FAIL() << "a copy with damaged pages was accepted";
    } catch (const shell::BackupFailure& failure) {
        EXPECT_TRUE(failure.damaged);
    }
    EXPECT_TRUE(readAll(backup) == good);
    EXPECT_FALSE(QFile::exists(backup + ".part"));
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
