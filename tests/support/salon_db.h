#pragma once
// A salon database for one test: "KVD.mdb" with the ten empty tables in a
// fresh program folder, and helpers that put rows into it the way the
// windows do (through a recordset, so every value is converted to its
// field's type and stored as the program stores it).
//
//   qvtest::SalonDb db;              // empty tables
//   db.seed();                       // the standard salon below
//   db.insert("Customers", {{"CustomerName", "Ann Lee"}, {"Phone", "434-8888"}});
//
// The standard salon (seed()):
//   Users         "admin"/"secret", "O'Neil"/"it's"
//   Employees     1 Lopez Maria (SS 111-22-3333), 2 Park Jenny (222-33-4444), 3 Reed Tom (333-44-5555)
//   Customers     "Ann Lee" 434-8888 (artist Maria), "Bob Stone" 555-1212 (Jenny),
//                 "Cara O'Brien" (212) 555-1212 (Maria), "Dan Fox" 858-9899 (Tom)
//   ServiceMenu1  Haircut 25.00 tax 8.25; Color 45.50 tax 8.25; Perm 60.00 tax 8.25; Manicure 15.00 tax 0
//   StockControl  retail: Shampoo 1001 (12.99, cost 7, start 20, sold 5),
//                         Conditioner 1002 (14.50, cost 8, start 10, sold 2),
//                         Hair Gel 1003 (9.00, cost 4, start 3, sold 2);
//                 non-retail (Price 0): Foils 2001 (wholesale 5), Gloves 2002 (wholesale 9)
//   Suppliers     "Beauty Supply Co", "Salon Wholesale Inc"
//   Servicemenu   six tickets (see tickets()) in July 2001, artists Maria, Jenny, Tom;
//                 Ann Lee has three tickets, Bob Stone two, Dan Fox one
//   Employees1    payments to Lopez (two) and Park (one)
//   Calendar      "July 2001", "August 2001"
//   Business      "Salon Chair" (1,200.00), "Hair Dryer" (350.00)
#include "support/program_folder.h"
#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>

namespace qv { class Recordset; }

namespace qvtest {

// One seeded ticket, as the tests may want to check sums against it.
struct SeedTicket {
    QString ticket;        // CustomerID
    QString name;          // CustomerName
    QString phone;         // CustomerPhone
    QString artist;        // SalonArtist
    QDate date;            // DateAppointment
    double servicePrice;   // Price (sum of service lines)
    double productSales;   // ProductSales
    double totals;         // Totals
};

class SalonDb {
public:
    SalonDb();
    ~SalonDb();
    SalonDb(const SalonDb&) = delete;
    SalonDb& operator=(const SalonDb&) = delete;

    QString folder() const { return m_folder.path(); }
    QString file() const;                 // <folder>/KVD.mdb
    QString connectionString() const;     // "Provider=...;Data Source=<file>;Persist Security Info=False"

    // Adds one row; values by field name. QDate and QTime values are stored
    // as the dates and times of day the windows store. Throws qv::Error when
    // the table refuses the row.
    void insert(const QString& table, const QVariantMap& values);
    // Several rows into one table through one recordset.
    void insertMany(const QString& table, const QList<QVariantMap>& rows);

    // The standard salon described above; each call adds it once more.
    void seed();
    static QList<SeedTicket> tickets();

    // Reads through the data layer, in the windows' query dialect.
    std::shared_ptr<qv::Recordset> query(const QString& sql);
    // First field of the first row of a query in the windows' dialect (null when no row).
    QVariant scalar(const QString& sql);
    int count(const QString& table);

    // Straight SQLite on the file, for tests that must damage or inspect it
    // (the texts are SQLite's, not the windows' dialect).
    void execRaw(const QString& sqliteSql);
    QVariant scalarRaw(const QString& sqliteSql);

private:
    TempProgramFolder m_folder;
};

} // namespace qvtest
