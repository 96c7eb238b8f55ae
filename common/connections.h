#pragma once
// Where the salon's database is, and the connection strings the windows open
// it with. There is no shared connection: every window, report button and
// lookup list builds its string from these and opens a connection of its own.
//
// The strings keep the texts the program has always used; only the part
// after "Data Source=" names the file for the data layer. A "\" in a path is
// a folder separator, and a doubled separator names the same file.
#include <QString>
#include <memory>

namespace qv {
class Connection;
class Recordset;
}

// The folder of the running program, as the system reports it, or the user's
// data folder that stands in for it when the program's own cannot be written
// (shell/data_folder.h).
QString programFolder();

// "KVD.mdb" in the program folder, the careful way: a "\" is added only when
// the folder does not already end in a separator (the root of a drive does).
// The user login and the report buttons use it.
QString databasePath();
// The plain way: the folder, then "\KVD.mdb", the separator always added.
// The record windows, the count-guarded opens and the query buttons use it.
QString databasePathPlain();

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>;Persist Security Info=False"
QString jetConnectionString(const QString& path);
// The record windows' string at load: the plain path in the Jet string.
QString recordWindowConnectionString();
// The report buttons' and the login's string: the careful path in the Jet string.
QString reportConnectionString();
// The string the appointment book, the commissions-paid window and the
// stock-control window keep for their lookup lists (plain path).
QString lookupConnectionString();
// The user list's string.
QString userListConnectionString();
// The data-shaping string of the windows with master/detail recordsets.
QString shapeConnectionString();
// The data-shaping string of the three statistics charts.
QString chartConnectionString();

// Opens a connection of its own (record-window string), runs the counting
// text ("SELECT count(*) FROM [ServiceMenu]", "SELECT count(*) FROM
// [StockControl]") and tells whether the count is not 0; the caller then
// shows its window, or does nothing at all. A missing file or table reaches
// the caller as qv::Error, whose text its handler guard shows.
bool countGuardedOpen(const QString& countSql);

// A report's rows: the query runs on a connection of its own (report
// string), and the rows stay readable while this object lives. Destroying
// it (or close()) closes the rows, then the connection, as the report
// buttons do once the report window is closed. Throws qv::Error.
class ReportQuery {
public:
    explicit ReportQuery(const QString& sql);
    ~ReportQuery();
    ReportQuery(const ReportQuery&) = delete;
    ReportQuery& operator=(const ReportQuery&) = delete;

    const std::shared_ptr<qv::Recordset>& recordset() const { return m_rows; }
    void close();

private:
    std::unique_ptr<qv::Connection> m_connection;
    std::shared_ptr<qv::Recordset> m_rows;
};
