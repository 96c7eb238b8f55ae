// The recordset as the record windows drive it: positions, edits, saves,
// deletes, cancels, bookmarks and the notifications bound boxes rely on.
#include "data_fixture.h"
#include "platform/values/money.h"
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace datatest;
using qv::EditMode;
using qv::Recordset;

namespace {

const QString kNoCurrent = QStringLiteral(
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a current record.");

QString errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const qv::Error& e) {
        return e.description();
    }
    return QString();
}

struct Opened {
    DataFixture db;
    std::unique_ptr<qv::Connection> conn;
    Recordset rs;
    explicit Opened(bool seed = true, const QString& sql = QStringLiteral("SELECT * FROM Tickets"))
    {
        if (seed)
            seedTickets(db);
        conn = db.connect();
        rs.open(sql, *conn);
    }
};

} // namespace

TEST(Recordset, WalksTheRowsWithBofEofAndPositions)
{
    Opened o;
    Recordset& rs = o.rs;
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_EQ(rs.absolutePosition(), 1);
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.value("Client").toString(), "Ann Lee");

    rs.moveLast();
    EXPECT_EQ(rs.absolutePosition(), 5);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), -3);
    EXPECT_EQ(errorOf([&] { rs.moveNext(); }), kNoCurrent);
    EXPECT_EQ(errorOf([&] { rs.value("Client"); }), kNoCurrent);

    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), -2);
    EXPECT_EQ(errorOf([&] { rs.movePrevious(); }), kNoCurrent);

    rs.setAbsolutePosition(3);
    EXPECT_EQ(rs.value("Client").toString(), "ann lee");
    EXPECT_FALSE(errorOf([&] { rs.setAbsolutePosition(6); }).isEmpty());
    rs.move(2);
    EXPECT_EQ(rs.absolutePosition(), 5);
    rs.move(5);
    EXPECT_TRUE(rs.eof());
}

TEST(Recordset, EmptyRecordsetIsBothBofAndEofAndRefusesMoves)
{
    Opened o(false);
    EXPECT_TRUE(o.rs.bof());
    EXPECT_TRUE(o.rs.eof());
    EXPECT_EQ(o.rs.recordCount(), 0);
    EXPECT_EQ(o.rs.absolutePosition(), -1);
    EXPECT_EQ(errorOf([&] { o.rs.moveLast(); }), kNoCurrent);
    EXPECT_EQ(errorOf([&] { o.rs.moveFirst(); }), kNoCurrent);
    EXPECT_EQ(errorOf([&] { o.rs.move(0); }), kNoCurrent);
    EXPECT_EQ(errorOf([&] { o.rs.updateBatch(); }), kNoCurrent);   // nothing to save is an error

    // An added row cancelled on an empty table leaves it empty again.
    o.rs.addNew();
    EXPECT_EQ(o.rs.recordCount(), 1);
    o.rs.cancelUpdate();
    EXPECT_TRUE(o.rs.bof());
    EXPECT_TRUE(o.rs.eof());
    EXPECT_EQ(o.rs.recordCount(), 0);
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets").toLongLong(), 0);
}

TEST(Recordset, ValuesComeBackInTheirFieldTypes)
{
    Opened o;
    Recordset& rs = o.rs;
    EXPECT_EQ(rs.fieldType(rs.fieldIndex("price")), qv::FieldType::Currency);
    EXPECT_EQ(rs.value("Price").value<qv::Money>(), qv::Money::fromUnits(250000));
    EXPECT_EQ(rs.value("Visit").toDateTime(), QDateTime(QDate(2001, 7, 2), QTime(0, 0)));
    EXPECT_EQ(rs.value("StartTime").toDateTime(), QDateTime(QDate(1899, 12, 30), QTime(9, 0)));
    EXPECT_EQ(rs.value("Quantity").toDouble(), 1.0);
    EXPECT_FALSE(rs.value("Seats").isValid());
    EXPECT_GE(rs.value("TicketID").toLongLong(), 1);
    // Stored as the text that sorts and compares like the moment.
    EXPECT_EQ(o.db.raw("SELECT Visit FROM Tickets WHERE Client='Bob Stone'").toString(), "2001-07-03 00:00:00");
    EXPECT_EQ(o.db.raw("SELECT StartTime FROM Tickets WHERE Client='Bob Stone'").toString(), "1899-12-30 10:30:00");
}

TEST(Recordset, EmptyTextStoresNullSoNumericComparisonsHold)
{
    Opened o;
    o.rs.setValue("Phone", "");
    o.rs.setValue("Price", "");
    o.rs.update();
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets WHERE Phone IS NULL AND Price IS NULL").toLongLong(), 1);
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets WHERE Price > 0").toLongLong(), 4);
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets WHERE Phone = ''").toLongLong(), 0);
}

TEST(Recordset, MoneyIsRoundedToFourDecimalsOnWrite)
{
    Opened o;
    o.rs.setValue("Price", 12.345678);
    o.rs.update();
    EXPECT_DOUBLE_EQ(o.db.raw("SELECT Price FROM Tickets WHERE Client='Ann Lee' ORDER BY TicketID").toDouble(), 12.3457);
    EXPECT_EQ(o.rs.value("Price").value<qv::Money>(), qv::Money::fromUnits(123457));
}

TEST(Recordset, RefusedConversionNamesFieldAndValueAndKeepsTheOldValue)
{
    Opened o;
    Recordset& rs = o.rs;
    const QString err = errorOf([&] { rs.setValue("Quantity", "two"); });
    EXPECT_TRUE(err.contains("Quantity")) << err.toStdString();
    EXPECT_TRUE(err.contains("two")) << err.toStdString();
    EXPECT_EQ(rs.value("Quantity").toDouble(), 1.0);
    EXPECT_EQ(rs.editMode(), EditMode::None);

    EXPECT_FALSE(errorOf([&] { rs.setValue("Price", "abc"); }).isEmpty());
    EXPECT_FALSE(errorOf([&] { rs.setValue("Visit", "32/13/2001"); }).isEmpty());
    EXPECT_FALSE(errorOf([&] { rs.setValue("Seats", "12abc"); }).isEmpty());
    EXPECT_FALSE(errorOf([&] { rs.setValue("Seats", "1e12"); }).isEmpty());
    EXPECT_FALSE(errorOf([&] { rs.setValue("Quantity", "inf"); }).isEmpty());
    EXPECT_EQ(rs.value("Price").value<qv::Money>(), qv::Money::fromUnits(250000));

    // What a box shows in its display format reads back.
    rs.setValue("Quantity", "1,250.50");
    EXPECT_EQ(rs.value("Quantity").toDouble(), 1250.5);
    rs.setValue("Price", "$1,234.50");
    EXPECT_EQ(rs.value("Price").value<qv::Money>(), qv::Money::fromUnits(12345000));
    rs.setValue("Seats", " 12 ");
    EXPECT_EQ(rs.value("Seats").toLongLong(), 12);
    rs.setValue("Paid", "True");
    EXPECT_EQ(rs.value("Paid").toBool(), true);
}

TEST(Recordset, EditIsSavedWhenTheRowIsLeftAndOnlyChangedFieldsAreWritten)
{
    Opened o;
    Recordset& rs = o.rs;
    rs.setValue("Phone", "111-2222");
    EXPECT_EQ(rs.editMode(), EditMode::InProgress);
    EXPECT_TRUE(rs.isChanged("Phone"));
    EXPECT_FALSE(rs.isChanged("Client"));
    // Another program changes a field this row did not touch; leaving still saves.
    o.db.rawExec("UPDATE Tickets SET Notes='from elsewhere' WHERE Client='Ann Lee' AND Price=25");
    rs.moveNext();
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(o.db.raw("SELECT Phone FROM Tickets WHERE Price=25").toString(), "111-2222");
    EXPECT_EQ(o.db.raw("SELECT Notes FROM Tickets WHERE Price=25").toString(), "from elsewhere");
}

TEST(Recordset, UpdateConflictWithAnotherWindowIsReported)
{
    Opened o;
    auto other = o.db.connect();
    Recordset theirs;
    theirs.open("SELECT * FROM Tickets", *other);

    o.rs.setValue("Phone", "mine");
    theirs.setValue("Phone", "theirs");
    theirs.update();
    const QString err = errorOf([&] { o.rs.update(); });
    EXPECT_TRUE(err.contains("changed")) << err.toStdString();
    EXPECT_EQ(o.db.raw("SELECT Phone FROM Tickets WHERE Price=25").toString(), "theirs");
    EXPECT_EQ(o.rs.editMode(), EditMode::InProgress);   // still pending; Cancel discards it

    theirs.moveNext();
    theirs.deleteCurrent();
    o.rs.cancelUpdate();
    o.rs.moveNext();
    o.rs.setValue("Phone", "too late");
    const QString gone = errorOf([&] { o.rs.update(); });
    EXPECT_TRUE(gone.contains("deleted")) << gone.toStdString();
}

TEST(Recordset, ResyncReadsTheRowAgainUnderThePendingChanges)
{
    Opened o;
    Recordset& rs = o.rs;
    QSignalSpy shown(&rs, &Recordset::moveComplete);
    rs.setValue("Phone", "mine");
    o.db.rawExec("UPDATE Tickets SET Quantity=7, Phone='theirs' WHERE Price=25");
    EXPECT_EQ(rs.value("Quantity").toDouble(), 1);
    rs.resync();
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(rs.value("Quantity").toDouble(), 7);
    EXPECT_EQ(rs.value("Phone").toString(), "mine");
    EXPECT_EQ(rs.editMode(), EditMode::InProgress);
    // Read again, the row is saved over what the table holds now.
    rs.update();
    EXPECT_EQ(o.db.raw("SELECT Phone FROM Tickets WHERE Price=25").toString(), "mine");
    EXPECT_EQ(o.db.raw("SELECT Quantity FROM Tickets WHERE Price=25").toDouble(), 7);

    // A row gone from the table cannot be read again; a new one is only shown again.
    o.db.rawExec("DELETE FROM Tickets WHERE Price=25");
    EXPECT_TRUE(errorOf([&] { rs.resync(); }).contains("deleted"));
    rs.addNew();
    rs.setValue("Client", "New");
    rs.resync();
    EXPECT_EQ(rs.value("Client").toString(), "New");
    rs.moveLast();
    rs.moveNext();
    EXPECT_EQ(errorOf([&] { rs.resync(); }), kNoCurrent);
}

TEST(Recordset, AddNewThenCancelReturnsToThePreviousRow)
{
    Opened o;
    Recordset& rs = o.rs;
    rs.setAbsolutePosition(2);
    rs.addNew();
    EXPECT_EQ(rs.editMode(), EditMode::Add);
    EXPECT_EQ(rs.recordCount(), 6);
    EXPECT_FALSE(rs.value("Client").isValid());
    rs.setValue("Client", "Nobody");
    rs.cancelUpdate();
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(rs.absolutePosition(), 2);
    EXPECT_EQ(rs.value("Client").toString(), "Bob Stone");
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets").toLongLong(), 5);
}

TEST(Recordset, AddNewSavedBecomesLastRowWithItsAutonumber)
{
    Opened o;
    Recordset& rs = o.rs;
    rs.addNew();
    rs.setValue("Client", "Dan Fox");
    rs.setValue("Visit", QDate(2001, 8, 1));
    rs.updateBatch();
    EXPECT_EQ(rs.editMode(), EditMode::None);
    rs.moveLast();
    EXPECT_EQ(rs.value("Client").toString(), "Dan Fox");
    EXPECT_EQ(rs.value("TicketID").toLongLong(), 6);
    EXPECT_EQ(o.db.raw("SELECT Visit FROM Tickets WHERE TicketID=6").toString(), "2001-08-01 00:00:00");
}

TEST(Recordset, AddNewIsSavedByAMoveLikeAnEdit)
{
    Opened o;
    o.rs.addNew();
    o.rs.setValue("Client", "Eve");
    o.rs.moveFirst();
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets WHERE Client='Eve'").toLongLong(), 1);
}

TEST(Recordset, RequiredAndUniqueFieldsRefuseTheSaveAndKeepTheEdit)
{
    DataFixture db;
    auto c = db.connect();
    Recordset rs;
    rs.open("SELECT * FROM People", *c);
    rs.addNew();
    rs.setValue("City", "Austin");
    const QString missing = errorOf([&] { rs.update(); });
    EXPECT_TRUE(missing.contains("Name")) << missing.toStdString();
    EXPECT_EQ(rs.editMode(), EditMode::Add);
    rs.setValue("Name", "Ann");
    rs.update();

    rs.addNew();
    rs.setValue("Name", "ANN");   // unique regardless of letter case
    const QString dup = errorOf([&] { rs.update(); });
    EXPECT_TRUE(dup.contains("duplicate")) << dup.toStdString();
    rs.cancelUpdate();
    EXPECT_EQ(rs.recordCount(), 1);
}

TEST(Recordset, DeleteKeepsPositionUntilTheNextMove)
{
    Opened o;
    Recordset& rs = o.rs;
    rs.setAbsolutePosition(2);
    rs.deleteCurrent();
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets").toLongLong(), 4);
    EXPECT_EQ(errorOf([&] { rs.value("Client"); }), kNoCurrent);
    EXPECT_EQ(rs.recordCount(), 4);
    rs.moveNext();
    EXPECT_EQ(rs.absolutePosition(), 2);
    EXPECT_EQ(rs.value("Client").toString(), "ann lee");

    // Deleting the last row: the next move reaches EOF, the last is the new last.
    rs.moveLast();
    rs.deleteCurrent();
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.moveLast();
    EXPECT_EQ(rs.value("Client").toString(), "Cara O'Brien");
}

TEST(Recordset, DeletingTheOnlyRowLeavesAnEmptyRecordset)
{
    DataFixture db;
    db.add("People", {row({{"Name", "Solo"}})});
    auto c = db.connect();
    Recordset rs;
    rs.open("SELECT * FROM People", *c);
    rs.deleteCurrent();
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(errorOf([&] { rs.moveLast(); }), kNoCurrent);
}

TEST(Recordset, BookmarksNameTheSameRowAcrossRequery)
{
    Opened o;
    Recordset& rs = o.rs;
    rs.setAbsolutePosition(4);
    const double mark = rs.bookmark();
    EXPECT_GT(mark, 0);
    // Another program adds a row at the front of the order.
    o.db.rawExec("INSERT INTO Tickets (Client) VALUES ('Aaron')");
    rs.moveFirst();
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 6);
    rs.setBookmark(mark);
    EXPECT_EQ(rs.value("Client").toString(), "Cara O'Brien");

    rs.deleteCurrent();
    rs.moveFirst();
    EXPECT_FALSE(errorOf([&] { rs.setBookmark(mark); }).isEmpty());
}

TEST(Recordset, RequeryWhileAddingOrEditingIsRefused)
{
    Opened o;
    o.rs.addNew();
    EXPECT_EQ(errorOf([&] { o.rs.requery(); }), "Operation is not allowed in this context.");
    o.rs.cancelUpdate();
    o.rs.setValue("Phone", "x");
    EXPECT_EQ(errorOf([&] { o.rs.requery(); }), "Operation is not allowed in this context.");
    o.rs.cancelUpdate();
    o.rs.moveLast();
    o.rs.requery();
    EXPECT_EQ(o.rs.absolutePosition(), 1);
}

TEST(Recordset, CommitHooksRunBeforeMovesAndSavesButMoveZeroDoesNotWrite)
{
    Opened o;
    Recordset& rs = o.rs;
    QString boxText = "typed";
    bool boxChanged = true;
    int hookRuns = 0;
    rs.addCommitHook([&] {
        ++hookRuns;
        if (boxChanged)
            rs.setValue("Notes", boxText);
        boxChanged = false;
    });
    QSignalSpy moves(&rs, &Recordset::moveComplete);

    rs.move(0);
    EXPECT_EQ(hookRuns, 1);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(rs.value("Notes").toString(), "typed");
    EXPECT_EQ(rs.editMode(), EditMode::InProgress);
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets WHERE Notes='typed'").toLongLong(), 0);

    rs.cancelUpdate();   // Cancel still discards what move(0) put into the row
    EXPECT_FALSE(rs.value("Notes").isValid());

    boxChanged = true;
    rs.moveNext();
    EXPECT_EQ(o.db.raw("SELECT count(*) FROM Tickets WHERE Notes='typed'").toLongLong(), 1);
    EXPECT_GE(moves.count(), 3);
}

TEST(Recordset, FailingHookStopsTheMove)
{
    Opened o;
    o.rs.addCommitHook([&] { o.rs.setValue("Quantity", "lots"); });
    EXPECT_FALSE(errorOf([&] { o.rs.moveNext(); }).isEmpty());
    EXPECT_EQ(o.rs.absolutePosition(), 1);
}

TEST(Recordset, MoveCompleteFollowsEveryMoveSaveAndRequery)
{
    Opened o;
    QSignalSpy moves(&o.rs, &Recordset::moveComplete);
    o.rs.moveNext();
    o.rs.moveLast();
    o.rs.movePrevious();
    o.rs.moveFirst();
    o.rs.setValue("Phone", "1");
    o.rs.update();
    o.rs.requery();
    EXPECT_EQ(moves.count(), 6);
}

TEST(Recordset, QueryResultsAreReadOnly)
{
    Opened o(true, "SELECT Client, Sum (Price)As [Total]FROM Tickets GROUP BY Client");
    EXPECT_TRUE(o.rs.isReadOnly());
    EXPECT_FALSE(errorOf([&] { o.rs.setValue("Client", "x"); }).isEmpty());
    EXPECT_FALSE(errorOf([&] { o.rs.addNew(); }).isEmpty());
    EXPECT_FALSE(errorOf([&] { o.rs.deleteCurrent(); }).isEmpty());

    auto executed = o.conn->execute("SELECT * FROM Tickets");
    EXPECT_TRUE(executed->isReadOnly());
    EXPECT_FALSE(errorOf([&] { executed->setValue("Client", "x"); }).isEmpty());
}

TEST(Recordset, WritableQueryWithWhereAndOrder)
{
    Opened o(true, "SELECT *  FROM Tickets Where Tickets.Price>0 Order BY Tickets.Price DESC");
    EXPECT_FALSE(o.rs.isReadOnly());
    EXPECT_EQ(o.rs.value("Client").toString(), "ann lee");   // 60
    o.rs.setValue("Quantity", 3);
    o.rs.update();
    EXPECT_EQ(o.db.raw("SELECT Quantity FROM Tickets WHERE Price=60").toDouble(), 3.0);
}

TEST(Recordset, DisconnectedRecordsetKeepsItsRowsAndCannotWrite)
{
    DataFixture db;
    seedTickets(db);
    Recordset rs;
    rs.openDisconnected("Select * from Tickets", db.connectionString());
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_TRUE(rs.isReadOnly());
    EXPECT_FALSE(errorOf([&] { rs.setValue("Client", "x"); }).isEmpty());

    auto c = db.connect();
    Recordset live;
    live.open("SELECT * FROM Tickets", *c);
    c->close();
    EXPECT_EQ(live.value("Client").toString(), "Ann Lee");
    EXPECT_FALSE(errorOf([&] { live.setValue("Client", "x"); }).isEmpty());
}

TEST(Recordset, ValueAtReadsAnyRowWithoutMoving)
{
    Opened o;
    Recordset& rs = o.rs;
    QSignalSpy moves(&rs, &Recordset::moveComplete);
    rs.setAbsolutePosition(2);
    rs.setValue("Client", "Pending Name");
    const int client = rs.fieldIndex("Client");
    EXPECT_EQ(rs.valueAt(0, client).toString(), "Ann Lee");
    EXPECT_EQ(rs.valueAt(1, client).toString(), "Pending Name");
    EXPECT_EQ(rs.valueAt(4, rs.fieldIndex("Price")).value<qv::Money>(), qv::Money::fromUnits(302500));
    EXPECT_THROW(rs.valueAt(5, client), qv::Error);
    EXPECT_EQ(rs.absolutePosition(), 2);
    EXPECT_EQ(rs.editMode(), EditMode::InProgress);
    EXPECT_EQ(moves.count(), 1);

    rs.cancelUpdate();
    rs.deleteCurrent();   // rows after the deleted one keep their numbers as counted
    EXPECT_EQ(rs.valueAt(1, client).toString(), "ann lee");
    EXPECT_EQ(rs.valueAt(3, client).toString(), "Ann Lee");
}

// The copy a report takes of every row must read as valueAt reads, also
// where a value differs from the one above it only in its kind or case.
TEST(Recordset, ValuesOfCopiesEveryRowAsValueAtReadsIt)
{
    DataFixture db;
    seedTickets(db);
    db.rawExec("INSERT INTO Tickets (Client, Visit, Price, Seats, Quantity, Notes) VALUES "
               "('ann lee', '2001-07-16 00:00:00', 30.25, 2, 2, ''), "
               "('ann lee', '2001-07-16 00:00:00', 30.2500001, 2.5, 2, NULL), "
               "('Ann Lee', '2001-07-16 12:00:00', 30.2500001, 2.5, 2.0, X'00'), "
               "(NULL, NULL, NULL, NULL, NULL, NULL)");
    auto conn = db.connect();
    Recordset rs;
    rs.open(QStringLiteral("SELECT * FROM Tickets ORDER BY TicketID"), *conn);
    QVector<int> fields;
    for (int f = rs.fieldCount() - 1; f >= 0; --f)
        fields << f;
    fields << rs.fieldIndex("Client");   // a field asked for twice
    const auto same = [&](const char* state) {
        const QList<QVector<QVariant>> rows = rs.valuesOf(fields);
        ASSERT_EQ(rows.size(), rs.recordCount()) << state;
        for (int r = 0; r < rows.size(); ++r)
            for (int i = 0; i < fields.size(); ++i) {
                const QVariant expected = rs.valueAt(r, fields[i]);
                EXPECT_EQ(rows[r][i].metaType(), expected.metaType()) << state << " row " << r << " field " << fields[i];
                EXPECT_EQ(rows[r][i], expected) << state << " row " << r << " field " << fields[i];
            }
    };
    same("as read");
    EXPECT_EQ(rs.valuesOf({rs.fieldIndex("Client")}).at(5).at(0).toString(), "ann lee");

    rs.setAbsolutePosition(6);
    rs.setValue("Client", "Pending Name");
    same("while editing");
    EXPECT_EQ(rs.valuesOf({rs.fieldIndex("Client")}).at(5).at(0).toString(), "Pending Name");
    EXPECT_EQ(rs.absolutePosition(), 6);
    EXPECT_EQ(rs.editMode(), EditMode::InProgress);

    rs.cancelUpdate();
    rs.deleteCurrent();
    same("after a delete");
    EXPECT_EQ(rs.valuesOf(fields).size(), 8);
    EXPECT_THROW(rs.valuesOf({rs.fieldCount()}), qv::Error);
}

TEST(Connection, ExecuteBindsTypedValuesInsteadOfPastingThem)
{
    DataFixture db;
    seedTickets(db);
    auto c = db.connect();
    auto rs = c->execute("SELECT COUNT (*) FROM Tickets WHERE Client=? AND Visit>=?",
                         {QStringLiteral("cara o'brien"), QDate(2001, 7, 1)});
    EXPECT_EQ(rs->value(0).toLongLong(), 1);
    EXPECT_EQ(c->execute("SELECT COUNT (*) FROM Tickets WHERE Client=?", {QStringLiteral("' OR ''='")})->value(0).toLongLong(), 0);
    EXPECT_THROW(c->execute("SELECT * FROM Tickets WHERE Client=?", {}), qv::Error);
}
