// The lists behind the drop-down lists: read once, then independent of the database.
#include "common/connections.h"
#include "common/lookup_lists.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/services/services.h"
#include "support/salon_db.h"
#include "salon_test_util.h"
#include <QFile>
#include <gtest/gtest.h>

TEST(LookupLists, EmptyTableGivesAnEmptyUsableList)
{
    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    auto vendors = SupplierLookup().rows(lookupConnectionString());
    ASSERT_TRUE(vendors);
    EXPECT_EQ(vendors->recordCount(), 0);
    EXPECT_TRUE(vendors->eof());
    EXPECT_GE(vendors->fieldIndex("CompanyName"), 0);
    EXPECT_GE(vendors->fieldIndex("SupplierID"), 0);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST(LookupLists, RowsStayReadableWithoutTheDatabase)
{
    qvtest::SalonDb db;
    db.seed();
    qv::ScopedScriptedUi ui;

    // The caller's own connection, closed before the list is read.
    qv::Connection own;
    own.open(lookupConnectionString());
    auto artists = EmployeeLookup().rows(lookupConnectionString());
    auto vendors = SupplierLookup().rows(lookupConnectionString());
    auto clients = ClientLookup().rows(lookupConnectionString());
    own.close();
    ASSERT_TRUE(artists && vendors && clients);

    // Even the file may go: the rows were taken into memory.
    ASSERT_TRUE(QFile::remove(db.file()));
    EXPECT_EQ(salontest::column(*artists, "FirstName"), QStringList({"Maria", "Jenny", "Tom"}));
    EXPECT_EQ(salontest::column(*vendors, "CompanyName"), QStringList({"Beauty Supply Co", "Salon Wholesale Inc"}));
    EXPECT_EQ(clients->recordCount(), 4);
    EXPECT_TRUE(artists->isReadOnly());
    artists->moveFirst();
    EXPECT_ANY_THROW(artists->setValue("FirstName", "Changed"));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST(LookupLists, FailureIsShownOnceTriedAgainThenGivenUp)
{
    qvtest::SalonDb db;
    ASSERT_TRUE(QFile::remove(db.file()));
    qv::ScopedScriptedUi ui;
    auto artists = EmployeeLookup().rows(lookupConnectionString());
    EXPECT_EQ(artists, nullptr);
    // Every attempt fails alike; the user reads it once.
    ASSERT_EQ(int(ui.script.events.size()), 1);
    for (const qv::UiEvent& e : ui.script.events) {
        EXPECT_EQ(e.kind, qv::UiEvent::Message);
        EXPECT_EQ(e.style, qv::MsgStyle::Critical);
        EXPECT_TRUE(e.title.isEmpty());
        EXPECT_FALSE(e.text.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(db.file()));
}
