// The appointment book window against the data layer alone, on the same
// 100,000 tickets of 20,000 clients, in the same run. Each benchmark reports
// "ratio" = window / data layer (target <= 1.5):
//   OpenBook   loading the book (connection, shaped recordset, 55 bound boxes
//              shown in their formats, the client-history grid, the artist
//              list) vs opening the same shaped recordset on a connection
//   NextTicket the book's Next button (tender emptied, move, every box shown
//              again in its format, the history grid bound to the new
//              ticket's chapter) vs the recordset's own move that reads every
//              field of the new row and its chapter's rows
#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "common/schema.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/services/services.h"
#include "support/salon_db.h"
#include "offscreen_main.h"
#include "ticket_copies.h"

#include <QApplication>
#include <QDateTime>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

const QString kShape = QStringLiteral(
    "SHAPE {select *from Servicemenu} AS ParentCMD APPEND ({select *from Servicemenu } AS ChildCMD "
    "RELATE CustomerName TO CustomerName) AS ChildCMD");

// A program folder whose database holds `count` tickets of count / 5 clients:
// one ticket written as the program writes it, copied by SQLite.
std::unique_ptr<qvtest::SalonDb> db;

qvtest::SalonDb& salon(int count)
{
    if (db)
        return *db;
    db = std::make_unique<qvtest::SalonDb>();
    db->seed();
    db->execRaw("DELETE FROM Servicemenu");
    qvbench::addTicketCopies(*db, count,
                             {{"CustomerID", "printf('%d', 100000 + i)"},
                              {"CustomerName", QStringLiteral("printf('Client %05d', i % %1)").arg(count / 5)},
                              {"CustomerPhone", QStringLiteral("printf('555-%05d', i % %1)").arg(count / 5)}});
    return *db;
}

void report(benchmark::State& state, double subject, double baseline)
{
    const double n = double(state.iterations());
    state.counters["book_ms"] = subject / n * 1000;
    state.counters["data_ms"] = baseline / n * 1000;
    state.counters["ratio"] = baseline > 0 ? subject / baseline : 0;
}

// Every field of the current row and of its chapter's rows.
void readRow(qv::Recordset& rs)
{
    for (int i = 0; i < rs.fieldCount(); ++i)
        benchmark::DoNotOptimize(rs.value(i));
    std::shared_ptr<qv::Recordset> chapter = rs.chapter(QStringLiteral("ChildCMD"));
    if (chapter && chapter->recordCount() > 0) {
        for (chapter->moveFirst(); !chapter->eof(); chapter->moveNext())
            for (int i = 0; i < chapter->fieldCount(); ++i)
                benchmark::DoNotOptimize(chapter->value(i));
    }
}

void OpenBook(benchmark::State& state)
{
    salon(int(state.range(0)));
    qv::ScopedScriptedUi quiet;
    double subject = 0, baseline = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        {
            qv::Connection cn;
            cn.open(shapeConnectionString());
            qv::Recordset rs;
            rs.open(kShape, cn);
            readRow(rs);
        }
        auto t1 = Clock::now();
        AppointmentBook& book = *qv::Windows::get<AppointmentBook>();
        auto t2 = Clock::now();
        benchmark::DoNotOptimize(book.box(50)->text());
        book.unload();
        QApplication::processEvents();
        baseline += seconds(t0, t1);
        subject += seconds(t1, t2);
    }
    report(state, subject, baseline);
}

void NextTicket(benchmark::State& state)
{
    salon(int(state.range(0)));
    qv::ScopedScriptedUi quiet;
    qv::Connection cn;
    cn.open(shapeConnectionString());
    qv::Recordset rs;
    rs.open(kShape, cn);
    AppointmentBook& book = *qv::Windows::get<AppointmentBook>();
    double subject = 0, baseline = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        rs.moveNext();
        if (rs.eof())
            rs.moveFirst();
        readRow(rs);
        auto t1 = Clock::now();
        book.findChild<QPushButton*>(QStringLiteral("cmdNext"))->click();
        auto t2 = Clock::now();
        if (book.recordset()->absolutePosition() == book.recordset()->recordCount())
            book.recordset()->moveFirst();
        baseline += seconds(t0, t1);
        subject += seconds(t1, t2);
    }
    report(state, subject, baseline);
    book.unload();
    QApplication::processEvents();
}

} // namespace

BENCHMARK(OpenBook)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(NextTicket)->Arg(100000)->Unit(benchmark::kMicrosecond)->Iterations(10000);

int main(int argc, char** argv)
{
    // Before the program's own statics go (the folder it points the program at among them).
    return qvbench::runOffscreen(argc, argv, [] { db.reset(); });
}
