#pragma once
// The one database file and the connections that windows open on it.
// Every window, report button and lookup list opens its own Connection; the
// connection string names the file ("Data Source=..."), as the old provider
// strings did, and the rest of the string is kept only as text.
#include "platform/values/error.h"
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

struct sqlite3;

namespace qv {
namespace detail { class SqliteHandle; }

class Recordset;

// The folder the program's files are taken from: the running program's own
// folder unless set otherwise (an installed program sets the user's data
// folder in its place; tests point it at a folder of their own).
class ProgramFolder {
public:
    static QString path();            // no trailing separator, as the system reports it
    static void setPath(const QString& folder);
};

// Field types of the stored tables.
enum class FieldType { Text, Memo, Long, Double, Currency, DateTime, Boolean };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    bool required = false;
    bool unique = false;
    bool autoNumber = false;   // filled by the table
};

struct TableDef {
    QString name;
    QList<FieldDef> fields;
};

class Database {
public:
    // Creates a new database file holding the given tables. Refuses to touch
    // an existing file.
    static void create(const QString& file, const QList<TableDef>& tables);
    // True when the file is a database of ours (opens, and is SQLite).
    static bool isDatabase(const QString& file, QString* why = nullptr);
    // What a read of every page of the file found: a sound database of ours,
    // no file, a file damaged or of another kind, or one that could not be
    // read at all (no permission, held by another program).
    struct PageCheck {
        enum Verdict { Sound, Missing, Damaged, Unreadable } verdict;
        QString why;   // empty when sound
    };
    static PageCheck checkPages(const QString& file);
    // True when nobody else holds the file: it could be locked for this
    // program alone, and was released again at once.
    static bool canOpenExclusively(const QString& file, QString* why = nullptr);
};

// A connection to the database file. Opening never creates the file: a
// missing file, or one that is not a database, is an error with a clear text.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The file named by "Data Source=" in the string; backslashes are folder
    // separators, and a doubled separator names the same file.
    static QString fileOf(const QString& connectionString);

    void open(const QString& connectionString);
    void close();
    bool isOpen() const;
    const QString& file() const;

    // A read-only SELECT or SHAPE text, in the query dialect the windows use.
    // The rows come back as a client-side snapshot.
    std::shared_ptr<Recordset> execute(const QString& sql);
    // The same with values for its "?" marks, bound rather than written into
    // the text (for queries that carry what the user typed).
    std::shared_ptr<Recordset> execute(const QString& sql, const QVariantList& params);

    sqlite3* handle() const;   // for the data layer's own use
    std::shared_ptr<detail::SqliteHandle> sharedHandle() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace qv
