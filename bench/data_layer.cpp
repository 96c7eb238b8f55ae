// The data layer against plain SQLite on the same rows, in the same run.
// Every benchmark reports "ratio" = data layer / baseline (lower is better):
//   OpenTicketBook    opening the appointment book's shaped recordset on
//                     100,000 tickets of 20,000 clients vs reading the same
//                     rows with sqlite3 (target <= 2)
//   ChapterRead       one current ticket's client history on 100,000 tickets
//                     vs on 10,000 (target ~1: independent of table size)
//   findByText        a find that scans 100,000 rows vs SQLite's own LIKE
//                     (target <= 1)
//   SaveOneTicket     saving one changed ticket vs a prepared UPDATE in its
//                     own transaction (target <= 1.2)
//   LoadedMemory      heap held by 100,000 loaded tickets vs their size in
//                     the file (target < 2)
#include "common/connections.h"
#include "common/schema.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/values/error.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTime>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

const QString kShape = QStringLiteral(
    "SHAPE {select *from Servicemenu} AS ParentCMD APPEND ({select *from Servicemenu } AS ChildCMD "
    "RELATE CustomerName TO CustomerName) AS ChildCMD");

void check(int rc, sqlite3* db, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::abort();
    }
}

sqlite3* openRaw(const QString& file)
{
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db, "open");
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// A salon database with `tickets` tickets of tickets / 5 clients. One ticket
// is written through the data layer, so that every column holds what the
// program stores; SQLite then copies it with other ticket numbers and clients.
struct TicketFile {
    QTemporaryDir dir;
    QString file;
    int tickets = 0;

    explicit TicketFile(int count) : file(dir.filePath("KVD.mdb")), tickets(count)
    {
        createSalonDatabase(file);
        {
            qv::Connection cn;
            cn.open(jetConnectionString(file));
            qv::Recordset rs;
            rs.open("SELECT * FROM Servicemenu", cn);
            rs.addNew();
            const QVariantMap row{
                {"CustomerID", "1001"}, {"CustomerName", "Template"}, {"CustomerPhone", "555-0000"},
                {"SalonArtist", "Maria"}, {"DateAppointment", QDateTime(QDate(2001, 7, 2), QTime(0, 0))},
                {"TimeAppointment", QDateTime(QDate(1899, 12, 30), QTime(9, 0))},
                {"TimeBlock", QDateTime(QDate(1899, 12, 30), QTime(9, 30))}, {"Memo", "Regular client"},
                {"Service", "Haircut"}, {"ServicePrice1", 25.0}, {"QuantityService1", 1},
                {"Service1", "Color"}, {"ServicePrice2", 45.5}, {"QuantityService2", 1},
                {"Price", 70.5}, {"TaxPercent", 8.25}, {"TaxTotals", 5.82}, {"Taxamount", 76.32},
                {"ProductsSold", "Shampoo"}, {"SystemStockNumber", "1001"}, {"ProductsPrice", 12.99},
                {"Quantity", 1}, {"ProductSales", 12.99}, {"taxpercent1", 6.0}, {"TaxTotals1", 0.78},
                {"taxamount1", 13.77}, {"Totals", 90.09}, {"TodayDate", QDateTime(QDate(2001, 7, 2), QTime(0, 0))}};
            for (auto it = row.begin(); it != row.end(); ++it)
                rs.setValue(it.key(), it.value());
            rs.update();
        }
        sqlite3* db = openRaw(file);
        check(sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr), db, "pragma");
        const int clients = count / 5;
        QString columns;
        QString copied;
        for (const qv::FieldDef& f : salonTable(SalonTable::Servicemenu).fields) {
            columns += (columns.isEmpty() ? "" : ",") + f.name;
            QString c = f.name;
            if (c == "CustomerID")
                c = "printf('%d', 100000 + i)";
            else if (c == "CustomerName")
                c = QStringLiteral("printf('Client %05d', i % %1)").arg(clients);
            else if (c == "CustomerPhone")
                c = QStringLiteral("printf('555-%05d', i % %1)").arg(clients);
            else
                c = "t." + c;
            copied += (copied.isEmpty() ? "" : ",") + c;
        }
        const QString sql = QStringLiteral(
            "WITH RECURSIVE seq(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM seq WHERE i + 1 < %1) "
            "INSERT INTO Servicemenu (%2) SELECT %3 FROM seq, (SELECT * FROM Servicemenu LIMIT 1) t")
            .arg(count).arg(columns, copied);
        check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
        check(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), db, "fill");
        check(sqlite3_exec(db, "DELETE FROM Servicemenu WHERE CustomerName = 'Template'", nullptr, nullptr, nullptr),
              db, "template");
        // The one ticket a full-length find looks for: the last one.
        check(sqlite3_exec(db, "UPDATE Servicemenu SET CustomerName = 'Zed Last' WHERE rowid = (SELECT max(rowid) "
                               "FROM Servicemenu)", nullptr, nullptr, nullptr), db, "last");
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
        check(sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr), db, "vacuum");
        sqlite3_close(db);
    }

    QString shapeString() const
    {
        return "PROVIDER=MSDataShape;Data PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=" + file + ";";
    }
    QString plainString() const { return jetConnectionString(file); }

    // Bytes the table's rows take in the file (the other tables are empty).
    qint64 bytesInFile() const
    {
        sqlite3* db = openRaw(file);
        auto one = [&](const char* sql) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
            sqlite3_step(st);
            qint64 v = sqlite3_column_int64(st, 0);
            sqlite3_finalize(st);
            return v;
        };
        qint64 pages = one("PRAGMA page_count") - one("PRAGMA freelist_count");
        qint64 size = one("PRAGMA page_size");
        sqlite3_close(db);
        return pages * size;
    }
};

TicketFile& tickets(int count)
{
    static std::map<int, std::unique_ptr<TicketFile>> files;
    auto& f = files[count];
    if (!f)
        f = std::make_unique<TicketFile>(count);
    return *f;
}

// Every row and every value, as a plain client of SQLite reads them.
qint64 plainRead(const QString& file, const char* sql)
{
    sqlite3* db = openRaw(file);
    sqlite3_stmt* st = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db, "prepare");
    qint64 sum = 0;
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER: sum += sqlite3_column_int64(st, c); break;
            case SQLITE_FLOAT: sum += qint64(sqlite3_column_double(st, c)); break;
            case SQLITE_TEXT: sum += sqlite3_column_bytes(st, c) + sqlite3_column_text(st, c)[0]; break;
            default: break;
            }
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return sum;
}

void report(benchmark::State& state, double subject, double baseline, const char* unitName = "ms")
{
    const double n = double(state.iterations());
    state.counters[std::string("subject_") + unitName] = subject / n * 1000;
    state.counters[std::string("baseline_") + unitName] = baseline / n * 1000;
    state.counters["ratio"] = baseline > 0 ? subject / baseline : 0;
}

void OpenTicketBook(benchmark::State& state)
{
    TicketFile& f = tickets(int(state.range(0)));
    double subject = 0, baseline = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(plainRead(f.file, "SELECT * FROM Servicemenu"));
        auto t1 = Clock::now();
        {
            qv::Connection cn;
            cn.open(f.shapeString());
            qv::Recordset rs;
            rs.open(kShape, cn);
            benchmark::DoNotOptimize(rs.recordCount());
            auto t2 = Clock::now();
            subject += seconds(t1, t2);
            state.SetIterationTime(seconds(t1, t2));
        }
        baseline += seconds(t0, t1);
    }
    report(state, subject, baseline);
}

// Reading one ticket's client history: the same work on a table ten times larger.
void ChapterRead(benchmark::State& state)
{
    const int reads = 2000;
    auto perRead = [&](TicketFile& f) {
        qv::Connection cn;
        cn.open(f.shapeString());
        qv::Recordset rs;
        rs.open(kShape, cn);
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> pick(1, rs.recordCount());
        rs.setAbsolutePosition(pick(rng));
        benchmark::DoNotOptimize(rs.chapter("ChildCMD")->recordCount());   // a first read may build an index
        auto t0 = Clock::now();
        qint64 seen = 0;
        for (int i = 0; i < reads; ++i) {
            rs.setAbsolutePosition(pick(rng));
            auto history = rs.chapter("ChildCMD");
            for (history->moveFirst(); !history->eof(); history->moveNext())
                seen += history->value("CustomerID").toString().size();
        }
        benchmark::DoNotOptimize(seen);
        return seconds(t0, Clock::now()) / reads;
    };
    double large = 0, small = 0;
    for (auto _ : state) {
        small += perRead(tickets(10000));
        double t = perRead(tickets(100000));
        large += t;
        state.SetIterationTime(t);
    }
    const double n = double(state.iterations());
    state.counters["per_read_100k_us"] = large / n * 1e6;
    state.counters["per_read_10k_us"] = small / n * 1e6;
    state.counters["ratio"] = small > 0 ? large / small : 0;
}

void FindByText(benchmark::State& state)
{
    TicketFile& f = tickets(100000);
    qv::Connection cn;
    cn.open(f.plainString());
    qv::Recordset rs;
    rs.open("SELECT * FROM Servicemenu", cn);
    sqlite3* db = openRaw(f.file);
    double subject = 0, baseline = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid FROM Servicemenu WHERE CustomerName LIKE '%zed last%' LIMIT 1", -1,
                           &st, nullptr);
        qint64 found = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(found);
        auto t1 = Clock::now();
        rs.moveFirst();
        bool hit = rs.find("CustomerName", "*zed last*");
        auto t2 = Clock::now();
        if (!hit)
            state.SkipWithError("the find missed the last ticket");
        baseline += seconds(t0, t1);
        subject += seconds(t1, t2);
        state.SetIterationTime(seconds(t1, t2));
    }
    sqlite3_close(db);
    report(state, subject, baseline);
}

void SaveOneTicket(benchmark::State& state)
{
    TicketFile& f = tickets(100000);
    qv::Connection cn;
    cn.open(f.plainString());
    qv::Recordset rs;
    rs.open("SELECT * FROM Servicemenu", cn);
    sqlite3* db = openRaw(f.file);
    sqlite3_stmt* begin = nullptr;
    sqlite3_stmt* upd = nullptr;
    sqlite3_stmt* commit = nullptr;
    sqlite3_prepare_v2(db, "BEGIN", -1, &begin, nullptr);
    sqlite3_prepare_v2(db, "UPDATE Servicemenu SET ProductsSold4 = ? WHERE rowid = ?", -1, &upd, nullptr);
    sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr);
    std::mt19937 rng(11);
    // The data layer saves tickets of the first half, the baseline rows of the
    // second half (a SELECT without order returns the rows by row id), and a
    // field of its own: no save ever meets the other's change.
    sqlite3_stmt* top = nullptr;
    sqlite3_prepare_v2(db, "SELECT max(rowid) FROM Servicemenu", -1, &top, nullptr);
    sqlite3_step(top);
    const qint64 maxRowid = sqlite3_column_int64(top, 0);
    sqlite3_finalize(top);
    const int half = rs.recordCount() / 2;
    std::uniform_int_distribution<int> pick(1, half - 1);
    double subject = 0, baseline = 0;
    int i = 0;
    // A save that follows another closely waits on the disk for the one
    // before it; each timed save starts on a quiet disk.
    auto settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(3)); };
    // Plain SQLite's save of one changed ticket, timed.
    auto plainSave = [&](const QByteArray& memo) {
        settle();
        auto t0 = Clock::now();
        sqlite3_step(begin);
        sqlite3_reset(begin);
        sqlite3_bind_text(upd, 1, memo.constData(), int(memo.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(upd, 2, maxRowid - pick(rng));
        check(sqlite3_step(upd), db, "update");
        sqlite3_reset(upd);
        check(sqlite3_step(commit), db, "commit");
        sqlite3_reset(commit);
        return seconds(t0, Clock::now());
    };
    // The data layer's: a move to the ticket (untimed), the change, the save.
    auto layerSave = [&](const QByteArray& memo) {
        rs.setAbsolutePosition(pick(rng));
        settle();
        auto t0 = Clock::now();
        rs.setValue("ProductsSold3", QString::fromLatin1(memo));
        rs.update();
        return seconds(t0, Clock::now());
    };
    for (auto _ : state) {
        const QByteArray memo = QByteArray("Changed ") + QByteArray::number(++i);
        // Each side in turn goes first, so neither always follows the
        // other's write (its cache is stale then, and the disk still busy).
        double plain = 0, layer = 0;
        if (i % 2) {
            plain = plainSave(memo);
            layer = layerSave(memo);
        } else {
            layer = layerSave(memo);
            plain = plainSave(memo);
        }
        baseline += plain;
        subject += layer;
        state.SetIterationTime(layer);
    }
    sqlite3_finalize(begin);
    sqlite3_finalize(upd);
    sqlite3_finalize(commit);
    sqlite3_close(db);
    report(state, subject, baseline);
}

qint64 heapInUse()
{
    malloc_trim(0);
    struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks) + qint64(m.hblkhd);
}

void LoadedMemory(benchmark::State& state)
{
    TicketFile& f = tickets(100000);
    const bool shaped = state.range(0) != 0;
    qint64 held = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const qint64 before = heapInUse();
        state.ResumeTiming();
        {
            qv::Connection cn;
            cn.open(shaped ? f.shapeString() : f.plainString());
            qv::Recordset rs;
            rs.open(shaped ? kShape : QStringLiteral("SELECT * FROM Servicemenu"), cn);
            if (shaped)
                benchmark::DoNotOptimize(rs.chapter("ChildCMD")->recordCount());
            cn.close();   // the rows alone, as a disconnected list keeps them
            state.PauseTiming();
            held = heapInUse() - before;
            state.ResumeTiming();
        }
    }
    const qint64 fileBytes = f.bytesInFile();
    state.counters["heap_MB"] = double(held) / (1024.0 * 1024.0);
    state.counters["file_MB"] = double(fileBytes) / (1024.0 * 1024.0);
    state.counters["ratio"] = double(held) / double(fileBytes);
}

} // namespace

BENCHMARK(OpenTicketBook)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ChapterRead)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3);
BENCHMARK(FindByText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(SaveOneTicket)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(LoadedMemory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const qv::Error& e) {
        std::fprintf(stderr, "data layer error: %s\n", qPrintable(e.description()));
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
