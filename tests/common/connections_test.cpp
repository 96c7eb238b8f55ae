// Where the database is, the connection strings, the count-guarded open and
// the report query.
#include "common/connections.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/values/error.h"
#include "support/salon_db.h"
#include "salon_test_util.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// Restores the program folder a test changes by hand.
struct FolderOverride {
    explicit FolderOverride(const QString& folder) : previous(qv::ProgramFolder::path())
    {
        qv::ProgramFolder::setPath(folder);
    }
    ~FolderOverride() { qv::ProgramFolder::setPath(previous); }
    QString previous;
};

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

TEST(Connections, PathsAndStringsKeepTheirTexts)
{
    {
        FolderOverride f("C:\\Salon");
        EXPECT_EQ(databasePath(), "C:\\Salon\\KVD.mdb");
        EXPECT_EQ(databasePathPlain(), "C:\\Salon\\KVD.mdb");
        EXPECT_EQ(recordWindowConnectionString(),
                  "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Salon\\KVD.mdb;Persist Security Info=False");
        EXPECT_EQ(lookupConnectionString(),
                  "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Salon\\KVD.mdb;Persist Security Info=False");
        EXPECT_EQ(userListConnectionString(), "PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Salon\\KVD.mdb;");
        EXPECT_EQ(shapeConnectionString(),
                  "PROVIDER=MSDataShape;Data PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Salon\\KVD.mdb;");
        EXPECT_EQ(chartConnectionString(),
                  "Provider=MSDataShape;Data Source=C:\\Salon\\KVD.mdb;Data Provider=Microsoft.Jet.OLEDB.4.0");
    }
    {
        // The root of a drive ends in its separator: the careful path adds
        // none, the plain one doubles it.
        FolderOverride f("C:\\");
        EXPECT_EQ(databasePath(), "C:\\KVD.mdb");
        EXPECT_EQ(databasePathPlain(), "C:\\\\KVD.mdb");
        EXPECT_EQ(reportConnectionString(),
                  "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\KVD.mdb;Persist Security Info=False");
    }
    {
        FolderOverride f("/");
        EXPECT_EQ(databasePath(), "/KVD.mdb");
        EXPECT_EQ(qv::Connection::fileOf(recordWindowConnectionString()), "/KVD.mdb");
    }
}

TEST(Connections, EveryFormAndBothPathsOpenTheSameFile)
{
    qvtest::SalonDb db;
    db.seed();
    // A folder given with its trailing separator, as the root of a drive is.
    FolderOverride f(db.folder() + "/");
    EXPECT_FALSE(databasePath().contains("//"));
    EXPECT_FALSE(databasePath().contains("/\\"));
    EXPECT_TRUE(databasePathPlain().endsWith("/\\KVD.mdb"));

    const QStringList strings = {recordWindowConnectionString(), reportConnectionString(), lookupConnectionString(),
                                 userListConnectionString(),     shapeConnectionString(),  chartConnectionString()};
    for (const QString& s : strings) {
        SCOPED_TRACE(s.toStdString());
        EXPECT_EQ(canonical(qv::Connection::fileOf(s)), canonical(db.file()));
        qv::Connection cn;
        ASSERT_NO_THROW(cn.open(s));
        EXPECT_EQ(salontest::num(cn.execute("SELECT count(*) FROM [Users]")->value(0)), 2);
    }
}

TEST(Connections, CountGuardedOpenTellsEmptyFromFilledAndPassesErrorsOn)
{
    qvtest::SalonDb db;
    EXPECT_FALSE(countGuardedOpen("SELECT count(*) FROM [ServiceMenu]"));
    EXPECT_FALSE(countGuardedOpen("SELECT count(*) FROM [StockControl]"));

    db.insert("StockControl", {{"Category", "Foils"}, {"Price", 0}});
    EXPECT_TRUE(countGuardedOpen("SELECT count(*) FROM [StockControl]"));
    EXPECT_FALSE(countGuardedOpen("SELECT count(*) FROM [ServiceMenu]"));

    // A missing table and a missing file reach the caller with a text to show.
    db.execRaw("DROP TABLE Servicemenu");
    try {
        countGuardedOpen("SELECT count(*) FROM [ServiceMenu]");
        ADD_FAILURE() << "a missing table was counted";
    } catch (const qv::Error& e) {
        EXPECT_FALSE(e.description().isEmpty());
    }
    ASSERT_TRUE(QFile::remove(db.file()));
    try {
        countGuardedOpen("SELECT count(*) FROM [StockControl]");
        ADD_FAILURE() << "a missing file was counted";
    } catch (const qv::Error& e) {
        EXPECT_FALSE(e.description().isEmpty());
    }
    // Counting never creates the file.
    EXPECT_FALSE(QFile::exists(db.file()));
}

TEST(Connections, ReportQueryKeepsItsRowsUntilClosed)
{
    qvtest::SalonDb db;
    db.seed();
    {
        ReportQuery q("SELECT * FROM Employees1 Order by LastName");
        ASSERT_TRUE(q.recordset());
        EXPECT_EQ(q.recordset()->recordCount(), 3);
        EXPECT_NEAR(salontest::columnSum(*q.recordset(), "TotalsPaid"), 47.65 + 48.10 + 37.60, 1e-9);
        q.close();
        EXPECT_FALSE(q.recordset()->isOpen());
    }
    EXPECT_THROW(ReportQuery("SELECT * FROM NoSuchTable"), qv::Error);
}
