#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/data/sqlite_handle.h"
#include "platform/data/dialect.h"
#include "platform/values/money.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace qv {

namespace {

// Written into every database this program creates ("QVDB"); a file without
// it is somebody else's and is never written to.
constexpr int kApplicationId = 0x51564442;
constexpr int kBusyTimeoutMs = 5000;

QString& folderOverride()
{
    static QString folder;
    return folder;
}

// SQLite's NOCASE folds A-Z only, while the windows' own grouping and finds
// fold every letter; queries that ignore case call this instead, so "José"
// and "JOSÉ" are one. Values other than text pass unchanged.
void foldCase(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int size = sqlite3_value_bytes(argv[0]);
    const QByteArray folded = QString::fromUtf8(text, size).toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

QString columnDefinition(const FieldDef& f)
{
    QString def = sql::quoteName(f.name) + u' ';
    if (f.autoNumber)
        return def + QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    switch (f.type) {
    case FieldType::Text: def += QStringLiteral("TEXT COLLATE NOCASE"); break;
    case FieldType::Memo: def += QStringLiteral("MEMO TEXT COLLATE NOCASE"); break;
    case FieldType::Long: def += QStringLiteral("INTEGER"); break;
    case FieldType::Double: def += QStringLiteral("DOUBLE"); break;
    case FieldType::Currency: def += QStringLiteral("CURRENCY REAL"); break;
    case FieldType::DateTime: def += QStringLiteral("DATETIME TEXT"); break;
    case FieldType::Boolean: def += QStringLiteral("BOOLEAN INTEGER"); break;
    }
    if (f.required)
        def += QStringLiteral(" NOT NULL");
    if (f.unique)
        def += QStringLiteral(" UNIQUE");
    return def;
}

// Opens an existing file and checks that it is one of ours. Leaves the file
// untouched when it is not. `damaged` tells a file that is no database of
// ours (damaged, or of another kind) from one that could not be opened.
sqlite3* openChecked(const QString& file, bool* damaged = nullptr)
{
    const auto refuse = [damaged](const QString& why, bool isDamage) {
        if (damaged)
            *damaged = isDamage;
        return Error(why);
    };
    const QFileInfo info(file);
    if (file.isEmpty())
        throw Error(QStringLiteral("The connection names no database file (\"Data Source=\" is missing)."));
    if (!info.exists())
        throw Error(QStringLiteral("Could not find file '%1'.").arg(QDir::toNativeSeparators(file)));
    if (info.isDir())
        throw refuse(QStringLiteral("'%1' is a folder, not a database file.").arg(QDir::toNativeSeparators(file)), true);

    sqlite3* db = nullptr;
    const QByteArray path = QFile::encodeName(file);
    // A connection serves the one thread that opened it: SQLite need not lock
    // it around every call (a report reads each field of every row).
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        sqlite3_close(db);
        throw Error(QStringLiteral("Could not open file '%1': %2")
                        .arg(QDir::toNativeSeparators(file), detail::describeSqliteError(rc, message)));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_create_function(db, "qv_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, foldCase, nullptr, nullptr);

    const QString notOurs = QStringLiteral("The file '%1' is not a Quorvel database.").arg(QDir::toNativeSeparators(file));
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(db, "PRAGMA application_id", -1, &stmt, nullptr);
    int appId = 0;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            appId = sqlite3_column_int(stmt, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    if (rc == SQLITE_OK) {
        // The schema is read here; a damaged file fails now rather than later.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const int code = rc & 0xff;
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            throw refuse(notOurs + QStringLiteral(" It is damaged or of another kind."), true);
        throw refuse(QStringLiteral("Could not open file '%1': %2")
                         .arg(QDir::toNativeSeparators(file), detail::describeSqliteError(rc, message)),
                     false);
    }
    if (appId != kApplicationId) {
        sqlite3_close(db);
        throw refuse(notOurs, true);
    }
    return db;
}

} // namespace

// ---- the shared handle --------------------------------------------------------

namespace detail {

sqlite3_stmt* SqliteHandle::cached(const QString& sql)
{
    if (!db)
        throw Error(QStringLiteral("Operation is not allowed when the object is closed."));
    auto it = m_cache.find(sql);
    if (it != m_cache.end()) {
        sqlite3_reset(it.value());
        sqlite3_clear_bindings(it.value());
        return it.value();
    }
    sqlite3_stmt* stmt = prepare(sql);
    m_cache.insert(sql, stmt);
    return stmt;
}

sqlite3_stmt* SqliteHandle::prepare(const QString& sql)
{
    if (!db)
        throw Error(QStringLiteral("Operation is not allowed when the object is closed."));
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        fail();
    }
    if (!stmt)
        throw Error(QStringLiteral("The query text is empty."));
    return stmt;
}

void SqliteHandle::exec(const char* sql)
{
    if (!db)
        throw Error(QStringLiteral("Operation is not allowed when the object is closed."));
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

void SqliteHandle::close()
{
    for (sqlite3_stmt* stmt : std::as_const(m_cache))
        sqlite3_finalize(stmt);
    m_cache.clear();
    if (db) {
        sqlite3_close_v2(db);
        db = nullptr;
    }
}

void SqliteHandle::fail(const QString& context) const
{
    const int code = db ? sqlite3_extended_errcode(db) : SQLITE_MISUSE;
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    const QString text = describeSqliteError(code, message);
    throw Error(context.isEmpty() ? text : context + u' ' + text, code);
}

void bindStored(sqlite3_stmt* stmt, int index, const Stored& v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool:
        sqlite3_bind_int64(stmt, index, v.toLongLong());
        return;
    case QMetaType::Double:
        sqlite3_bind_double(stmt, index, v.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QByteArray b = v.toString().toUtf8();
        sqlite3_bind_text(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

QString describeSqliteError(int code, const QString& message)
{
    const int primary = code & 0xff;
    if (code == SQLITE_CONSTRAINT_NOTNULL) {
        const QString field = message.section(u':', 1).trimmed();
        return QStringLiteral("The field '%1' cannot contain a Null value because it is required. Enter a value in this field.")
            .arg(field);
    }
    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY) {
        const QString field = message.section(u':', 1).trimmed();
        return QStringLiteral("The changes you requested to the table were not successful because they would create "
                              "duplicate values in the field '%1'. Change the data in that field and try again.")
            .arg(field);
    }
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return QStringLiteral("The database is locked by another user or program. Try again in a moment.");
    if (primary == SQLITE_READONLY)
        return QStringLiteral("The database file cannot be written: it is read-only.");
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
        return QStringLiteral("The database file is damaged or is not a Quorvel database.");
    if (primary == SQLITE_FULL)
        return QStringLiteral("The disk is full; the change was not saved.");
    if (message.startsWith(QLatin1String("no such table: ")))
        return QStringLiteral("The table '%1' does not exist in the database.").arg(message.mid(15));
    if (message.startsWith(QLatin1String("no such column: ")))
        return QStringLiteral("The field '%1' does not exist.").arg(message.mid(16));
    QString text = message.isEmpty() ? QStringLiteral("Unknown database error") : message;
    if (message.contains(QLatin1String("syntax error")))
        text = QStringLiteral("Syntax error in the query (") + message + u')';
    text[0] = text[0].toUpper();
    if (!text.endsWith(u'.'))
        text += u'.';
    return text;
}

std::shared_ptr<RowStore> loadStore(SqliteHandle& handle, const QString& sqliteSql, bool withRowid,
                                    const QVariantList& params)
{
    sqlite3_stmt* stmt = handle.prepare(sqliteSql);
    auto store = std::make_shared<RowStore>();
    try {
        if (params.size() != sqlite3_bind_parameter_count(stmt))
            throw Error(QStringLiteral("The query has %1 value marks but was given %2 values.")
                            .arg(sqlite3_bind_parameter_count(stmt))
                            .arg(params.size()));
        for (int i = 0; i < params.size(); ++i) {
            const QVariant& v = params.at(i);
            if (v.typeId() == QMetaType::QDateTime)
                bindStored(stmt, i + 1, sql::canonicalDateTime(v.toDateTime()));
            else if (v.typeId() == QMetaType::QDate)
                bindStored(stmt, i + 1, sql::canonicalDateTime(QDateTime(v.toDate(), QTime(0, 0))));
            else if (v.metaType() == QMetaType::fromType<Money>())
                bindStored(stmt, i + 1, double(v.value<Money>().units()) / 10000.0);
            else if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::Double
                     || v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int
                     || v.typeId() == QMetaType::Bool || !v.isValid() || v.isNull())
                bindStored(stmt, i + 1, v);
            else
                bindStored(stmt, i + 1, v.toString());
        }
        store->load(stmt, withRowid);
    } catch (...) {
        sqlite3_finalize(stmt);
        throw;
    }
    sqlite3_finalize(stmt);
    return store;
}

} // namespace detail

// ---- program folder -------------------------------------------------------------

QString ProgramFolder::path()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void ProgramFolder::setPath(const QString& folder)
{
    folderOverride() = folder;
}

// ---- database -------------------------------------------------------------------

void Database::create(const QString& file, const QList<TableDef>& tables)
{
    if (QFileInfo::exists(file))
        throw Error(QStringLiteral("The file '%1' already exists; it was left as it is.").arg(QDir::toNativeSeparators(file)));
    sqlite3* db = nullptr;
    const QByteArray path = QFile::encodeName(file);
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    auto failWith = [&](const QString& why) {
        sqlite3_close(db);
        QFile::remove(file);
        throw Error(QStringLiteral("Could not create the database '%1': %2").arg(QDir::toNativeSeparators(file), why));
    };
    if (rc != SQLITE_OK)
        failWith(detail::describeSqliteError(rc, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString()));

    QStringList script;
    script << QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId)
           << QStringLiteral("PRAGMA journal_mode = DELETE") << QStringLiteral("BEGIN");
    for (const TableDef& table : tables) {
        QStringList columns;
        int autoNumbers = 0;
        for (const FieldDef& f : table.fields) {
            columns << columnDefinition(f);
            autoNumbers += f.autoNumber ? 1 : 0;
        }
        if (autoNumbers > 1)
            failWith(QStringLiteral("the table '%1' has more than one field filled by the table.").arg(table.name));
        if (columns.isEmpty())
            failWith(QStringLiteral("the table '%1' has no fields.").arg(table.name));
        script << QStringLiteral("CREATE TABLE %1 (%2)").arg(sql::quoteName(table.name), columns.join(QStringLiteral(", ")));
    }
    script << QStringLiteral("COMMIT");
    for (const QString& statement : std::as_const(script)) {
        rc = sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            failWith(detail::describeSqliteError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db))));
    }
    sqlite3_close(db);
}

bool Database::isDatabase(const QString& file, QString* why)
{
    try {
        sqlite3_close(openChecked(file));
        return true;
    } catch (const Error& e) {
        if (why)
            *why = e.description();
        return false;
    }
}

Database::PageCheck Database::checkPages(const QString& file)
{
    if (!QFileInfo::exists(file))
        return {PageCheck::Missing, QStringLiteral("Could not find file '%1'.").arg(QDir::toNativeSeparators(file))};
    bool damaged = false;
    sqlite3* db = nullptr;
    try {
        db = openChecked(file, &damaged);
    } catch (const Error& e) {
        return {damaged ? PageCheck::Damaged : PageCheck::Unreadable, e.description()};
    }
    // The schema opens even when pages further in are overwritten; only a
    // walk over every page finds those.
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr);
    QStringList findings;
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            findings << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    const QString where = QDir::toNativeSeparators(file);
    if (rc != SQLITE_DONE) {
        const int code = rc & 0xff;
        if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB)
            return {PageCheck::Damaged, QStringLiteral("The file '%1' is damaged: %2").arg(where, message)};
        return {PageCheck::Unreadable,
                QStringLiteral("Could not read file '%1': %2").arg(where, detail::describeSqliteError(rc, message))};
    }
    if (findings != QStringList{QStringLiteral("ok")})
        return {PageCheck::Damaged, QStringLiteral("The file '%1' is damaged: %2").arg(where, findings.value(0))};
    return {PageCheck::Sound, QString()};
}

bool Database::canOpenExclusively(const QString& file, QString* why)
{
    sqlite3* db = nullptr;
    try {
        db = openChecked(file);
    } catch (const Error& e) {
        if (why)
            *why = e.description();
        return false;
    }
    sqlite3_busy_timeout(db, 0);
    const int rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    else if (why)
        *why = detail::describeSqliteError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

// ---- connection -----------------------------------------------------------------

struct Connection::Impl {
    std::shared_ptr<detail::SqliteHandle> handle;
    QString file;
};

Connection::Connection() : d(std::make_unique<Impl>()) {}

Connection::~Connection()
{
    close();
}

QString Connection::fileOf(const QString& connectionString)
{
    // key=value pairs separated by ";"; a value may be quoted.
    QString value;
    bool found = false;
    int i = 0;
    const int n = int(connectionString.size());
    while (i < n && !found) {
        const int eq = int(connectionString.indexOf(u'=', i));
        if (eq < 0)
            break;
        const QString key = connectionString.mid(i, eq - i).trimmed();
        int j = eq + 1;
        while (j < n && connectionString.at(j).isSpace())
            ++j;
        QString v;
        if (j < n && (connectionString.at(j) == u'"' || connectionString.at(j) == u'\'')) {
            const QChar q = connectionString.at(j);
            const int close = int(connectionString.indexOf(q, j + 1));
            v = connectionString.mid(j + 1, (close < 0 ? n : close) - j - 1);
            j = close < 0 ? n : close + 1;
            const int semi = int(connectionString.indexOf(u';', j));
            j = semi < 0 ? n : semi + 1;
        } else {
            const int semi = int(connectionString.indexOf(u';', j));
            v = connectionString.mid(j, (semi < 0 ? n : semi) - j).trimmed();
            j = semi < 0 ? n : semi + 1;
        }
        if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0) {
            value = v;
            found = true;
        }
        i = j;
    }
    if (!found)
        return QString();
    // Backslashes separate folders; "C:\\x" and "/\\x.db" name the same place as with one.
    value.replace(u'\\', u'/');
    static const QRegularExpression doubled(QStringLiteral("/{2,}"));
    value.replace(doubled, QStringLiteral("/"));
    return value;
}

void Connection::open(const QString& connectionString)
{
    if (isOpen())
        throw Error(QStringLiteral("Operation is not allowed when the object is open."));
    const QString file = fileOf(connectionString);
    sqlite3* db = openChecked(file);
    auto handle = std::make_shared<detail::SqliteHandle>();
    handle->db = db;
    handle->file = file;
    try {
        handle->exec("PRAGMA journal_mode = DELETE");
        handle->exec("PRAGMA synchronous = FULL");
    } catch (...) {
        handle->close();
        throw;
    }
    d->handle = handle;
    d->file = file;
}

void Connection::close()
{
    if (d->handle) {
        // Recordsets opened here keep their rows; they can no longer write.
        d->handle->close();
        d->handle.reset();
    }
}

bool Connection::isOpen() const
{
    return d->handle && d->handle->isOpen();
}

const QString& Connection::file() const
{
    return d->file;
}

std::shared_ptr<Recordset> Connection::execute(const QString& sql)
{
    return execute(sql, {});
}

std::shared_ptr<Recordset> Connection::execute(const QString& sql, const QVariantList& params)
{
    if (!isOpen())
        throw Error(QStringLiteral("Operation is not allowed when the object is closed."));
    auto rs = std::make_shared<Recordset>();
    rs->openWith(d->handle, sql, false, params);
    return rs;
}

sqlite3* Connection::handle() const
{
    return d->handle ? d->handle->db : nullptr;
}

std::shared_ptr<detail::SqliteHandle> Connection::sharedHandle() const
{
    return d->handle;
}

} // namespace qv
