#include "support/salon_db.h"
#include "common/schema.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"
#include <QDateTime>
#include <QTime>
#include <sqlite3.h>

namespace qvtest {

namespace {

QVariant storable(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(qv::dayZero(), v.toTime());
    default:
        return v;
    }
}

// Raw handle on the file, closed on scope exit.
struct RawDb {
    explicit RawDb(const QString& file)
    {
        if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            QString why = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
            sqlite3_close(db);
            throw qv::Error(QStringLiteral("Could not open %1: %2").arg(file, why));
        }
        sqlite3_busy_timeout(db, 5000);
    }
    ~RawDb() { sqlite3_close(db); }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db)); }
    sqlite3* db = nullptr;
};

} // namespace

SalonDb::SalonDb()
{
    createSalonDatabase(file());
}

SalonDb::~SalonDb() = default;

QString SalonDb::file() const
{
    return m_folder.file(QStringLiteral("KVD.mdb"));
}

QString SalonDb::connectionString() const
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file()
        + QStringLiteral(";Persist Security Info=False");
}

void SalonDb::insert(const QString& table, const QVariantMap& values)
{
    insertMany(table, {values});
}

void SalonDb::insertMany(const QString& table, const QList<QVariantMap>& rows)
{
    qv::Connection cn;
    cn.open(connectionString());
    qv::Recordset rs;
    rs.open(QStringLiteral("SELECT * FROM [%1]").arg(table), cn);
    for (const QVariantMap& row : rows) {
        rs.addNew();
        for (auto it = row.constBegin(); it != row.constEnd(); ++it)
            rs.setValue(it.key(), storable(it.value()));
        rs.update();
    }
    rs.close();
    cn.close();
}

QList<SeedTicket> SalonDb::tickets()
{
    return {
        {"1001", "Ann Lee", "434-8888", "Maria", QDate(2001, 7, 2), 25.00, 0.00, 27.06},
        {"1002", "Bob Stone", "555-1212", "Jenny", QDate(2001, 7, 2), 91.00, 38.97, 139.82},
        {"1003", "Ann Lee", "434-8888", "Maria", QDate(2001, 7, 9), 60.00, 14.50, 80.32},
        {"1004", "Dan Fox", "858-9899", "Tom", QDate(2001, 7, 16), 40.00, 0.00, 43.30},
        {"1005", "Bob Stone", "555-1212", "Jenny", QDate(2001, 7, 23), 15.00, 18.00, 34.08},
        {"1006", "Ann Lee", "434-8888", "Maria", QDate(2001, 7, 30), 25.00, 21.99, 50.37},
    };
}

void SalonDb::seed()
{
    insertMany(SalonTable::Users, {
        {{"UserName", "admin"}, {"Password", "secret"}},
        {{"UserName", "O'Neil"}, {"Password", "it's"}},
    });

    insertMany(SalonTable::Employees, {
        {{"LastName", "Lopez"}, {"FirstName", "Maria"}, {"Title", "Stylist"}, {"EmployeeSS", "111-22-3333"},
         {"HireDate", QDate(1998, 3, 1)}, {"HomePhone", "434-1000"}, {"City", "San Diego"}},
        {{"LastName", "Park"}, {"FirstName", "Jenny"}, {"Title", "Colorist"}, {"EmployeeSS", "222-33-4444"},
         {"HireDate", QDate(1999, 6, 15)}, {"HomePhone", "434-2000"}, {"City", "San Diego"}},
        {{"LastName", "Reed"}, {"FirstName", "Tom"}, {"Title", "Barber"}, {"EmployeeSS", "333-44-5555"},
         {"HireDate", QDate(2000, 1, 10)}, {"HomePhone", "434-3000"}, {"City", "La Jolla"}},
    });

    insertMany(SalonTable::Customers, {
        {{"CustomerName", "Ann Lee"}, {"Phone", "434-8888"}, {"EmployeeID", "Maria"}, {"City", "San Diego"},
         {"BirthDay", "5/14"}, {"Email", "ann@example.com"}},
        {{"CustomerName", "Bob Stone"}, {"Phone", "555-1212"}, {"EmployeeID", "Jenny"}, {"City", "La Jolla"}},
        {{"CustomerName", "Cara O'Brien"}, {"Phone", "(212) 555-1212"}, {"EmployeeID", "Maria"}},
        {{"CustomerName", "Dan Fox"}, {"Phone", "858-9899"}, {"EmployeeID", "Tom"}},
    });

    insertMany(SalonTable::ServiceMenu1, {
        {{"Service", "Haircut"}, {"Price", 25.00}, {"Discount", "Wash, cut and style"}, {"Taxpercent", 8.25}},
        {{"Service", "Color"}, {"Price", 45.50}, {"Discount", "Single process"}, {"Taxpercent", 8.25}},
        {{"Service", "Perm"}, {"Price", 60.00}, {"Taxpercent", 8.25}},
        {{"Service", "Manicure"}, {"Price", 15.00}, {"Taxpercent", 0.0}},
    });

    auto stock = [](const char* category, const char* number, double price, double cost, double start,
                    double sold, double wholesale) {
        QVariantMap r{{"Category", category}, {"SystemStockNumber", number}, {"Price", price},
                      {"CostValueOfStock", cost}, {"StartingQuantity", start}, {"Sold", sold},
                      {"CurrentlyInStock", start - sold}, {"taxpercent1", price > 0 ? 6.0 : 0.0},
                      {"Date", QDate(2001, 6, 1)}, {"Location", "Back shelf"}, {"Item", QString(category) + " item"}};
        if (price > 0) {
            r["GrossSales"] = price * sold;
            r["NetProfitFromSales"] = (price - cost) * sold;
        }
        r["QuantityStatus"] = cost * (start - sold);
        r["WholeSale"] = wholesale;
        return r;
    };
    insertMany(SalonTable::StockControl, {
        stock("Shampoo", "1001", 12.99, 7.00, 20, 5, 0),
        stock("Conditioner", "1002", 14.50, 8.00, 10, 2, 0),
        stock("Hair Gel", "1003", 9.00, 4.00, 3, 2, 0),
        stock("Foils", "2001", 0, 3.00, 100, 10, 5),
        stock("Gloves", "2002", 0, 2.00, 50, 5, 9),
    });

    insertMany(SalonTable::Suppliers, {
        {{"CompanyName", "Beauty Supply Co"}, {"ContactName", "Lee Wong"}, {"Phone", "800-555-0100"},
         {"City", "Los Angeles"}},
        {{"CompanyName", "Salon Wholesale Inc"}, {"ContactName", "Pat Doe"}, {"Phone", "800-555-0200"},
         {"City", "Phoenix"}},
    });

    // Tickets; the computed figures are those the appointment book's totals give.
    QList<QVariantMap> t;
    QVariantMap a{{"CustomerID", "1001"}, {"CustomerName", "Ann Lee"}, {"CustomerPhone", "434-8888"},
                  {"SalonArtist", "Maria"}, {"DateAppointment", QDate(2001, 7, 2)},
                  {"TimeAppointment", QTime(9, 0)}, {"TimeBlock", QTime(9, 30)}, {"Memo", "First visit"},
                  {"Service", "Haircut"}, {"ServicePrice1", 25.00}, {"QuantityService1", 1},
                  {"Price", 25.00}, {"TaxPercent", 8.25}, {"TaxTotals", 2.06}, {"Taxamount", 27.06},
                  {"ProductSales", 0.0}, {"taxpercent1", 6.0}, {"TaxTotals1", 0.0}, {"taxamount1", 0.0},
                  {"Totals", 27.06}, {"TodayDate", QDate(2001, 7, 2)}};
    t << a;
    t << QVariantMap{{"CustomerID", "1002"}, {"CustomerName", "Bob Stone"}, {"CustomerPhone", "555-1212"},
                     {"SalonArtist", "Jenny"}, {"DateAppointment", QDate(2001, 7, 2)},
                     {"TimeAppointment", QTime(10, 0)}, {"TimeBlock", QTime(11, 0)},
                     {"Service", "Color"}, {"ServicePrice1", 45.50}, {"QuantityService1", 2},
                     {"Price", 91.00}, {"TaxPercent", 8.25}, {"TaxTotals", 7.51}, {"Taxamount", 98.51},
                     {"ProductsSold", "Shampoo"}, {"SystemStockNumber", "1001"}, {"ProductsPrice", 12.99},
                     {"Quantity", 3}, {"ProductSales", 38.97}, {"taxpercent1", 6.0}, {"TaxTotals1", 2.34},
                     {"taxamount1", 41.31}, {"Totals", 139.82}, {"TodayDate", QDate(2001, 7, 2)}};
    t << QVariantMap{{"CustomerID", "1003"}, {"CustomerName", "Ann Lee"}, {"CustomerPhone", "434-8888"},
                     {"SalonArtist", "Maria"}, {"DateAppointment", QDate(2001, 7, 9)},
                     {"TimeAppointment", QTime(11, 30)}, {"TimeBlock", QTime(12, 30)},
                     {"Service", "Perm"}, {"ServicePrice1", 60.00}, {"QuantityService1", 1},
                     {"Price", 60.00}, {"TaxPercent", 8.25}, {"TaxTotals", 4.95}, {"Taxamount", 64.95},
                     {"ProductsSold", "Conditioner"}, {"SystemStockNumber", "1002"}, {"ProductsPrice", 14.50},
                     {"Quantity", 1}, {"ProductSales", 14.50}, {"taxpercent1", 6.0}, {"TaxTotals1", 0.87},
                     {"taxamount1", 15.37}, {"Totals", 80.32}, {"TodayDate", QDate(2001, 7, 9)}};
    t << QVariantMap{{"CustomerID", "1004"}, {"CustomerName", "Dan Fox"}, {"CustomerPhone", "858-9899"},
                     {"SalonArtist", "Tom"}, {"DateAppointment", QDate(2001, 7, 16)},
                     {"TimeAppointment", QTime(14, 0)}, {"TimeBlock", QTime(14, 30)},
                     {"Service", "Haircut"}, {"ServicePrice1", 25.00}, {"QuantityService1", 1},
                     {"Service1", "Manicure"}, {"ServicePrice2", 15.00}, {"QuantityService2", 1},
                     {"Price", 40.00}, {"TaxPercent", 8.25}, {"TaxTotals", 3.30}, {"Taxamount", 43.30},
                     {"ProductSales", 0.0}, {"taxpercent1", 0.0}, {"TaxTotals1", 0.0}, {"taxamount1", 0.0},
                     {"Totals", 43.30}, {"TodayDate", QDate(2001, 7, 16)}};
    t << QVariantMap{{"CustomerID", "1005"}, {"CustomerName", "Bob Stone"}, {"CustomerPhone", "555-1212"},
                     {"SalonArtist", "Jenny"}, {"DateAppointment", QDate(2001, 7, 23)},
                     {"TimeAppointment", QTime(15, 30)}, {"TimeBlock", QTime(16, 0)},
                     {"Service", "Manicure"}, {"ServicePrice1", 15.00}, {"QuantityService1", 1},
                     {"Price", 15.00}, {"TaxPercent", 0.0}, {"TaxTotals", 0.0}, {"Taxamount", 15.00},
                     {"ProductsSold", "Hair Gel"}, {"SystemStockNumber", "1003"}, {"ProductsPrice", 9.00},
                     {"Quantity", 2}, {"ProductSales", 18.00}, {"taxpercent1", 6.0}, {"TaxTotals1", 1.08},
                     {"taxamount1", 19.08}, {"Totals", 34.08}, {"TodayDate", QDate(2001, 7, 23)}};
    t << QVariantMap{{"CustomerID", "1006"}, {"CustomerName", "Ann Lee"}, {"CustomerPhone", "434-8888"},
                     {"SalonArtist", "Maria"}, {"DateAppointment", QDate(2001, 7, 30)},
                     {"TimeAppointment", QTime(9, 30)}, {"TimeBlock", QTime(10, 0)},
                     {"Service", "Haircut"}, {"ServicePrice1", 25.00}, {"QuantityService1", 1},
                     {"Price", 25.00}, {"TaxPercent", 8.25}, {"TaxTotals", 2.06}, {"Taxamount", 27.06},
                     {"ProductsSold", "Shampoo"}, {"SystemStockNumber", "1001"}, {"ProductsPrice", 12.99},
                     {"Quantity", 1}, {"ProductsSold1", "Hair Gel"}, {"SystemStockNumber1", "1003"},
                     {"ProductsPrice1", 9.00}, {"Quantity1", 1}, {"ProductSales", 21.99},
                     {"taxpercent1", 6.0}, {"TaxTotals1", 1.32}, {"taxamount1", 23.31}, {"Totals", 50.37},
                     {"TodayDate", QDate(2001, 7, 30)}};
    insertMany(SalonTable::Servicemenu, t);

    insertMany(SalonTable::Employees1, {
        {{"LastName", "Lopez"}, {"FirstName", "Maria"}, {"CommissionsPaid", 44.00},
         {"CommissionsPaidProducts", 3.65}, {"DatePaid", QDate(2001, 7, 15)}, {"DateFrom", QDate(2001, 7, 1)},
         {"DateTo", QDate(2001, 7, 14)}, {"TotalsPaid", 47.65}},
        {{"LastName", "Park"}, {"FirstName", "Jenny"}, {"CommissionsPaid", 42.40},
         {"CommissionsPaidProducts", 5.70}, {"DatePaid", QDate(2001, 7, 15)}, {"DateFrom", QDate(2001, 7, 1)},
         {"DateTo", QDate(2001, 7, 14)}, {"TotalsPaid", 48.10}},
        {{"LastName", "Lopez"}, {"FirstName", "Maria"}, {"CommissionsPaid", 34.00},
         {"CommissionsPaidProducts", 3.60}, {"DatePaid", QDate(2001, 7, 31)}, {"DateFrom", QDate(2001, 7, 15)},
         {"DateTo", QDate(2001, 7, 31)}, {"TotalsPaid", 37.60}},
    });

    insertMany(SalonTable::Calendar, {
        {{"MonthYear", "July 2001"}, {"Memo", "Inventory count on the 31st"}, {"day1", "1\nClosed"},
         {"day2", "2\nMaria, Jenny"}, {"day3", "3\nTom"}},
        {{"MonthYear", "August 2001"}, {"day4", "1\nMaria"}, {"day5", "2\nJenny"}},
    });

    insertMany(SalonTable::Business, {
        {{"Business_Name", "Quorvel Hair Studio"}, {"Address", "12 Main St"}, {"City", "San Diego"},
         {"State", "CA"}, {"Zip", "92101"}, {"Category", "Furniture"}, {"Location", "Salon"},
         {"ItemName", "Salon Chair"}, {"ItemDescription", "Hydraulic styling chair"},
         {"PurchaseDate", QDate(2000, 5, 1)}, {"PurchasePrice", 1200.00}, {"ReplacementCost", 1400.00},
         {"AppraisedValue", 900.00}, {"On_OffSite", "On"}},
        {{"Business_Name", "Quorvel Hair Studio"}, {"Address", "12 Main St"}, {"City", "San Diego"},
         {"State", "CA"}, {"Zip", "92101"}, {"Category", "HairDryers"}, {"Location", "Salon"},
         {"ItemName", "Hair Dryer"}, {"PurchaseDate", QDate(2001, 2, 1)}, {"PurchasePrice", 350.00},
         {"ReplacementCost", 380.00}, {"AppraisedValue", 300.00}, {"On_OffSite", "On"}},
    });
}

std::shared_ptr<qv::Recordset> SalonDb::query(const QString& sql)
{
    auto rs = std::make_shared<qv::Recordset>();
    rs->openDisconnected(sql, connectionString());
    return rs;
}

QVariant SalonDb::scalar(const QString& sql)
{
    auto rs = query(sql);
    if (rs->eof() || rs->fieldCount() == 0)
        return {};
    return rs->value(0);
}

int SalonDb::count(const QString& table)
{
    return scalar(QStringLiteral("SELECT count(*) FROM [%1]").arg(table)).toInt();
}

void SalonDb::execRaw(const QString& sqliteSql)
{
    RawDb raw(file());
    char* err = nullptr;
    if (sqlite3_exec(raw.db, sqliteSql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        QString why = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        throw qv::Error(why);
    }
}

QVariant SalonDb::scalarRaw(const QString& sqliteSql)
{
    RawDb raw(file());
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(raw.db, sqliteSql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        throw qv::Error(raw.error());
    QVariant out;
    if (sqlite3_step(st) == SQLITE_ROW) {
        switch (sqlite3_column_type(st, 0)) {
        case SQLITE_INTEGER: out = qint64(sqlite3_column_int64(st, 0)); break;
        case SQLITE_FLOAT: out = sqlite3_column_double(st, 0); break;
        case SQLITE_TEXT:
            out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            break;
        case SQLITE_BLOB:
            out = QByteArray(static_cast<const char*>(sqlite3_column_blob(st, 0)), sqlite3_column_bytes(st, 0));
            break;
        default: break;
        }
    }
    sqlite3_finalize(st);
    return out;
}

} // namespace qvtest
