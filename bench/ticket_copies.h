#pragma once
// Shared by the benchmarks: a salon file of many tickets, each a copy of one
// ticket written as the program writes it, and the plain sqlite3 read that
// serves as the baseline of several of them.
#include "common/schema.h"
#include "platform/data/database.h"
#include "support/salon_db.h"

#include <QDate>
#include <QHash>
#include <QTime>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <cstdio>
#include <cstdlib>

namespace qvbench {

// Adds `count` tickets to the database's Servicemenu: copies of one full
// ticket, each column the template's own unless `columns` gives an SQLite
// expression for it over the copy's number i (0 .. count - 1) and the
// template t.
inline void addTicketCopies(qvtest::SalonDb& db, int count, const QHash<QString, QString>& columns)
{
    db.insert(SalonTable::Servicemenu,
              {{"CustomerID", "1"}, {"CustomerName", "Template"}, {"CustomerPhone", "555-0000"},
               {"SalonArtist", "Maria"}, {"DateAppointment", QDate(2001, 7, 2)}, {"TimeAppointment", QTime(9, 0)},
               {"TimeBlock", QTime(9, 30)}, {"Memo", "Regular client"}, {"Service", "Haircut"},
               {"ServicePrice1", 25.0}, {"QuantityService1", 1}, {"Service1", "Color"}, {"ServicePrice2", 45.5},
               {"QuantityService2", 1}, {"Price", 70.5}, {"TaxPercent", 8.25}, {"TaxTotals", 5.82},
               {"Taxamount", 76.32}, {"ProductsSold", "Shampoo"}, {"SystemStockNumber", "1001"},
               {"ProductsPrice", 12.99}, {"Quantity", 1}, {"ProductSales", 12.99}, {"taxpercent1", 6.0},
               {"TaxTotals1", 0.78}, {"taxamount1", 13.77}, {"Totals", 90.09}});
    QString names, copied;
    for (const qv::FieldDef& f : salonTable(SalonTable::Servicemenu).fields) {
        names += (names.isEmpty() ? "" : ",") + f.name;
        copied += (copied.isEmpty() ? "" : ",") + columns.value(f.name, "t." + f.name);
    }
    db.execRaw(QStringLiteral("WITH RECURSIVE seq(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM seq WHERE i + 1 < %1) "
                              "INSERT INTO Servicemenu (%2) SELECT %3 FROM seq, "
                              "(SELECT * FROM Servicemenu WHERE CustomerName = 'Template') t")
                   .arg(count)
                   .arg(names, copied));
    db.execRaw("DELETE FROM Servicemenu WHERE CustomerName = 'Template'");
}

// Reads every column of every row a query returns with sqlite3; gives the
// number of rows. Stops the benchmark when the file or query fails.
inline long readEveryColumn(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
        std::abort();
    }
    long rows = 0;
    double checksum = 0;
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER: checksum += double(sqlite3_column_int64(st, c)); break;
            case SQLITE_FLOAT: checksum += sqlite3_column_double(st, c); break;
            case SQLITE_TEXT: checksum += sqlite3_column_bytes(st, c); benchmark::DoNotOptimize(sqlite3_column_text(st, c)); break;
            default: break;
            }
        }
        ++rows;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    benchmark::DoNotOptimize(checksum);
    return rows;
}

} // namespace qvbench
