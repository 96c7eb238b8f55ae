// Chapters of shaped recordsets, grouped COMPUTE results, and the in-memory
// find that the record windows' find buttons use.
#include "data_fixture.h"
#include "support/recordset_readers.h"
#include <gtest/gtest.h>

using namespace datatest;
using qv::Recordset;
using qvtest::column;

namespace {

const char* kRelate =
    "SHAPE {select *from Tickets} AS ParentCMD APPEND ({select *from Tickets } AS ChildCMD RELATE Client TO Client) AS ChildCMD";

} // namespace

TEST(Shape, ChapterHoldsTheRowsOfTheSameKeyIgnoringCase)
{
    DataFixture db;
    seedTickets(db);
    auto c = db.connect();
    Recordset rs;
    rs.open(kRelate, *c);
    EXPECT_FALSE(rs.isReadOnly());
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_EQ(rs.fieldIndex("ChildCMD"), -1);   // a chapter, not a field

    auto chapter = rs.chapter("ChildCMD");
    EXPECT_TRUE(chapter->isReadOnly());
    EXPECT_EQ(chapter->fieldCount(), rs.fieldCount());
    EXPECT_EQ(column(*chapter, "Visit").size(), 3);   // "Ann Lee" and "ann lee"
    rs.moveNext();
    EXPECT_EQ(column(*rs.chapter("childcmd"), "Client"), QStringList{"Bob Stone"});
}

TEST(Shape, ChapterReadAfterTheParentSavesIncludesTheSavedRow)
{
    DataFixture db;
    seedTickets(db);
    auto c = db.connect();
    Recordset rs;
    rs.open(kRelate, *c);
    rs.addNew();
    rs.setValue("Client", "BOB STONE");
    rs.setValue("Price", "99");
    rs.update();
    EXPECT_EQ(column(*rs.chapter("ChildCMD"), "Price").size(), 2);

    // A changed key moves the row from one chapter to the other.
    rs.moveFirst();
    rs.setValue("Client", "Bob Stone");
    rs.update();
    EXPECT_EQ(rs.chapter("ChildCMD")->recordCount(), 3);
    rs.setAbsolutePosition(3);
    EXPECT_EQ(rs.value("Client").toString(), "ann lee");
    EXPECT_EQ(rs.chapter("ChildCMD")->recordCount(), 2);

    // A deleted row leaves its chapter.
    rs.deleteCurrent();
    rs.moveFirst();
    rs.moveLast();
    rs.movePrevious();
    EXPECT_EQ(rs.value("Client").toString(), "Ann Lee");
    EXPECT_EQ(rs.chapter("ChildCMD")->recordCount(), 1);
}

TEST(Shape, NullKeyMatchesNothingAndNoCurrentRowGivesAnEmptyChapter)
{
    DataFixture db;
    db.add("Tickets", {row({{"Phone", "1"}}), row({{"Phone", "2"}}), row({{"Client", "X"}})});
    auto c = db.connect();
    Recordset rs;
    rs.open(kRelate, *c);
    EXPECT_EQ(rs.chapter("ChildCMD")->recordCount(), 0);
    rs.moveLast();
    EXPECT_EQ(rs.chapter("ChildCMD")->recordCount(), 1);
    rs.moveNext();
    EXPECT_EQ(rs.chapter("ChildCMD")->recordCount(), 0);
    EXPECT_FALSE(rs.hasChapter("Other"));
    EXPECT_THROW(rs.chapter("Other"), qv::Error);
}

TEST(Shape, ChildWithOtherFieldsOrAFilterReadsItsOwnRows)
{
    DataFixture db;
    seedTickets(db);
    auto c = db.connect();
    Recordset rs;
    // A projection of the same table: the chapter shows the child's three fields.
    rs.open("SHAPE {select* from Tickets} AS ParentCMD APPEND ({select Client,Phone,Price from Tickets } AS ChildCMD "
            "RELATE Phone TO Phone) AS ChildCMD",
            *c);
    auto ch = rs.chapter("ChildCMD");
    EXPECT_EQ(ch->fieldCount(), 3);
    EXPECT_EQ(ch->recordCount(), 3);
    EXPECT_EQ(ch->fieldName(2), "Price");

    // A child with its own filter is a separate query, read again after a save.
    Recordset other;
    other.open("SHAPE {select * from Tickets} APPEND ({select * from Tickets where Price > 20} RELATE Client TO Client) AS Big",
               *c);
    EXPECT_EQ(other.chapter("Big")->recordCount(), 3);
    other.addNew();
    other.setValue("Client", "Ann Lee");
    other.setValue("Price", 50);
    other.update();
    EXPECT_EQ(other.chapter("Big")->recordCount(), 4);
}

TEST(Shape, ComputeGroupsInOrderOfFirstOccurrenceWithAverages)
{
    DataFixture db;
    seedTickets(db);
    db.add("Tickets", {row({{"Client", "Bob Stone"}, {"Price", "54.50"}}), row({{"Price", "10"}})});
    auto c = db.connect();
    Recordset rs;
    rs.open("SHAPE {select Client,Price from Tickets} AS ChildCommand COMPUTE ChildCommand, "
            "AVG(ChildCommand.[Price]) AS [Price] BY [Client]",
            *c);
    EXPECT_TRUE(rs.isReadOnly());
    ASSERT_EQ(rs.recordCount(), 4);   // Ann Lee (any case), Bob Stone, Cara, null
    EXPECT_EQ(rs.value("Client").toString(), "Ann Lee");
    EXPECT_NEAR(rs.value("Price").toDouble(), (25 + 60 + 30.25) / 3.0, 1e-9);
    EXPECT_EQ(rs.chapter("ChildCommand")->recordCount(), 3);
    rs.moveNext();
    EXPECT_EQ(rs.value("Client").toString(), "Bob Stone");
    EXPECT_DOUBLE_EQ(rs.value("Price").toDouble(), 50.0);
    rs.moveLast();
    EXPECT_FALSE(rs.value("Client").isValid());
    EXPECT_DOUBLE_EQ(rs.value("Price").toDouble(), 10.0);

    Recordset two;
    two.open("SHAPE {select Quantity,Price,Visit from Tickets} AS ChildCommand COMPUTE ChildCommand, "
             "AVG(ChildCommand.[Price]) AS [Price] BY [Visit], [Quantity]",
             *c);
    EXPECT_EQ(two.fieldName(0), "Price");
    EXPECT_EQ(two.value("Visit").toDateTime().date(), QDate(2001, 7, 2));
    EXPECT_EQ(two.recordCount(), 6);   // the two undated tickets share Quantity null
}

TEST(Find, ContainedTextIgnoringCaseFromTheCurrentRow)
{
    DataFixture db;
    seedTickets(db);
    auto c = db.connect();
    Recordset rs;
    rs.open("SELECT * FROM Tickets", *c);
    EXPECT_TRUE(rs.find("Client", "*stone*"));
    EXPECT_EQ(rs.absolutePosition(), 2);
    EXPECT_TRUE(rs.find("Client", "LEE"));    // from the current row on
    EXPECT_EQ(rs.absolutePosition(), 3);
    EXPECT_FALSE(rs.find("Client", "*Stone*"));
    EXPECT_TRUE(rs.eof());
}

TEST(Find, TypedTextIsDataWildcardsAreStarAndQuestionMark)
{
    DataFixture db;
    seedTickets(db);
    db.add("Tickets", {row({{"Client", "100% Hair_Co"}}), row({{"Client", "Zoë Ärger"}})});
    auto c = db.connect();
    Recordset rs;
    rs.open("SELECT * FROM Tickets", *c);

    EXPECT_TRUE(rs.find("Client", "*o'brien*"));
    EXPECT_EQ(rs.value("Client").toString(), "Cara O'Brien");
    rs.moveFirst();
    EXPECT_FALSE(rs.find("Client", "' OR '1'='1"));
    rs.moveFirst();
    EXPECT_TRUE(rs.find("Client", "*0% h*"));       // "%" is no wildcard here
    EXPECT_EQ(rs.absolutePosition(), 6);
    rs.moveFirst();
    EXPECT_FALSE(rs.find("Client", "*0_ H*"));      // nor is "_"
    rs.moveFirst();
    EXPECT_TRUE(rs.find("Client", "*b?b*"));
    EXPECT_EQ(rs.value("Client").toString(), "Bob Stone");
    rs.moveFirst();
    EXPECT_TRUE(rs.find("Client", "*a*o*n*"));
    EXPECT_EQ(rs.absolutePosition(), 4);
    rs.moveFirst();
    EXPECT_TRUE(rs.find("Client", "*ZOË ä*"));      // case ignored beyond ASCII
    rs.moveFirst();
    EXPECT_TRUE(rs.find("Client", "Zo? *"));        // "?" is one whole character
    EXPECT_EQ(rs.absolutePosition(), 7);
}

TEST(Find, NumbersAndDatesAreSearchedAsTheyShow)
{
    DataFixture db;
    seedTickets(db);
    auto c = db.connect();
    Recordset rs;
    rs.open("SELECT * FROM Tickets", *c);
    EXPECT_TRUE(rs.find("Quantity", "*2*"));
    EXPECT_EQ(rs.value("Client").toString(), "Bob Stone");
    rs.moveFirst();
    EXPECT_TRUE(rs.find("TicketID", "4"));
    EXPECT_EQ(rs.absolutePosition(), 4);
}

TEST(Find, SavesAPendingEditBeforeSearching)
{
    DataFixture db;
    seedTickets(db);
    auto c = db.connect();
    Recordset rs;
    rs.open("SELECT * FROM Tickets", *c);
    rs.setValue("Notes", "edited");
    rs.find("Client", "*Cara*");
    EXPECT_EQ(db.raw("SELECT count(*) FROM Tickets WHERE Notes='edited'").toLongLong(), 1);
}
