// Every query text the windows, reports and lookup lists send, exactly as
// they carry it, against the standard salon: each must open, and the
// answers are checked where a wrong dialect translation would show.
#include "common/connections.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/values/error.h"
#include "support/salon_db.h"
#include "salon_test_util.h"
#include <QDateTime>
#include <gtest/gtest.h>
#include <functional>

using salontest::column;
using salontest::columnSum;
using salontest::moveTo;
using salontest::num;

namespace {

struct QueryCase {
    QString connection;   // the string the window opens
    QString sql;
    int rows;             // expected row count
    std::function<void(qv::Recordset&)> check = {};
    bool execute = false; // run through Connection::execute (reports, login)
};

// The login's count text, built from the typed name and password as the
// login window builds it.
QString loginText(QString user, QString password)
{
    user.replace(QLatin1String("'"), QLatin1String("''"));
    password.replace(QLatin1String("'"), QLatin1String("''"));
    return QStringLiteral("SELECT COUNT (*) FROM Users WHERE ") + QStringLiteral("UserName='") + user
        + QStringLiteral("' AND ") + QStringLiteral("Password='") + password + QStringLiteral("'");
}

// Date-range texts as the windows build them from typed dates, written in
// the short date form.
QString ticketRange(const QString& from, const QString& to)
{
    return QStringLiteral("SELECT *FROM Servicemenu  WHERE DateAppointment >= #") + from
        + QStringLiteral("# And DateAppointment<= #") + to + QStringLiteral("# ");
}

QString productsSoldRange(const QString& from, const QString& to)
{
    return QStringLiteral(
               "SELECT [DateAppointment],[CustomerName],[ProductsSold], [ProductsSold1], [ProductsSold2], "
               "[ProductsSold3], [ProductsSold4],[Quantity],[Quantity1], [Quantity2], [Quantity3], [Quantity4], "
               "[SystemStockNumber], [SystemStockNumber1], [SystemStockNumber2], [SystemStockNumber3], "
               "[SystemStockNumber4],Sum (ProductSales)As [Totals]FROM Servicemenu  WHERE DateAppointment >= #")
        + from + QStringLiteral("# And DateAppointment<= #") + to
        + QStringLiteral(
               "# group by [DateAppointment],[CustomerName],[ProductsSold], [ProductsSold1], [ProductsSold2], "
               "[ProductsSold3], [ProductsSold4],[Quantity],[Quantity1], [Quantity2], [Quantity3], [Quantity4], "
               "[SystemStockNumber], [SystemStockNumber1], [SystemStockNumber2], [SystemStockNumber3], "
               "[SystemStockNumber4]");
}

QString artistTotals(const QString& prefix, const QString& from, const QString& to)
{
    return prefix + from + QStringLiteral("# And DateAppointment<= #") + to + QStringLiteral("# group by SalonArtist");
}

// The rows' values of one field for the row where another field shows a text.
double valueWhere(qv::Recordset& rs, const QString& keyField, const QString& key, const QString& field)
{
    EXPECT_TRUE(moveTo(rs, keyField, key)) << key.toStdString();
    return rs.eof() ? -1 : num(rs.value(field));
}

} // namespace

TEST(EverySql, OpensAndAnswersOnTheStandardSalon)
{
    qvtest::SalonDb db;
    db.seed();

    const QString plain = recordWindowConnectionString();
    const QString report = reportConnectionString();
    const QString lookup = lookupConnectionString();
    const QString users = userListConnectionString();
    const QString shape = shapeConnectionString();
    const QString chart = chartConnectionString();

    const QString servicesPrefix = QStringLiteral(
        "SELECT DISTINCT SalonArtist,Sum (Price)As [Totals]FROM Servicemenu  WHERE DateAppointment >= #");
    const QString productsPrefix = QStringLiteral(
        "SELECT DISTINCT SalonArtist,Sum (ProductSales)As [Totals]FROM Servicemenu  WHERE DateAppointment >= #");
    const QString allPrefix = QStringLiteral(
        "SELECT DISTINCT SalonArtist,Sum (ProductSales+Price)As [Totals]FROM Servicemenu  WHERE DateAppointment >= #");

    const QList<QueryCase> cases = {
        // Count-guarded opens.
        {plain, "SELECT count(*) FROM [ServiceMenu]", 1, [](qv::Recordset& rs) { EXPECT_EQ(num(rs.value(0)), 6); }},
        {plain, "SELECT count(*) FROM [StockControl]", 1, [](qv::Recordset& rs) { EXPECT_EQ(num(rs.value(0)), 5); }},

        // Record windows.
        {plain, "SELECT *  FROM StockControl Where StockControl.Price=0 Order BY StockControl.WholeSale DESC", 2,
         [](qv::Recordset& rs) { EXPECT_EQ(column(rs, "Category"), QStringList({"Gloves", "Foils"})); }},
        {plain, "SELECT *  FROM StockControl Where StockControl.Price>0 Order BY StockControl.Category DESC", 3,
         [](qv::Recordset& rs) {
             EXPECT_EQ(column(rs, "Category"), QStringList({"Shampoo", "Hair Gel", "Conditioner"}));
             EXPECT_FALSE(rs.isReadOnly());
         }},
        {plain, "SELECT * FROM Calendar", 2},
        {plain, "SELECT * FROM [Customers]", 4},
        {plain, "SELECT * FROM ServiceMenu1", 4,
         [](qv::Recordset& rs) { EXPECT_DOUBLE_EQ(valueWhere(rs, "Service", "Color", "Price"), 45.5); }},
        {plain, "SELECT *FROM [Employees]", 3},
        {plain, "SELECT*FROM [Business]", 2},
        {plain,
         "SELECT [CompanyName], [ContactName], [ContactTitle], [Address], [City], [Region], [PostalCode], "
         "[Country], [Phone], [Fax], [HomePage] FROM [Suppliers]",
         2, [](qv::Recordset& rs) {
             EXPECT_EQ(rs.fieldCount(), 11);
             EXPECT_EQ(rs.fieldIndex("SupplierID"), -1);
         }},
        {users, "select Password,UserName from Users", 2,
         [](qv::Recordset& rs) {
             EXPECT_EQ(rs.fieldName(0), "Password");
             EXPECT_EQ(rs.fieldName(1), "UserName");
         }},

        // Data shaping: the appointment book, the appointment manager, the
        // inventory master and the commission payments.
        {shape,
         "SHAPE {select *from Servicemenu} AS ParentCMD APPEND ({select *from Servicemenu } AS ChildCMD "
         "RELATE CustomerName TO CustomerName) AS ChildCMD",
         6, [](qv::Recordset& rs) {
             ASSERT_TRUE(moveTo(rs, "CustomerID", "1003"));
             auto history = rs.chapter("ChildCMD");
             ASSERT_TRUE(history);
             EXPECT_EQ(column(*history, "CustomerID"), QStringList({"1001", "1003", "1006"}));
             ASSERT_TRUE(moveTo(rs, "CustomerID", "1004"));
             EXPECT_EQ(rs.chapter("ChildCMD")->recordCount(), 1);
         }},
        {shape,
         "SHAPE {select CustomerID,CustomerPhone,CustomerName,SalonArtist,DateAppointment,TimeAppointment,"
         "TimeBlock,Totals from Servicemenu} AS ParentCMD APPEND ({select CustomerID,CustomerPhone,CustomerName,"
         "SalonArtist,DateAppointment,TimeAppointment,TimeBlock,Totals from Servicemenu } AS ChildCMD RELATE "
         "CustomerPhone TO CustomerPhone) AS ChildCMD",
         6, [](qv::Recordset& rs) {
             ASSERT_TRUE(moveTo(rs, "CustomerID", "1002"));
             auto same = rs.chapter("ChildCMD");
             EXPECT_EQ(column(*same, "CustomerID"), QStringList({"1002", "1005"}));
             EXPECT_DOUBLE_EQ(columnSum(*same, "Totals"), 139.82 + 34.08);
         }},
        {shape,
         "SHAPE {select* from StockControl} AS ParentCMD APPEND ({select Category,SystemStockNumber,Price from "
         "StockControl } AS ChildCMD RELATE Category TO Category) AS ChildCMD",
         5, [](qv::Recordset& rs) {
             ASSERT_TRUE(moveTo(rs, "Category", "Hair Gel"));
             auto same = rs.chapter("ChildCMD");
             ASSERT_EQ(same->recordCount(), 1);
             EXPECT_EQ(same->fieldCount(), 3);
             EXPECT_EQ(same->value("SystemStockNumber").toString(), "1003");
         }},
        {lookup,
         "SHAPE {select * from Employees1} AS ParentCMD APPEND ({select * from Employees1} AS ChildCMD RELATE "
         "LastName TO LastName) AS ChildCMD",
         3, [](qv::Recordset& rs) {
             ASSERT_TRUE(moveTo(rs, "LastName", "Lopez"));
             EXPECT_DOUBLE_EQ(columnSum(*rs.chapter("ChildCMD"), "TotalsPaid"), 47.65 + 37.60);
         }},

        // Lookup lists.
        {lookup, "Select * from Suppliers", 2},
        {lookup, "Select * from Customers", 4},
        {lookup, "Select * from Employees", 3,
         [](qv::Recordset& rs) { EXPECT_EQ(column(rs, "FirstName"), QStringList({"Maria", "Jenny", "Tom"})); }},

        // Date finds and one-day views (typed dates in the short date form;
        // calendar picks as mm/dd/yyyy).
        {plain, ticketRange("7/2/2001", "7/9/2001"), 3,
         [](qv::Recordset& rs) { EXPECT_EQ(column(rs, "CustomerID"), QStringList({"1001", "1002", "1003"})); }},
        {plain, ticketRange("7/9/2001", "7/2/2001"), 0},
        {plain, ticketRange("7/23/2001", "7/23/2001"), 1},
        {plain,
         QStringLiteral("SELECT * FROM [ServiceMenu] ") + "Where [ServiceMenu.DateAppointment] "
             + "ORDER BY [ServiceMenu.DateAppointment]ASC",
         6, [](qv::Recordset& rs) {
             rs.moveFirst();
             EXPECT_EQ(rs.value("DateAppointment").toDateTime().date(), QDate(2001, 7, 2));
             rs.moveLast();
             EXPECT_EQ(rs.value("DateAppointment").toDateTime().date(), QDate(2001, 7, 30));
         }},
        {plain,
         QStringLiteral("SELECT DateAppointment,") + "TimeAppointment," + "CustomerID," + "CustomerPhone,"
             + "CustomerName," + "SalonArtist," + "Service," + "Service1," + "Service2," + "Service3," + "Totals "
             + "From ServiceMenu " + "WHERE DateAppointment =#" + "07/02/2001" + "#"
             + " ORDER BY SalonArtist, DateAppointment, TimeAppointment" + ";",
         2, [](qv::Recordset& rs) {
             EXPECT_EQ(rs.fieldCount(), 11);
             EXPECT_EQ(column(rs, "SalonArtist"), QStringList({"Jenny", "Maria"}));
         }},
        {plain,
         QStringLiteral("SELECT *FROM [Servicemenu]WHERE DateAppointment =#") + "07/02/2001" + "#"
             + " ORDER BY DateAppointment, TimeAppointment" + ";",
         2, [](qv::Recordset& rs) { EXPECT_EQ(column(rs, "CustomerID"), QStringList({"1001", "1002"})); }},

        // Products sold.
        {plain, productsSoldRange("7/1/2001", "7/31/2001"), 6,
         [](qv::Recordset& rs) {
             EXPECT_EQ(rs.fieldCount(), 18);
             EXPECT_NEAR(columnSum(rs, "Totals"), 93.46, 1e-9);
             EXPECT_NEAR(valueWhere(rs, "ProductsSold", "Conditioner", "Totals"), 14.50, 1e-9);
         }},
        {plain, productsSoldRange("7/3/2001", "7/16/2001"), 2},
        {plain,
         "SELECT [DateAppointment],[CustomerName],[ProductsSold], [ProductsSold1], [ProductsSold2], [ProductsSold3], "
         "[ProductsSold4], [Quantity1], [Quantity2], [Quantity3], [Quantity4], [Quantity5], [SystemStockNumber], "
         "[SystemStockNumber1], [SystemStockNumber2], [SystemStockNumber3], [SystemStockNumber4], [Quantity],Sum "
         "(ProductSales)As [Totals]  FROM [Servicemenu] Group By [DateAppointment],[CustomerName],[ProductsSold], "
         "[ProductsSold1], [ProductsSold2], [ProductsSold3], [ProductsSold4], [ProductsPrice1], [ProductsPrice2], "
         "[ProductsPrice3], [ProductsPrice4], [ProductsPrice5], [Quantity1], [Quantity2], [Quantity3], [Quantity4], "
         "[Quantity5], [SystemStockNumber], [SystemStockNumber1], [SystemStockNumber2], [SystemStockNumber3], "
         "[SystemStockNumber4], [Quantity], [Totals]",
         6, [](qv::Recordset& rs) { EXPECT_NEAR(columnSum(rs, "Totals"), 93.46, 1e-9); }},

        // Commissions: totals per artist over a typed range, and the load text.
        {plain, artistTotals(servicesPrefix, "7/1/2001", "7/31/2001"), 3,
         [](qv::Recordset& rs) {
             EXPECT_NEAR(valueWhere(rs, "SalonArtist", "Maria", "Totals"), 110.00, 1e-9);
             EXPECT_NEAR(valueWhere(rs, "SalonArtist", "Jenny", "Totals"), 106.00, 1e-9);
         }},
        {plain, artistTotals(productsPrefix, "7/1/2001", "7/31/2001"), 3,
         [](qv::Recordset& rs) { EXPECT_NEAR(valueWhere(rs, "SalonArtist", "Maria", "Totals"), 36.49, 1e-9); }},
        {plain, artistTotals(allPrefix, "7/1/2001", "7/9/2001"), 2,
         [](qv::Recordset& rs) {
             EXPECT_NEAR(valueWhere(rs, "SalonArtist", "Maria", "Totals"), 25 + 60 + 14.50, 1e-9);
             EXPECT_NEAR(valueWhere(rs, "SalonArtist", "Jenny", "Totals"), 91 + 38.97, 1e-9);
         }},
        {plain, "select CommissionsPaid,SalonArtist,TodayDate,Price,ProductSales from Servicemenu", 6,
         [](qv::Recordset& rs) { EXPECT_EQ(rs.fieldCount(), 5); }},

        // Statistics charts.
        {chart,
         "SHAPE {select SalonArtist,Price from Servicemenu} AS ChildCommand COMPUTE ChildCommand, "
         "AVG(ChildCommand.[Price]) AS [Price] BY [SalonArtist]",
         3, [](qv::Recordset& rs) {
             EXPECT_NEAR(valueWhere(rs, "SalonArtist", "Maria", "Price"), 110.0 / 3, 1e-9);
             EXPECT_EQ(rs.chapter("ChildCommand")->recordCount(), 3);
             EXPECT_NEAR(valueWhere(rs, "SalonArtist", "Tom", "Price"), 40.0, 1e-9);
         }},
        {chart,
         "SHAPE {select SalonArtist,ProductSales from Servicemenu} AS ChildCommand COMPUTE ChildCommand, "
         "AVG(ChildCommand.[ProductSales]) AS [ProductSales] BY [SalonArtist]",
         3, [](qv::Recordset& rs) {
             EXPECT_NEAR(valueWhere(rs, "SalonArtist", "Jenny", "ProductSales"), (38.97 + 18.00) / 2, 1e-9);
         }},
        {chart,
         "SHAPE {select ProductSales,Price,DateAppointment from Servicemenu} AS ChildCommand COMPUTE ChildCommand, "
         "AVG(ChildCommand.[Price]) AS [Price] BY [DateAppointment], [ProductSales]",
         6, [](qv::Recordset& rs) {
             EXPECT_GE(rs.fieldIndex("DateAppointment"), 0);
             EXPECT_GE(rs.fieldIndex("ProductSales"), 0);
             EXPECT_NEAR(columnSum(rs, "Price"), 25 + 91 + 60 + 40 + 15 + 25, 1e-9);
         }},

        // Report queries and the login run through Execute.
        {report, "SELECT * FROM ServiceMenu Order by DateAppointment", 6,
         [](qv::Recordset& rs) {
             EXPECT_NEAR(columnSum(rs, "Price"), 256.00, 1e-9);
             EXPECT_NEAR(columnSum(rs, "TaxTotals1"), 2.34 + 0.87 + 1.08 + 1.32, 1e-9);
         }, true},
        {report, "SELECT * FROM Employees1 Order by LastName", 3,
         [](qv::Recordset& rs) { EXPECT_EQ(column(rs, "LastName"), QStringList({"Lopez", "Lopez", "Park"})); },
         true},
        {report, "SELECT * FROM Calendar  ", 2, {}, true},
        {report, "SELECT * FROM StockControl Order by Category,Date ", 5,
         [](qv::Recordset& rs) {
             EXPECT_EQ(column(rs, "Category"),
                       QStringList({"Conditioner", "Foils", "Gloves", "Hair Gel", "Shampoo"}));
         }, true},
        {report, "SELECT * FROM Business", 2,
         [](qv::Recordset& rs) { EXPECT_NEAR(columnSum(rs, "PurchasePrice"), 1550.00, 1e-9); }, true},
        {report,
         "SELECT [CustomerName], [CustomerID], [ContactName], [ContactTitle], [Address], [City], [Region], "
         "[PostalCode], [Country], [Phone], [Fax], [Email], [DateAppointment], [CreditTerms], [BirthDay], "
         "[Comments], [Image], [ClientDetails], [EmployeeID] FROM [Customers]",
         4, [](qv::Recordset& rs) { EXPECT_EQ(rs.fieldCount(), 19); }, true},
        {report, "SELECT * FROM [EMPLOYEES]", 3, {}, true},
        {report, loginText("admin", "secret"), 1, [](qv::Recordset& rs) { EXPECT_EQ(num(rs.value(0)), 1); }, true},
        {report, loginText("ADMIN", "SECRET"), 1, [](qv::Recordset& rs) { EXPECT_EQ(num(rs.value(0)), 1); }, true},
        {report, loginText("O'Neil", "it's"), 1, [](qv::Recordset& rs) { EXPECT_EQ(num(rs.value(0)), 1); }, true},
        {report, loginText("admin ", "secret"), 1, [](qv::Recordset& rs) { EXPECT_EQ(num(rs.value(0)), 0); }, true},
        {report, loginText("x' OR '1'='1", "x' OR '1'='1"), 1,
         [](qv::Recordset& rs) { EXPECT_EQ(num(rs.value(0)), 0); }, true},
    };

    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        try {
            qv::Connection cn;
            cn.open(c.connection);
            std::shared_ptr<qv::Recordset> rs;
            if (c.execute) {
                rs = cn.execute(c.sql);
            } else {
                rs = std::make_shared<qv::Recordset>();
                rs->open(c.sql, cn);
            }
            ASSERT_TRUE(rs);
            EXPECT_EQ(rs->recordCount(), c.rows);
            if (c.check && rs->recordCount() > 0)
                c.check(*rs);
        } catch (const qv::Error& e) {
            ADD_FAILURE() << "refused: " << e.description().toStdString();
        }
    }
}
