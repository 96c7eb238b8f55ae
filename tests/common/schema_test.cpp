// The salon's tables as a new database holds them, and the rules the tables
// enforce themselves.
#include "common/connections.h"
#include "common/schema.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/values/error.h"
#include "platform/values/money.h"
#include "support/salon_db.h"
#include "salon_test_util.h"
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

TEST(Schema, NewDatabaseHoldsEveryTableWithItsFields)
{
    qvtest::SalonDb db;
    const QList<qv::TableDef> tables = salonTables();
    ASSERT_EQ(tables.size(), 10);
    for (const qv::TableDef& t : tables) {
        SCOPED_TRACE(t.name.toStdString());
        QSet<QString> names;
        for (const qv::FieldDef& f : t.fields) {
            EXPECT_FALSE(names.contains(f.name.toLower())) << "twice: " << f.name.toStdString();
            names.insert(f.name.toLower());
        }
        auto rs = db.query("SELECT * FROM [" + t.name + "]");
        ASSERT_EQ(rs->fieldCount(), t.fields.size());
        for (int i = 0; i < t.fields.size(); ++i) {
            EXPECT_EQ(rs->fieldName(i), t.fields[i].name);
            EXPECT_EQ(rs->fieldType(i), t.fields[i].type) << t.fields[i].name.toStdString();
        }
        EXPECT_EQ(rs->recordCount(), 0);
    }
    EXPECT_EQ(salonTable("calendar").fields.size(), 44);
    EXPECT_THROW(salonTable("Nothing"), qv::Error);

    // An existing file is never overwritten.
    db.seed();
    EXPECT_THROW(createSalonDatabase(db.file()), qv::Error);
    EXPECT_EQ(db.count("Servicemenu"), 6);
}

TEST(Schema, ClientsNeedOneUniquePhoneAndGetTheirNumberFromTheTable)
{
    qvtest::SalonDb db;
    db.insert("Customers", {{"CustomerName", "Ann Lee"}, {"Phone", "434-8888"}});
    db.insert("Customers", {{"CustomerName", "Bob Stone"}, {"Phone", "555-1212"}});
    EXPECT_THROW(db.insert("Customers", {{"CustomerName", "Ann Again"}, {"Phone", "434-8888"}}), qv::Error);
    EXPECT_THROW(db.insert("Customers", {{"CustomerName", "No Phone"}}), qv::Error);
    EXPECT_THROW(db.insert("Customers", {{"CustomerName", "Empty Phone"}, {"Phone", ""}}), qv::Error);
    // A letter added to the number makes it another phone.
    EXPECT_NO_THROW(db.insert("Customers", {{"CustomerName", "Ann Again"}, {"Phone", "434-8888F"}}));
    EXPECT_EQ(db.count("Customers"), 3);

    auto rs = db.query("SELECT * FROM [Customers]");
    QSet<qint64> ids;
    rs->moveFirst();
    while (!rs->eof()) {
        ASSERT_FALSE(rs->value("CustomerID").isNull());
        ids.insert(rs->value("CustomerID").toLongLong());
        rs->moveNext();
    }
    EXPECT_EQ(ids.size(), 3);

    // Vendors and employees are numbered by their tables too.
    db.insert("Suppliers", {{"CompanyName", "A"}});
    db.insert("Suppliers", {{"CompanyName", "B"}});
    db.insert("Employees", {{"LastName", "Lopez"}});
    db.insert("Employees", {{"LastName", "Park"}});
    EXPECT_EQ(salontest::num(db.scalar("SELECT count(*) FROM Suppliers WHERE SupplierID IS NOT NULL")), 2);
    EXPECT_NE(db.scalarRaw("SELECT min(SupplierID) FROM Suppliers"), db.scalarRaw("SELECT max(SupplierID) FROM Suppliers"));
    EXPECT_NE(db.scalarRaw("SELECT min(EmployeeID) FROM Employees"), db.scalarRaw("SELECT max(EmployeeID) FROM Employees"));
}

TEST(Schema, TicketValuesComeBackAsStored)
{
    qvtest::SalonDb db;
    const QString memo = QString("Color formula: ").repeated(40);   // longer than a short text
    db.insert("Servicemenu", {{"CustomerID", "0042"}, {"CustomerName", "Cara O'Brien"},
                              {"DateAppointment", QDate(2001, 7, 30)}, {"TimeAppointment", QTime(14, 30)},
                              {"ServicePrice1", 45.5}, {"QuantityService1", 2}, {"TaxPercent", 8.25},
                              {"Totals", 166.88}, {"Memo", memo}, {"Quantity5", 1}, {"ProductsPrice5", 2.5}});
    auto rs = db.query("SELECT * FROM Servicemenu");
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->value("CustomerID").toString(), "0042");   // a ticket number keeps its zeros
    EXPECT_EQ(rs->value("CustomerName").toString(), "Cara O'Brien");
    EXPECT_EQ(rs->value("DateAppointment").toDateTime().date(), QDate(2001, 7, 30));
    EXPECT_EQ(rs->value("TimeAppointment").toDateTime().time(), QTime(14, 30));
    ASSERT_EQ(rs->value("Totals").userType(), qMetaTypeId<qv::Money>());
    EXPECT_EQ(rs->value("Totals").value<qv::Money>(), qv::Money::fromUnits(1668800));
    EXPECT_DOUBLE_EQ(salontest::num(rs->value("TaxPercent")), 8.25);
    EXPECT_EQ(rs->value("Memo").toString(), memo);
    EXPECT_TRUE(rs->value("Price").isNull());
}
