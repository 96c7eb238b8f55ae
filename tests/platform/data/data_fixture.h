#pragma once
// A small database of two tables for the data layer's own tests: tickets
// (every field type) and a list of people without a key.
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "support/program_folder.h"
#include <QVariantMap>
#include <memory>
#include <sqlite3.h>

namespace datatest {

inline QList<qv::TableDef> testTables()
{
    using qv::FieldType;
    qv::TableDef tickets{QStringLiteral("Tickets"),
                         {{QStringLiteral("TicketID"), FieldType::Long, false, false, true},
                          {QStringLiteral("Client"), FieldType::Text},
                          {QStringLiteral("Phone"), FieldType::Text},
                          {QStringLiteral("Visit"), FieldType::DateTime},
                          {QStringLiteral("StartTime"), FieldType::DateTime},
                          {QStringLiteral("Price"), FieldType::Currency},
                          {QStringLiteral("Quantity"), FieldType::Double},
                          {QStringLiteral("Seats"), FieldType::Long},
                          {QStringLiteral("Paid"), FieldType::Boolean},
                          {QStringLiteral("Notes"), FieldType::Memo}}};
    qv::TableDef people{QStringLiteral("People"),
                        {{QStringLiteral("Name"), FieldType::Text, true, true},
                         {QStringLiteral("City"), FieldType::Text}}};
    return {tickets, people};
}

class DataFixture {
public:
    DataFixture()
    {
        m_file = m_folder.file(QStringLiteral("KVD.mdb"));
        qv::Database::create(m_file, testTables());
    }
    QString file() const { return m_file; }
    QString folder() const { return m_folder.path(); }
    QString connectionString() const
    {
        return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + m_file
               + QStringLiteral(";Persist Security Info=False");
    }
    std::unique_ptr<qv::Connection> connect() const
    {
        auto c = std::make_unique<qv::Connection>();
        c->open(connectionString());
        return c;
    }
    // Adds rows through the data layer, as the windows do.
    void add(const QString& table, const QList<QVariantMap>& rows) const
    {
        auto c = connect();
        qv::Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM ") + table, *c);
        for (const QVariantMap& row : rows) {
            rs.addNew();
            for (auto it = row.begin(); it != row.end(); ++it)
                rs.setValue(it.key(), it.value());
            rs.update();
        }
    }
    // Straight SQLite, to look at the file itself or to play another program.
    QVariant raw(const QString& sql) const
    {
        sqlite3* db = nullptr;
        sqlite3_open(m_file.toUtf8().constData(), &db);
        sqlite3_stmt* st = nullptr;
        QVariant out;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
            switch (sqlite3_column_type(st, 0)) {
            case SQLITE_INTEGER: out = qlonglong(sqlite3_column_int64(st, 0)); break;
            case SQLITE_FLOAT: out = sqlite3_column_double(st, 0); break;
            case SQLITE_TEXT: out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))); break;
            default: break;
            }
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }
    void rawExec(const QString& sql) const
    {
        sqlite3* db = nullptr;
        sqlite3_open(m_file.toUtf8().constData(), &db);
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

private:
    qvtest::TempProgramFolder m_folder;
    QString m_file;
};

inline QVariantMap row(std::initializer_list<std::pair<QString, QVariant>> values)
{
    QVariantMap m;
    for (const auto& [k, v] : values)
        m.insert(k, v);
    return m;
}

// Three clients, five tickets.
inline void seedTickets(const DataFixture& db)
{
    db.add(QStringLiteral("Tickets"),
           {row({{"Client", "Ann Lee"}, {"Phone", "434-8888"}, {"Visit", "7/2/2001"}, {"StartTime", "9am"}, {"Price", "25.00"}, {"Quantity", "1"}}),
            row({{"Client", "Bob Stone"}, {"Phone", "555-1212"}, {"Visit", "7/3/2001"}, {"StartTime", "10:30 AM"}, {"Price", "45.50"}, {"Quantity", "2"}}),
            row({{"Client", "ann lee"}, {"Phone", "434-8888"}, {"Visit", "7/9/2001"}, {"StartTime", "1 pm"}, {"Price", "60"}}),
            row({{"Client", "Cara O'Brien"}, {"Phone", "(212) 555-1212"}, {"Visit", "7/10/2001"}, {"Price", "15"}}),
            row({{"Client", "Ann Lee"}, {"Phone", "434-8888"}, {"Visit", "7/16/2001"}, {"Price", "30.25"}})});
}

} // namespace datatest
