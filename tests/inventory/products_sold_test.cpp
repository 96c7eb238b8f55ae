// The products-sold window on a seeded salon: typed date ranges listed per
// ticket with their product sales, the refusals of dates that cannot be
// read, every ticket on Refresh, Clear and Close.
#include "support/layout_check.h"
#include "platform/forms/window.h"
#include "support/layout_extras.h"
#include "support/user_hands.h"
#include "inventory/products_sold.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProductsSoldTest : public ::testing::Test {
protected:
    void SetUp() override { qv::Windows::setOnLastClosed([] {}); }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    ProductsSold& open()
    {
        form = qv::Windows::show<ProductsSold>();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    void type(int box, const QString& text) { qvtest::typeInto(form->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", box)), text); }
    void getProducts(const QString& from, const QString& to)
    {
        type(0, from);
        type(1, to);
        qvtest::clickAt(form->findChild<QPushButton*>(QStringLiteral("Command1")));
    }
    int rows() const { return form->findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(); }
    QString cell(int row, int column) const
    {
        auto* m = form->findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model();
        return m->data(m->index(row, column)).toString();
    }
    // The grid's column of one caption position, top to bottom.
    QStringList column(int column) const
    {
        QStringList out;
        for (int r = 0; r < rows(); ++r)
            out << cell(r, column);
        return out;
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    ProductsSold* form = nullptr;
};

const int kDate = 0, kCustomer = 1, kFirstProduct = 2, kFirstQuantity = 4, kTotals = 17;

TEST_F(ProductsSoldTest, RangeListsEachTicketOfTheDatesBothEndsIncluded)
{
    db.seed();
    open();
    ASSERT_EQ(form->findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->columnCount(), 18);
    QStringList captions;
    for (int c = 0; c < 18; ++c)
        captions << form->findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, QStringList({"Date Appointment", "Customer", "ProductsSold", "Stock Number", "Quantity",
                                     "Products Sold", "Stock Number", "Quantity", "Products Sold", "Stock Number",
                                     "Quantity", "Products Sold", "Stock Number", "Quantity", "ProductsSold",
                                     "Stock Number", "Quantity", "Totals"}));

    getProducts("7/2/2001", "7/9/01");
    EXPECT_TRUE(ui.script.messages().isEmpty());
    ASSERT_EQ(rows(), 3);
    QStringList dates = column(kDate);
    dates.sort();
    EXPECT_EQ(dates, QStringList({"7/2/2001", "7/2/2001", "7/9/2001"}));
    QStringList totals = column(kTotals);
    totals.sort();
    EXPECT_EQ(totals, QStringList({"$0.00", "$14.50", "$38.97"}));
    const int conditioner = int(column(kFirstProduct).indexOf("Conditioner"));
    ASSERT_GE(conditioner, 0);
    EXPECT_EQ(cell(conditioner, kCustomer), "Ann Lee");
    EXPECT_EQ(cell(conditioner, kTotals), "$14.50");

    // One day alone, given as the first and last date.
    getProducts("7/23/2001", "7/23/2001");
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, kCustomer), "Bob Stone");

    // The first date after the last: no tickets, the columns stay.
    getProducts("7/31/2001", "7/1/2001");
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(form->findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->columnCount(), 18);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(ProductsSoldTest, EqualTicketsOfOneClientAndDayAreOneRowWithTheirSum)
{
    const QVariantMap ticket{{"CustomerName", "Eve Hart"}, {"DateAppointment", QDate(2002, 3, 4)},
                             {"ProductsSold", "Shampoo"}, {"SystemStockNumber", "1001"}, {"Quantity", 2},
                             {"ProductSales", 617.25}};
    db.insertMany("Servicemenu", {ticket, ticket});
    open();
    getProducts("3/4/2002", "3/4/2002");
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, kFirstProduct), "Shampoo");
    EXPECT_EQ(cell(0, kFirstQuantity), "2");
    EXPECT_EQ(cell(0, kTotals), "$1,234.50");
}

TEST_F(ProductsSoldTest, DatesThatCannotBeReadRunNothing)
{
    db.seed();
    open();
    getProducts("7/1/2001", "7/31/2001");
    ASSERT_EQ(rows(), 6);

    struct Case {
        const char* from;
        const char* to;
        QString message;
    };
    const QList<Case> cases = {
        {"", "", ProductsSold::kBothEmpty},
        {"7/1/2001", "", ProductsSold::kUnreadableDates},
        {"", "7/31/2001", ProductsSold::kUnreadableDates},
        {"yesterday", "7/31/2001", ProductsSold::kUnreadableDates},
        {"7/1/2001# Or 1=1 Or #1/1/1", "7/2/2001", ProductsSold::kUnreadableDates},
        {"7/1/2001", "7/2/2001' OR ''='", ProductsSold::kUnreadableDates},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " / " + c.to);
        ui.script.clear();
        getProducts(c.from, c.to);
        EXPECT_EQ(ui.script.messages(), QStringList({c.message}));
        EXPECT_EQ(rows(), 6);
    }
}

TEST_F(ProductsSoldTest, RefreshListsEveryTicketClearKeepsTheRowsCloseUnloads)
{
    db.seed();
    open();
    EXPECT_EQ(rows(), 0);
    qvtest::clickAt(form->findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(rows(), 6);
    QStringList customers = column(kCustomer);
    customers.sort();
    EXPECT_EQ(customers, QStringList({"Ann Lee", "Ann Lee", "Ann Lee", "Bob Stone", "Bob Stone", "Dan Fox"}));

    type(0, "7/1/2001");
    type(1, "7/3/2001");
    qvtest::clickAt(form->findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_TRUE(form->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text().isEmpty());
    EXPECT_TRUE(form->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text().isEmpty());
    EXPECT_EQ(rows(), 6);

    qvtest::clickAt(form->findChild<QPushButton*>(QStringLiteral("Command2")));
    QApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("Form1")), nullptr);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(ProductsSoldTest, ButtonsStandWholeAboveTheGridsCaptionAndTheListReadsWhole)
{
    db.seed();
    // A client's name of 30 characters reads whole too.
    db.insert("Servicemenu", {{"CustomerName", "Mary-Kate Alexandra-Montgomery"},
                              {"DateAppointment", QDate(2001, 7, 2)}, {"ProductSales", 12.5}});
    open();
    qvtest::clickAt(form->findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(rows(), 7);
    for (QWidget* button : {(QWidget*)form->findChild<QPushButton*>(QStringLiteral("Command1")), (QWidget*)form->findChild<QPushButton*>(QStringLiteral("Command4"))}) {
        const QStringList overlaps = qvtest::overlapsOf(button);
        EXPECT_TRUE(overlaps.isEmpty()) << overlaps.join("\n").toStdString();
    }
    const QStringList faults = qvtest::layoutFaults(form, QStringLiteral("Form1"));
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
}

TEST_F(ProductsSoldTest, MissingDatabaseIsReportedAndTheWindowStays)
{
    open();
    QFile::remove(db.file());
    qvtest::clickAt(form->findChild<QPushButton*>(QStringLiteral("Command4")));
    getProducts("7/1/2001", "7/2/2001");
    ASSERT_EQ(ui.script.messages().size(), 2);
    EXPECT_TRUE(ui.script.messages()[0].contains("KVD.mdb")) << ui.script.messages()[0].toStdString();
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("Form1")), form);
    EXPECT_EQ(rows(), 0);
}

} // namespace

// A picture of the window after a query, for a person to look at: set
// QV_SHOT_DIR to a folder; without it the test is skipped.
TEST(ProductsSoldShot, AfterARange)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    qv::Windows::setOnLastClosed([] {});
    qv::ScopedScriptedUi ui;
    qvtest::SalonDb db;
    db.seed();
    auto& form = *qv::Windows::show<ProductsSold>();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    qvtest::typeInto(form.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "7/1/2001");
    qvtest::typeInto(form.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "7/31/2001");
    qvtest::clickAt(form.findChild<QPushButton*>(QStringLiteral("Command1")));
    QTest::qWait(100);
    EXPECT_TRUE(form.grab().save(folder + "/Form1.png"));
    form.unload();
    qv::Windows::setOnLastClosed(nullptr);
}
