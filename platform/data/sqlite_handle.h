#pragma once
// The open SQLite file behind a Connection. Recordsets share it, so that a
// recordset outlives a closed or destroyed Connection as a read-only snapshot.
#include "platform/data/row_store.h"
#include <QHash>
#include <QString>
#include <QVariantList>
#include <sqlite3.h>

namespace qv::detail {

class SqliteHandle {
public:
    ~SqliteHandle() { close(); }

    sqlite3* db = nullptr;
    QString file;

    bool isOpen() const { return db != nullptr; }
    // A prepared statement kept for the life of the connection (reset before use).
    sqlite3_stmt* cached(const QString& sql);
    // A statement for one use; the caller finalizes it.
    sqlite3_stmt* prepare(const QString& sql);
    void exec(const char* sql);
    void close();
    [[noreturn]] void fail(const QString& context = QString()) const;

private:
    QHash<QString, sqlite3_stmt*> m_cache;
};

// Binds a stored value to a statement parameter (1-based).
void bindStored(sqlite3_stmt* stmt, int index, const Stored& value);

// The text of a SQLite error in words a user can act on.
QString describeSqliteError(int code, const QString& message);

// Opens a query (already in SQLite's dialect) into a new store.
std::shared_ptr<RowStore> loadStore(SqliteHandle& handle, const QString& sqliteSql, bool withRowid,
                                    const QVariantList& params = {});

} // namespace qv::detail
