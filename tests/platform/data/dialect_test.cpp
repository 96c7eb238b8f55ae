// The windows' query texts run as they stand: translation to SQLite and the
// results those texts give on a real file.
#include "data_fixture.h"
#include "platform/data/dialect.h"
#include <QFile>
#include <gtest/gtest.h>

using namespace datatest;
using qv::Recordset;

TEST(Dialect, TranslatesNamesDatesStringsAndRunTogetherTokens)
{
    using qv::sql::translate;
    EXPECT_EQ(translate("SELECT*FROM [Servicemenu]WHERE DateAppointment =#07/09/2001# ORDER BY DateAppointment;"),
              "SELECT * FROM \"Servicemenu\" WHERE DateAppointment = '2001-07-09 00:00:00' ORDER BY DateAppointment ;");
    EXPECT_EQ(translate("SELECT DISTINCT SalonArtist,Sum (Price)As [Totals]FROM Servicemenu"),
              "SELECT DISTINCT SalonArtist , Sum ( Price ) As \"Totals\" FROM Servicemenu");
    EXPECT_EQ(translate("Where [ServiceMenu.DateAppointment] ORDER BY [ServiceMenu.DateAppointment]ASC"),
              "Where \"ServiceMenu\".\"DateAppointment\" ORDER BY \"ServiceMenu\".\"DateAppointment\" ASC");
    EXPECT_EQ(translate("WHERE StockControl.Price=0"), "WHERE StockControl.Price = 0");
    EXPECT_EQ(translate("x >= #6/7/01 10:30:00 AM# And y<= #7/9/2001 5 pm#"),
              "x >= '2001-06-07 10:30:00' And y <= '2001-07-09 17:00:00'");
    EXPECT_EQ(translate("UserName='O''Neil' AND Password=\"it's\""), "UserName = 'O''Neil' AND Password = 'it''s'");
    EXPECT_EQ(translate("Phone LIKE '*555-?2*'"), "Phone LIKE '%555-_2%'");
    EXPECT_EQ(translate("Name Like '*100%_*'"), "Name Like '%100\\%\\_%' ESCAPE '\\'");
    // Groups ignore the case of every letter, as the windows' own grouping does.
    EXPECT_EQ(translate("SELECT a FROM t WHERE x<= ? group by SalonArtist"),
              "SELECT a FROM t WHERE x <= ? group by qv_fold(SalonArtist)");
    EXPECT_EQ(translate("FROM [Servicemenu] Group By [DateAppointment],[CustomerName], Lower(x) ORDER BY 1"),
              "FROM \"Servicemenu\" Group By qv_fold(\"DateAppointment\") , qv_fold(\"CustomerName\") , "
              "qv_fold(Lower ( x )) ORDER BY 1");
    EXPECT_THROW(translate("x = #not a date#"), qv::Error);
    EXPECT_THROW(translate("x = 'open"), qv::Error);
    EXPECT_THROW(translate("SELECT [x FROM y"), qv::Error);
}

TEST(Dialect, ReadsShapeCommands)
{
    const auto a = qv::sql::parseShape(
        "SHAPE {select CustomerID,CustomerPhone from Servicemenu} AS ParentCMD APPEND ({select CustomerID,CustomerPhone from "
        "Servicemenu } AS ChildCMD RELATE CustomerPhone TO CustomerPhone) AS ChildCMD");
    EXPECT_EQ(a.parentSql, "select CustomerID,CustomerPhone from Servicemenu");
    ASSERT_EQ(a.appends.size(), 1);
    EXPECT_EQ(a.appends[0].name, "ChildCMD");
    EXPECT_EQ(a.appends[0].relations[0].parentField, "CustomerPhone");

    const auto c = qv::sql::parseShape("SHAPE {select ProductSales,Price,DateAppointment from Servicemenu} AS ChildCommand "
                                       "COMPUTE ChildCommand, AVG(ChildCommand.[Price]) AS [Price] BY [DateAppointment], "
                                       "[ProductSales]");
    EXPECT_TRUE(c.compute);
    EXPECT_EQ(c.computeChapter, "ChildCommand");
    ASSERT_EQ(c.aggregates.size(), 1);
    EXPECT_EQ(c.aggregates[0].function, "AVG");
    EXPECT_EQ(c.aggregates[0].field, "Price");
    EXPECT_EQ(c.by, (QStringList{"DateAppointment", "ProductSales"}));

    EXPECT_THROW(qv::sql::parseShape("SHAPE {select * from x} APPEND ({select * from y} RELATE a b)"), qv::Error);
    EXPECT_THROW(qv::sql::parseShape("SHAPE {select * from x} AS C COMPUTE C, MEDIAN(C.[a]) BY [b]"), qv::Error);
}

TEST(Dialect, DateRangesCountsSumsAndGroupsOnTheFile)
{
    DataFixture db;
    seedTickets(db);
    auto c = db.connect();

    // Both ends of a typed range are inclusive; one day by the same date twice.
    auto range = c->execute("SELECT *FROM Tickets  WHERE Visit >= #7/2/2001# And Visit<= #7/9/2001# ");
    EXPECT_EQ(range->recordCount(), 3);
    auto day = c->execute("SELECT *FROM [tickets]WHERE Visit =#07/03/2001# ORDER BY Visit, StartTime;");
    EXPECT_EQ(day->recordCount(), 1);
    EXPECT_EQ(day->value("Client").toString(), "Bob Stone");

    auto count = c->execute("SELECT COUNT (*) FROM Tickets WHERE Client='ANN LEE'");
    EXPECT_EQ(count->value(0).toLongLong(), 3);   // text equality ignores case

    auto sums = c->execute("SELECT DISTINCT Client,Sum (Price)As [Totals]FROM Tickets  WHERE Visit >= #7/1/2001# And "
                           "Visit<= #7/31/2001# group by Client");
    ASSERT_EQ(sums->recordCount(), 3);
    EXPECT_TRUE(sums->find("Client", "ann lee"));
    EXPECT_DOUBLE_EQ(sums->value("Totals").toDouble(), 115.25);

    // The condition may be the date field itself: rows with a date.
    db.add("Tickets", {row({{"Client", "Undated"}})});
    auto dated = c->execute("SELECT * FROM [Tickets] Where [Tickets.Visit] ORDER BY [Tickets.Visit]ASC");
    EXPECT_EQ(dated->recordCount(), 5);
    EXPECT_EQ(dated->value("Client").toString(), "Ann Lee");

    auto like = c->execute("SELECT * FROM Tickets WHERE Phone LIKE '*555-1212*'");
    EXPECT_EQ(like->recordCount(), 2);
    EXPECT_THROW(c->execute("select Password,Name from People"), qv::Error);   // no such field
}

TEST(Connection, FileNameComesFromDataSourceWithBackslashesAsSeparators)
{
    using qv::Connection;
    EXPECT_EQ(Connection::fileOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/salon\\KVD.mdb;Persist Security Info=False"),
              "/opt/salon/KVD.mdb");
    EXPECT_EQ(Connection::fileOf("PROVIDER=MSDataShape;Data PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=/\\KVD.mdb;"),
              "/KVD.mdb");
    EXPECT_EQ(Connection::fileOf("Provider=MSDataShape;Data Source=/opt/salon\\\\KVD.mdb;Data Provider=Microsoft.Jet.OLEDB.4.0"),
              "/opt/salon/KVD.mdb");
    EXPECT_EQ(Connection::fileOf("Provider=x;Data Source=\"/a b;c\\KVD.mdb\";Other=1"), "/a b;c/KVD.mdb");
    EXPECT_EQ(Connection::fileOf("Provider=x"), "");
}

TEST(Connection, MissingForeignAndDamagedFilesAreRefusedAndLeftAlone)
{
    qvtest::TempProgramFolder folder;
    const QString missing = folder.file("KVD.mdb");
    qv::Connection c;
    try {
        c.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder.path() + "\\KVD.mdb;Persist Security Info=False");
        ADD_FAILURE() << "opened a missing file";
    } catch (const qv::Error& e) {
        EXPECT_EQ(e.description(), "Could not find file '" + missing + "'.");
    }
    EXPECT_FALSE(QFile::exists(missing));   // opening never creates the file

    // Somebody else's SQLite file.
    {
        sqlite3* db = nullptr;
        sqlite3_open(missing.toUtf8().constData(), &db);
        sqlite3_exec(db, "CREATE TABLE notes(x); INSERT INTO notes VALUES (1);", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    QString why;
    EXPECT_FALSE(qv::Database::isDatabase(missing, &why));
    EXPECT_TRUE(why.contains("not a Quorvel database")) << why.toStdString();
    EXPECT_THROW(c.open("Data Source=" + missing), qv::Error);
    EXPECT_FALSE(c.isOpen());

    // A file that is no database at all is not touched.
    const QString junk = folder.file("junk.mdb");
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    EXPECT_FALSE(qv::Database::isDatabase(junk, &why));
    EXPECT_TRUE(why.contains("not a Quorvel database")) << why.toStdString();
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(4096, 'x'));

    EXPECT_FALSE(qv::Database::isDatabase(folder.path(), &why));
}

TEST(Connection, CreateRefusesAnExistingFileAndRootPathsNameTheSameFile)
{
    DataFixture db;
    EXPECT_THROW(qv::Database::create(db.file(), testTables()), qv::Error);
    EXPECT_TRUE(qv::Database::isDatabase(db.file()));
    EXPECT_TRUE(qv::Database::canOpenExclusively(db.file()));

    // Rule A on a folder ending in a separator, rule B doubling it: one file.
    qv::Connection a, b;
    a.open("Data Source=" + db.folder() + "/\\KVD.mdb");
    b.open("Data Source=" + db.folder() + "\\KVD.mdb");
    EXPECT_EQ(a.file(), b.file());
    EXPECT_EQ(a.execute("SELECT count(*) FROM Tickets")->value(0).toLongLong(), 0);
    EXPECT_EQ(db.raw("PRAGMA journal_mode").toString(), "delete");
}

TEST(Connection, MissingTableIsAClearError)
{
    DataFixture db;
    auto c = db.connect();
    try {
        c->execute("SELECT count(*) FROM [Nothing]");
        ADD_FAILURE();
    } catch (const qv::Error& e) {
        EXPECT_TRUE(e.description().contains("Nothing")) << e.description().toStdString();
    }
    Recordset rs;
    EXPECT_THROW(rs.open("SELECT * FROM Nothing", *c), qv::Error);
    EXPECT_FALSE(rs.isOpen());
}
