// Find by text over a real recordset, with the typed answers scripted.
#include "common/find_by_text.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/services/services.h"
#include "support/program_folder.h"
#include <gtest/gtest.h>

namespace {

class FindByTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Database::create(folder.file("KVD.mdb"),
                             {{"Customers", {{"CustomerName", qv::FieldType::Text}, {"Phone", qv::FieldType::Text}}}});
        connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder.path()
                        + "\\KVD.mdb;Persist Security Info=False");
        rs.open("SELECT * FROM Customers", connection);
        const QStringList names = {"Ann Lee", "Bob Stone", "Cara O'Brien", "Dan Fox", "Bobby Reed", "Pat 50% Off"};
        for (const QString& name : names) {
            rs.addNew();
            rs.setValue("CustomerName", name);
            rs.setValue("Phone", "434-8888");
            rs.update();
        }
        rs.moveFirst();
    }
    QString current() { return rs.value("CustomerName").toString(); }
    bool find(const QString& answer)
    {
        ui.script.inputAnswers = {answer};
        return findByText(rs, "CustomerName", "Enter a customers First &  Last Name",
                          "Could not find the Customer Name. ");
    }

    qvtest::TempProgramFolder folder;
    qv::Connection connection;
    qv::Recordset rs;
    qv::ScopedScriptedUi ui;
};

TEST_F(FindByTextTest, FindsContainedTextIgnoringCaseFromTheFirstRecord)
{
    rs.moveLast();   // the search never starts from the current record
    EXPECT_TRUE(find("bob"));
    EXPECT_EQ(current(), "Bob Stone");   // of two matches, the one nearer the start
    EXPECT_EQ(rs.absolutePosition(), 2);
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Input);
    EXPECT_EQ(ui.script.events[0].text, "Enter a customers First &  Last Name");
    EXPECT_EQ(ui.script.events[0].title, "");

    EXPECT_TRUE(find("FOX"));
    EXPECT_EQ(current(), "Dan Fox");
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(FindByTextTest, AnApostropheIsMatchedAsTyped)
{
    EXPECT_TRUE(find("o'b"));
    EXPECT_EQ(current(), "Cara O'Brien");
    EXPECT_FALSE(find("Lee'"));
    EXPECT_EQ(ui.script.messages(), QStringList({"Could not find the Customer Name. Lee'"}));
}

TEST_F(FindByTextTest, TypedWildcardsActAsWildcards)
{
    EXPECT_TRUE(find("b?b*reed"));
    EXPECT_EQ(current(), "Bobby Reed");
    EXPECT_TRUE(find("50%"));   // "%" is no wildcard of the typed criterion
    EXPECT_EQ(current(), "Pat 50% Off");
    EXPECT_FALSE(find("5_%"));
}

TEST_F(FindByTextTest, NoMatchShowsTheTextAndReturnsToTheRecordBefore)
{
    rs.moveNext();
    rs.moveNext();   // Cara O'Brien
    EXPECT_FALSE(find("Zed"));
    EXPECT_EQ(ui.script.messages(), QStringList({"Could not find the Customer Name. Zed"}));
    EXPECT_EQ(ui.script.events[1].style, 0);
    EXPECT_EQ(current(), "Cara O'Brien");
}

TEST_F(FindByTextTest, NothingTypedChangesNothing)
{
    rs.moveLast();
    EXPECT_FALSE(find(""));   // Cancel answers the empty text as well
    EXPECT_EQ(current(), "Pat 50% Off");
    EXPECT_TRUE(ui.script.messages().isEmpty());
    QString typed = "x";
    ui.script.inputAnswers = {"ann"};
    EXPECT_TRUE(findByText(rs, "CustomerName", "?", "no ", &typed));
    EXPECT_EQ(typed, "ann");
}

TEST_F(FindByTextTest, AnEmptyRecordsetFindsNothing)
{
    qv::Recordset empty;
    empty.open("SELECT * FROM Customers WHERE Phone = 'none'", connection);
    ui.script.inputAnswers = {"ann"};
    EXPECT_FALSE(findByText(empty, "CustomerName", "?", "Could not find your client. "));
    EXPECT_EQ(ui.script.messages(), QStringList({"Could not find your client. ann"}));
}

TEST_F(FindByTextTest, AFieldTheRecordsetLacksIsReportedAndNothingMoves)
{
    rs.moveLast();
    ui.script.inputAnswers = {"ann"};
    EXPECT_FALSE(findByText(rs, "NoSuchField", "?", "Could not find your Item. "));
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_EQ(current(), "Pat 50% Off");
}

} // namespace
