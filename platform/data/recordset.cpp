#include "platform/data/recordset.h"
#include "platform/data/dialect.h"
#include "platform/data/row_store.h"
#include "platform/data/sqlite_handle.h"
#include "platform/values/convert.h"
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <unordered_map>

namespace qv {

using detail::Cell;
using detail::RowStore;
using detail::Stored;

namespace {

const QString kNoCurrent = QStringLiteral(
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a current record.");
const QString kNotAllowed = QStringLiteral("Operation is not allowed in this context.");
const QString kClosed = QStringLiteral("Operation is not allowed when the object is closed.");
const QString kNoItem = QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal.");
const QString kOutOfRange = QStringLiteral(
    "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another.");

// The value a field shows, from what the file holds.
QVariant typedValue(const Cell& c, FieldType type)
{
    switch (c.kind) {
    case Cell::Null:
        return QVariant();
    case Cell::Blob:
        return QByteArray(c.p, c.n);
    case Cell::Text:
        if (type == FieldType::DateTime) {
            const QDateTime dt = sql::parseCanonicalDateTime(c.p, c.n);
            if (dt.isValid())
                return dt;
        }
        return QString::fromUtf8(c.p, c.n);
    case Cell::Integer:
    case Cell::Real: {
        const double d = c.kind == Cell::Integer ? double(c.i) : c.d;
        switch (type) {
        case FieldType::Long:
            return c.kind == Cell::Integer ? QVariant(qlonglong(c.i)) : QVariant(d);
        case FieldType::Currency:
            return QVariant::fromValue(Money::fromDouble(d));
        case FieldType::Boolean:
            return d != 0;
        case FieldType::Text:
        case FieldType::Memo:
            return c.kind == Cell::Integer ? QString::number(c.i) : plainText(d);
        default:
            return d;
        }
    }
    }
    return QVariant();
}

// What the file keeps for a value already converted to the field's type.
Stored storedValue(const QVariant& v, FieldType type)
{
    if (!v.isValid() || v.isNull())
        return Stored();
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo:
        return v.toString();
    case FieldType::Long:
        return qlonglong(v.toLongLong());
    case FieldType::Double:
        return v.toDouble();
    case FieldType::Currency:
        // Four decimals, as currency keeps them; the double nearest to that amount.
        return double(v.value<Money>().units()) / 10000.0;
    case FieldType::DateTime:
        return sql::canonicalDateTime(v.toDateTime());
    case FieldType::Boolean:
        return qlonglong(v.toBool() ? 1 : 0);
    }
    return Stored();
}

bool sameStored(const Stored& a, const Stored& b)
{
    const bool an = !a.isValid() || a.isNull(), bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn;
    const auto numeric = [](const Stored& v) {
        return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::Double;
    };
    if (numeric(a) && numeric(b)) {
        if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
            return a.toDouble() == b.toDouble();
        return a.toLongLong() == b.toLongLong();
    }
    if (numeric(a) != numeric(b))
        return false;
    if (a.typeId() == QMetaType::QByteArray || b.typeId() == QMetaType::QByteArray)
        return a.toByteArray() == b.toByteArray();
    return a.toString() == b.toString();
}

// ---- find: "*" any run, "?" one character, letter case ignored ----------------

inline char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

// pattern is lower-case ASCII; text is UTF-8. "?" takes one whole character.
bool globAscii(const char* p, const char* pe, const char* t, const char* te)
{
    const char* starP = nullptr;
    const char* starT = nullptr;
    while (t < te) {
        if (p < pe && *p == '*') {
            starP = ++p;
            starT = t;
            continue;
        }
        if (p < pe && *p == '?') {
            ++p;
            ++t;
            while (t < te && (static_cast<unsigned char>(*t) & 0xC0) == 0x80)
                ++t;
            continue;
        }
        if (p < pe && *p == lowerAscii(*t)) {
            ++p;
            ++t;
            continue;
        }
        if (!starP)
            return false;
        p = starP;
        t = ++starT;
    }
    while (p < pe && *p == '*')
        ++p;
    return p == pe;
}

bool globText(const QChar* p, const QChar* pe, const QChar* t, const QChar* te)
{
    const QChar* starP = nullptr;
    const QChar* starT = nullptr;
    while (t < te) {
        if (p < pe && *p == u'*') {
            starP = ++p;
            starT = t;
            continue;
        }
        if (p < pe && (*p == u'?' || *p == *t)) {
            ++p;
            ++t;
            continue;
        }
        if (!starP)
            return false;
        p = starP;
        t = ++starT;
    }
    while (p < pe && *p == u'*')
        ++p;
    return p == pe;
}

class Matcher {
public:
    explicit Matcher(const QString& pattern)
    {
        QString full = pattern;
        if (!full.startsWith(u'*'))
            full.prepend(u'*');
        if (!full.endsWith(u'*') || full.size() == 1)
            full.append(u'*');
        m_ascii = true;
        for (QChar c : full)
            if (c.unicode() >= 0x80)
                m_ascii = false;
        if (m_ascii) {
            m_bytes = full.toLatin1();
            for (char& c : m_bytes)
                c = lowerAscii(c);
            // "*text*" with no other wildcard: a plain case-blind search.
            const QByteArray inner = m_bytes.mid(1, m_bytes.size() - 2);
            m_contains = !inner.contains('*') && !inner.contains('?');
            m_inner = inner;
        } else {
            m_folded = full.toCaseFolded();
        }
    }

    bool matches(const char* s, int n) const
    {
        if (m_ascii) {
            if (m_contains)
                return contains(s, n);
            return globAscii(m_bytes.constData(), m_bytes.constData() + m_bytes.size(), s, s + n);
        }
        const QString text = QString::fromUtf8(s, n).toCaseFolded();
        return globText(m_folded.constData(), m_folded.constData() + m_folded.size(), text.constData(),
                        text.constData() + text.size());
    }

private:
    bool contains(const char* s, int n) const
    {
        const int m = int(m_inner.size());
        if (m == 0)
            return true;
        const char* needle = m_inner.constData();
        const char first = needle[0];
        for (int i = 0; i + m <= n; ++i) {
            if (lowerAscii(s[i]) != first)
                continue;
            int k = 1;
            while (k < m && lowerAscii(s[i + k]) == needle[k])
                ++k;
            if (k == m)
                return true;
        }
        return false;
    }

    bool m_ascii = true;
    bool m_contains = false;
    QByteArray m_bytes;
    QByteArray m_inner;
    QString m_folded;
};

// ---- conversions ------------------------------------------------------------------

// A whole text that is a number: blanks around, a sign or parentheses, a
// currency sign, "," grouping, decimals and an exponent. Nothing else.
bool strictNumber(QString t, double& out)
{
    t = t.trimmed();
    bool negative = false;
    if (t.startsWith(u'(') && t.endsWith(u')')) {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    auto takeSign = [&]() {
        if (t.startsWith(u'-') || t.startsWith(u'+')) {
            if (t.at(0) == u'-')
                negative = !negative;
            t = t.mid(1).trimmed();
        }
    };
    takeSign();
    if (t.startsWith(u'$')) {
        t = t.mid(1).trimmed();
        takeSign();
    }
    if (t.isEmpty())
        return false;
    QString digits;
    digits.reserve(t.size());
    bool seenDigit = false, seenPoint = false, inExponent = false;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.isDigit() && c.unicode() < 0x80) {
            seenDigit = true;
            digits += c;
        } else if (c == u',' && !seenPoint && !inExponent && seenDigit) {
            continue;
        } else if (c == u'.' && !seenPoint && !inExponent) {
            seenPoint = true;
            digits += c;
        } else if ((c == u'e' || c == u'E') && seenDigit && !inExponent) {
            inExponent = true;
            digits += c;
            if (i + 1 < t.size() && (t.at(i + 1) == u'+' || t.at(i + 1) == u'-'))
                digits += t.at(++i);
            if (i + 1 >= t.size())
                return false;
        } else {
            return false;
        }
    }
    if (!seenDigit)
        return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(digits, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    out = negative ? -v : v;
    return true;
}

QString typeWords(FieldType type)
{
    switch (type) {
    case FieldType::Long: return QStringLiteral("it is not a whole number");
    case FieldType::Double: return QStringLiteral("it is not a number");
    case FieldType::Currency: return QStringLiteral("it is not an amount of money");
    case FieldType::DateTime: return QStringLiteral("it is not a date or time");
    case FieldType::Boolean: return QStringLiteral("it is not True or False");
    default: return QStringLiteral("it is not text");
    }
}

[[noreturn]] void refuse(FieldType type, const QVariant& value, const QString& field, const QString& why = QString())
{
    throw Error(QStringLiteral("The value '%1' cannot be stored in the field '%2': %3.")
                    .arg(value.toString(), field, why.isEmpty() ? typeWords(type) : why),
                13);
}

bool isNumberVariant(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::Long:
        return true;
    default:
        return false;
    }
}

} // namespace

QVariant convertForField(FieldType type, const QVariant& value, const QString& fieldName)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    if (isText && value.toString().isEmpty())
        return QVariant();
    const bool isMoney = value.canConvert<Money>() && value.metaType() == QMetaType::fromType<Money>();
    const bool isDate = value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate
                        || value.typeId() == QMetaType::QTime;
    // A box left blank is no value for a number, an amount or a date.
    if (isText && type != FieldType::Text && type != FieldType::Memo && value.toString().trimmed().isEmpty())
        return QVariant();

    switch (type) {
    case FieldType::Text:
    case FieldType::Memo:
        if (isMoney)
            return plainText(value.value<Money>());
        if (value.typeId() == QMetaType::Double)
            return plainText(value.toDouble());
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        if (isDate)
            return formatValue(value, QString());
        return value.toString();

    case FieldType::Long:
    case FieldType::Double: {
        double d = 0;
        if (isMoney)
            d = value.value<Money>().toDouble();
        else if (value.typeId() == QMetaType::Bool)
            d = value.toBool() ? -1 : 0;
        else if (isNumberVariant(value))
            d = value.toDouble();
        else if (isText) {
            if (!strictNumber(value.toString(), d))
                refuse(type, value, fieldName);
        } else
            refuse(type, value, fieldName);
        if (type == FieldType::Double)
            return d;
        const double whole = std::nearbyint(d);
        if (!std::isfinite(whole) || whole < double(std::numeric_limits<qint32>::min())
            || whole > double(std::numeric_limits<qint32>::max()))
            refuse(type, value, fieldName, QStringLiteral("it is out of the range of a whole-number field"));
        return qlonglong(whole);
    }

    case FieldType::Currency: {
        if (isMoney)
            return value;
        if (isNumberVariant(value)) {
            const double d = value.toDouble();
            if (!std::isfinite(d) || std::fabs(d) > 9.2e14)
                refuse(type, value, fieldName, QStringLiteral("it is out of the range of an amount of money"));
            return QVariant::fromValue(Money::fromDouble(d));
        }
        if (value.typeId() == QMetaType::Bool)
            return QVariant::fromValue(Money::fromUnits(value.toBool() ? -10000 : 0));
        if (isText) {
            const std::optional<Money> m = tryReadMoney(value.toString());
            if (!m)
                refuse(type, value, fieldName);
            return QVariant::fromValue(*m);
        }
        refuse(type, value, fieldName);
    }

    case FieldType::DateTime: {
        if (value.typeId() == QMetaType::QDateTime) {
            if (!value.toDateTime().isValid())
                refuse(type, value, fieldName);
            return value.toDateTime();
        }
        if (value.typeId() == QMetaType::QDate) {
            if (!value.toDate().isValid())
                refuse(type, value, fieldName);
            return QDateTime(value.toDate(), QTime(0, 0));
        }
        if (value.typeId() == QMetaType::QTime) {
            if (!value.toTime().isValid())
                refuse(type, value, fieldName);
            return QDateTime(dayZero(), value.toTime());
        }
        if (isText) {
            const std::optional<QDateTime> dt = readDateTime(value.toString());
            if (!dt || !dt->isValid())
                refuse(type, value, fieldName);
            return *dt;
        }
        refuse(type, value, fieldName);
    }

    case FieldType::Boolean: {
        if (value.typeId() == QMetaType::Bool)
            return value.toBool();
        if (isNumberVariant(value))
            return value.toDouble() != 0;
        if (isText) {
            const QString t = value.toString().trimmed();
            if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                return true;
            if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                return false;
            double d = 0;
            if (strictNumber(t, d))
                return d != 0;
        }
        refuse(type, value, fieldName);
    }
    }
    return value;
}

// ---- the recordset ------------------------------------------------------------------

namespace {

// One chapter field of a shaped recordset.
struct Chapter {
    QString name;
    bool compute = false;
    std::shared_ptr<RowStore> child;     // the rows chapters list
    std::vector<int> childCols;          // chapter fields -> child store columns
    int parentCol = -1;                  // parent store column holding the key
    int childKeyCol = -1;
    bool shared = false;                 // child rows are the parent's own rows
    QString childSql;                    // SQLite text, to read a separate child again
    std::uint64_t seenGeneration = 0;    // parent generation the child was read at
    std::vector<std::vector<std::uint32_t>> groups;   // COMPUTE: rows of each group
};

} // namespace

struct Recordset::Impl {
    std::shared_ptr<detail::SqliteHandle> handle;
    QString source;
    bool open = false;
    QVariantList params;                    // values for the query's "?" marks
    bool allowWrite = false;                // opened for writing (not a plain query result)
    bool writable = false;                  // ...and the query names one table's rows
    std::shared_ptr<RowStore> store;
    std::vector<int> cols;                  // field -> store column
    QHash<QString, int> names;              // lower-case name -> field
    std::vector<std::uint32_t> order;       // the rows, in the recordset's order
    long long pos = -1;                     // -1 BOF, order.size() EOF
    bool currentDeleted = false;
    EditMode mode = EditMode::None;
    long long addPrevious = -1;
    std::map<int, Stored> pending;          // store column -> new value of the current row
    std::vector<std::shared_ptr<Chapter>> chapters;
    std::map<int, std::function<void()>> hooks;
    int nextHook = 1;
    bool inHooks = false;

    long long size() const { return (long long)order.size(); }
    bool hasCurrent() const { return open && pos >= 0 && pos < size() && !currentDeleted; }
    std::uint32_t row() const { return order[std::size_t(pos)]; }

    void index()
    {
        names.clear();
        for (int i = int(cols.size()) - 1; i >= 0; --i)
            names.insert(store->columns.at(cols[std::size_t(i)]).name.toLower(), i);
    }
    int field(const QString& name) const { return names.value(name.toLower(), -1); }
    int fieldOrThrow(const QString& name) const
    {
        const int i = field(name);
        if (i < 0)
            throw Error(kNoItem + QStringLiteral(" (%1)").arg(name));
        return i;
    }
    Cell cellOf(std::uint32_t r, int storeCol, QByteArray& keep) const
    {
        if (mode != EditMode::None && hasCurrent() && r == row()) {
            const auto it = pending.find(storeCol);
            if (it != pending.end()) {
                Cell c;
                const Stored& v = it->second;
                if (!v.isValid() || v.isNull()) {
                    c.kind = Cell::Null;
                } else if (v.typeId() == QMetaType::LongLong) {
                    c.kind = Cell::Integer;
                    c.i = v.toLongLong();
                } else if (v.typeId() == QMetaType::Double) {
                    c.kind = Cell::Real;
                    c.d = v.toDouble();
                } else {
                    keep = v.toString().toUtf8();
                    c.kind = Cell::Text;
                    c.p = keep.constData();
                    c.n = int(keep.size());
                }
                return c;
            }
        }
        return store->cell(r, storeCol);
    }
};

Recordset::Recordset() : d(std::make_unique<Impl>()) {}

Recordset::~Recordset() = default;

void Recordset::open(const QString& source, Connection& connection)
{
    if (!connection.isOpen())
        throw Error(kClosed);
    openWith(connection.sharedHandle(), source, true);
    emit moveComplete();
}

void Recordset::openDisconnected(const QString& source, const QString& connectionString)
{
    Connection connection;
    connection.open(connectionString);
    openWith(connection.sharedHandle(), source, false);
    connection.close();
    d->handle.reset();
    emit moveComplete();
}

void Recordset::openWith(const std::shared_ptr<detail::SqliteHandle>& handle, const QString& source, bool writable,
                         const QVariantList& params)
{
    if (d->open)
        throw Error(QStringLiteral("Operation is not allowed when the object is open."));
    d->handle = handle;
    d->source = source;
    d->allowWrite = writable;
    d->params = params;
    load();
    d->open = true;
}

void Recordset::load()
{
    Impl& s = *d;
    detail::SqliteHandle& h = *s.handle;
    const bool allowWrite = s.allowWrite;
    s.writable = false;
    s.chapters.clear();

    auto loadPlain = [&](const QString& text, sql::SimpleSelect* simple) {
        const QList<sql::Token> tokens = sql::tokenize(text);
        sql::SimpleSelect ss = sql::parseSimpleSelect(tokens);
        if (simple)
            *simple = ss;
        if (allowWrite && ss.ok) {
            std::shared_ptr<RowStore> store;
            try {
                store = detail::loadStore(h, sql::withRowid(ss), true);
            } catch (const Error&) {
                store.reset();   // not a table after all (a view): read it as it stands
            }
            if (store) {
                store->table = ss.table;
                s.writable = true;
                return store;
            }
        }
        return detail::loadStore(h, sql::translate(tokens), false, s.params);
    };

    if (!sql::isShape(s.source)) {
        s.store = loadPlain(s.source, nullptr);
    } else {
        const sql::ShapeCommand cmd = sql::parseShape(s.source);
        if (!cmd.compute) {
            sql::SimpleSelect parentSelect;
            s.store = loadPlain(cmd.parentSql, &parentSelect);
            for (const sql::ShapeAppend& a : cmd.appends) {
                if (a.relations.size() != 1)
                    throw Error(QStringLiteral("A chapter must relate exactly one field to one field (%1).").arg(a.name));
                auto ch = std::make_shared<Chapter>();
                ch->name = a.name;
                ch->parentCol = s.store->columnIndex(a.relations[0].parentField);
                if (ch->parentCol < 0)
                    throw Error(QStringLiteral("The field '%1' named in RELATE is not among the fields of the command.")
                                    .arg(a.relations[0].parentField));
                const QList<sql::Token> childTokens = sql::tokenize(a.childSql);
                const sql::SimpleSelect cs = sql::parseSimpleSelect(childTokens);
                // A child command over the same rows as the parent reads no second
                // copy: its chapters list the parent's own rows (saved edits included).
                bool shared = parentSelect.ok && cs.ok
                              && cs.table.compare(parentSelect.table, Qt::CaseInsensitive) == 0
                              && cs.whereText == parentSelect.whereText && !cs.hasOrder
                              && (!cs.star || parentSelect.star);
                std::vector<int> mapped;
                if (shared) {
                    if (cs.star) {
                        for (int c = 0; c < s.store->columns.size(); ++c)
                            mapped.push_back(c);
                    } else {
                        for (const QString& name : cs.columns) {
                            const int c = s.store->columnIndex(name);
                            if (c < 0) {
                                shared = false;
                                break;
                            }
                            mapped.push_back(c);
                        }
                    }
                }
                if (shared) {
                    ch->shared = true;
                    ch->child = s.store;
                    ch->childCols = mapped;
                } else {
                    ch->childSql = sql::translate(childTokens);
                    ch->child = detail::loadStore(h, ch->childSql, false);
                    ch->seenGeneration = s.store->generation();
                    for (int c = 0; c < ch->child->columns.size(); ++c)
                        ch->childCols.push_back(c);
                }
                ch->childKeyCol = ch->child->columnIndex(a.relations[0].childField);
                if (ch->childKeyCol < 0)
                    throw Error(QStringLiteral("The field '%1' named in RELATE is not among the fields of the child command.")
                                    .arg(a.relations[0].childField));
                s.chapters.push_back(ch);
            }
        } else {
            // SHAPE {...} COMPUTE: one row per group, in order of first occurrence.
            auto child = detail::loadStore(h, sql::translate(cmd.parentSql), false);
            std::vector<int> by;
            for (const QString& name : cmd.by) {
                const int c = child->columnIndex(name);
                if (c < 0)
                    throw Error(QStringLiteral("The field '%1' named in BY is not among the fields of the command.").arg(name));
                by.push_back(c);
            }
            std::vector<int> aggCols;
            for (const sql::ShapeAggregate& a : cmd.aggregates) {
                const int c = child->columnIndex(a.field);
                if (c < 0)
                    throw Error(QStringLiteral("The field '%1' named in COMPUTE is not among the fields of the command.").arg(a.field));
                aggCols.push_back(c);
            }
            std::unordered_map<std::string, std::uint32_t> groupOf;
            std::vector<std::vector<std::uint32_t>> groups;
            std::string key, part;
            for (std::uint32_t r = 0; r < child->size(); ++r) {
                key.clear();
                for (int c : by) {
                    if (RowStore::keyOf(child->cell(r, c), part)) {
                        key += char(1);
                        key += std::to_string(part.size());
                        key += ':';
                        key += part;
                    } else {
                        key += char(0);   // nulls group together
                    }
                }
                const auto [it, added] = groupOf.try_emplace(key, std::uint32_t(groups.size()));
                if (added)
                    groups.emplace_back();
                groups[it->second].push_back(r);
            }
            auto store = std::make_shared<RowStore>();
            for (int i = 0; i < cmd.aggregates.size(); ++i) {
                RowStore::Column col;
                col.name = cmd.aggregates[i].name;
                col.origin = col.name;
                col.type = cmd.aggregates[i].function == QLatin1String("COUNT") ? FieldType::Long : FieldType::Double;
                col.typeKnown = true;
                store->columns.append(col);
            }
            for (int c : by)
                store->columns.append(child->columns.at(c));
            detail::RowEncoder enc;
            for (std::uint32_t g = 0; g < groups.size(); ++g) {
                enc.clear();
                for (int i = 0; i < cmd.aggregates.size(); ++i) {
                    const QString& fn = cmd.aggregates[i].function;
                    double sum = 0, lo = 0, hi = 0;
                    long long n = 0, present = 0;
                    for (std::uint32_t r : groups[g]) {
                        const Cell c = child->cell(r, aggCols[std::size_t(i)]);
                        if (c.kind == Cell::Null)
                            continue;
                        ++present;
                        if (c.kind != Cell::Integer && c.kind != Cell::Real)
                            continue;
                        const double v = c.kind == Cell::Integer ? double(c.i) : c.d;
                        lo = n == 0 ? v : std::min(lo, v);
                        hi = n == 0 ? v : std::max(hi, v);
                        sum += v;
                        ++n;
                    }
                    if (fn == QLatin1String("COUNT"))
                        enc.addInt(present);
                    else if (n == 0)
                        enc.addNull();
                    else if (fn == QLatin1String("AVG"))
                        enc.addReal(sum / double(n));
                    else if (fn == QLatin1String("SUM"))
                        enc.addReal(sum);
                    else if (fn == QLatin1String("MIN"))
                        enc.addReal(lo);
                    else
                        enc.addReal(hi);
                }
                for (int c : by)
                    enc.addCell(child->cell(groups[g].front(), c));
                store->append(std::int64_t(g) + 1, enc.bytes(), RowStore::Live);
            }
            auto ch = std::make_shared<Chapter>();
            ch->name = cmd.computeChapter.isEmpty() ? cmd.alias : cmd.computeChapter;
            ch->compute = true;
            ch->child = child;
            for (int c = 0; c < child->columns.size(); ++c)
                ch->childCols.push_back(c);
            ch->groups = std::move(groups);
            s.store = store;
            s.chapters.push_back(ch);
        }
    }

    s.cols.clear();
    for (int c = 0; c < s.store->columns.size(); ++c)
        s.cols.push_back(c);
    s.index();
    s.order.resize(s.store->size());
    for (std::uint32_t r = 0; r < s.store->size(); ++r)
        s.order[r] = r;
    s.pos = s.order.empty() ? -1 : 0;
    s.currentDeleted = false;
    s.mode = EditMode::None;
    s.pending.clear();
}

void Recordset::close()
{
    d->open = false;
    d->store.reset();
    d->order.clear();
    d->chapters.clear();
    d->pending.clear();
    d->mode = EditMode::None;
    d->pos = -1;
    d->handle.reset();
}

bool Recordset::isOpen() const
{
    return d->open;
}

bool Recordset::isReadOnly() const
{
    return !d->writable || !d->handle || !d->handle->isOpen();
}

std::size_t Recordset::memoryUsed() const
{
    if (!d->open)
        return 0;
    std::size_t total = d->store->memoryUsed() + d->order.capacity() * sizeof(std::uint32_t);
    for (const auto& ch : d->chapters)
        if (!ch->shared)
            total += ch->child->memoryUsed();
    return total;
}

// ---- position -----------------------------------------------------------------------

bool Recordset::bof() const
{
    if (!d->open)
        throw Error(kClosed);
    return d->order.empty() || d->pos < 0;
}

bool Recordset::hasCurrentRecord() const
{
    return d->hasCurrent();
}

bool Recordset::eof() const
{
    if (!d->open)
        throw Error(kClosed);
    return d->order.empty() || d->pos >= d->size();
}

int Recordset::recordCount() const
{
    if (!d->open)
        throw Error(kClosed);
    return int(d->order.size()) - (d->currentDeleted ? 1 : 0);
}

int Recordset::absolutePosition() const
{
    if (!d->open)
        throw Error(kClosed);
    if (d->order.empty())
        return -1;
    if (d->pos < 0)
        return -2;
    if (d->pos >= d->size())
        return -3;
    return int(d->pos) + 1;
}

void Recordset::setAbsolutePosition(int position)
{
    if (!d->open)
        throw Error(kClosed);
    leaveRow();
    purgeDeleted();
    if (position < 1 || position > d->size())
        throw Error(kOutOfRange);
    moveTo(position - 1);
}

double Recordset::bookmark() const
{
    requireCurrent();
    return double(d->store->rowid(d->row()));
}

void Recordset::setBookmark(double bookmark)
{
    if (!d->open)
        throw Error(kClosed);
    leaveRow();
    purgeDeleted();
    const std::int64_t storeRow = d->store->rowOfRowid(std::int64_t(bookmark));
    if (storeRow >= 0) {
        const auto it = std::find(d->order.begin(), d->order.end(), std::uint32_t(storeRow));
        if (it != d->order.end()) {
            moveTo(it - d->order.begin());
            return;
        }
    }
    throw Error(QStringLiteral("The bookmark names no record of this recordset; the record may have been deleted."));
}

void Recordset::moveTo(long long position)
{
    d->pos = position;
    emit moveComplete();
}

void Recordset::moveFirst()
{
    if (!d->open)
        throw Error(kClosed);
    leaveRow();
    purgeDeleted();
    if (d->order.empty())
        throw Error(kNoCurrent);
    moveTo(0);
}

void Recordset::moveLast()
{
    if (!d->open)
        throw Error(kClosed);
    leaveRow();
    purgeDeleted();
    if (d->order.empty())
        throw Error(kNoCurrent);
    moveTo(d->size() - 1);
}

void Recordset::moveNext()
{
    if (eof())
        throw Error(kNoCurrent);
    leaveRow();
    if (d->currentDeleted) {
        purgeDeleted();   // the next row has taken the deleted one's place
        moveTo(d->pos);
    } else {
        moveTo(d->pos + 1);
    }
}

void Recordset::movePrevious()
{
    if (bof())
        throw Error(kNoCurrent);
    leaveRow();
    purgeDeleted();
    moveTo(d->pos - 1);
}

void Recordset::move(int rows)
{
    if (!d->open)
        throw Error(kClosed);
    if (rows == 0) {
        // Shows the row again with the boxes' pending texts in it; the table is not written.
        requireCurrent();
        runCommitHooks();
        emit moveComplete();
        return;
    }
    if ((rows > 0 && eof()) || (rows < 0 && bof()))
        throw Error(kNoCurrent);
    leaveRow();
    long long target = d->pos + rows;
    if (d->currentDeleted) {
        purgeDeleted();
        if (rows > 0)
            --target;
    }
    moveTo(std::clamp<long long>(target, -1, d->size()));
}

// ---- fields ---------------------------------------------------------------------------

int Recordset::fieldCount() const
{
    if (!d->open)
        throw Error(kClosed);
    return int(d->cols.size());
}

QString Recordset::fieldName(int index) const
{
    if (!d->open)
        throw Error(kClosed);
    if (index < 0 || index >= fieldCount())
        throw Error(kNoItem);
    return d->store->columns.at(d->cols[std::size_t(index)]).name;
}

FieldType Recordset::fieldType(int index) const
{
    if (!d->open)
        throw Error(kClosed);
    if (index < 0 || index >= fieldCount())
        throw Error(kNoItem);
    return d->store->columns.at(d->cols[std::size_t(index)]).type;
}

int Recordset::fieldIndex(const QString& name) const
{
    if (!d->open)
        return -1;
    return d->field(name);
}

QVariant Recordset::value(const QString& field) const
{
    if (!d->open)
        throw Error(kClosed);
    return value(d->fieldOrThrow(field));
}

QVariant Recordset::value(int index) const
{
    if (!d->open)
        throw Error(kClosed);
    if (index < 0 || index >= fieldCount())
        throw Error(kNoItem);
    requireCurrent();
    const int col = d->cols[std::size_t(index)];
    QByteArray keep;
    return typedValue(d->cellOf(d->row(), col, keep), d->store->columns.at(col).type);
}

QVariant Recordset::valueAt(int row, int field) const
{
    if (!d->open)
        throw Error(kClosed);
    if (field < 0 || field >= fieldCount())
        throw Error(kNoItem);
    long long at = row;
    if (d->currentDeleted && at >= d->pos)
        ++at;   // the deleted row still holds its place until the next move
    if (row < 0 || at >= d->size())
        throw Error(kOutOfRange);
    const int col = d->cols[std::size_t(field)];
    QByteArray keep;
    return typedValue(d->cellOf(d->order[std::size_t(at)], col, keep), d->store->columns.at(col).type);
}

QList<QVector<QVariant>> Recordset::valuesOf(const QVector<int>& fields) const
{
    QList<QVector<QVariant>> rows;
    rows.reserve(recordCount());
    forEachRow(fields, [&](const QVariant* values) { rows.append(QVector<QVariant>(values, values + fields.size())); });
    return rows;
}

void Recordset::forEachRow(const QVector<int>& fields, const std::function<void(const QVariant*)>& visit) const
{
    if (!d->open)
        throw Error(kClosed);
    const int n = fieldCount();
    std::vector<int> storeCols;
    storeCols.reserve(std::size_t(fields.size()));
    int width = 0;
    for (int f : fields) {
        if (f < 0 || f >= n)
            throw Error(kNoItem);
        storeCols.push_back(d->cols[std::size_t(f)]);
        width = std::max(width, storeCols.back() + 1);
    }
    // A report's values repeat down its rows (prices, artists, days): a value
    // stored as the one above it is that value again, not decoded anew.
    struct Last {
        bool known = false;
        Cell cell;
        QVariant value;
    };
    std::vector<Last> last(storeCols.size());
    std::vector<Cell> cells(static_cast<std::size_t>(width));
    const auto same = [](const Cell& a, const Cell& b) {
        if (a.kind != b.kind)
            return false;
        switch (a.kind) {
        case Cell::Null: return true;
        case Cell::Integer: return a.i == b.i;
        case Cell::Real: return std::memcmp(&a.d, &b.d, sizeof a.d) == 0;
        case Cell::Text:
        case Cell::Blob: return a.n == b.n && std::memcmp(a.p, b.p, std::size_t(a.n)) == 0;
        }
        return false;
    };
    const bool editing = d->mode != EditMode::None && d->hasCurrent();
    std::vector<QVariant> row(storeCols.size());
    for (long long at = 0; at < d->size(); ++at) {
        if (d->currentDeleted && at == d->pos)
            continue;   // the deleted row still holds its place until the next move
        const std::uint32_t r = d->order[std::size_t(at)];
        if (editing && at == d->pos) {
            // The current row shows its pending changes.
            QByteArray keep;
            for (std::size_t i = 0; i < storeCols.size(); ++i)
                row[i] = typedValue(d->cellOf(r, storeCols[i], keep), d->store->columns.at(storeCols[i]).type);
        } else {
            d->store->cells(r, width, cells.data());
            for (std::size_t i = 0; i < storeCols.size(); ++i) {
                const Cell& c = cells[std::size_t(storeCols[i])];
                Last& l = last[i];
                if (!l.known || !same(l.cell, c)) {
                    l.value = typedValue(c, d->store->columns.at(storeCols[i]).type);
                    l.cell = c;
                    l.known = true;
                }
                row[i] = l.value;
            }
        }
        visit(row.data());
    }
}

void Recordset::setValue(const QString& field, const QVariant& value)
{
    if (!d->open)
        throw Error(kClosed);
    const int index = d->fieldOrThrow(field);
    requireWritable();
    requireCurrent();
    const int col = d->cols[std::size_t(index)];
    const RowStore::Column& column = d->store->columns.at(col);
    const Stored stored = storedValue(convertForField(column.type, value, column.name), column.type);
    if (d->mode == EditMode::None) {
        emit willChangeRecord();
        d->mode = EditMode::InProgress;
    }
    d->pending[col] = stored;
}

bool Recordset::isChanged(const QString& field) const
{
    if (!d->open || d->mode == EditMode::None)
        return false;
    const int index = d->field(field);
    if (index < 0)
        return false;
    const int col = d->cols[std::size_t(index)];
    const auto it = d->pending.find(col);
    if (it == d->pending.end())
        return false;
    if (d->mode == EditMode::Add)
        return true;
    return !sameStored(it->second, detail::storedOf(d->store->cell(d->row(), col)));
}

// ---- editing ----------------------------------------------------------------------------

EditMode Recordset::editMode() const
{
    return d->mode;
}

void Recordset::requireCurrent() const
{
    if (!d->open)
        throw Error(kClosed);
    if (!d->hasCurrent())
        throw Error(kNoCurrent);
}

void Recordset::requireWritable() const
{
    if (!d->writable)
        throw Error(QStringLiteral("The rows of this recordset cannot be added, changed or deleted: it is the "
                                   "read-only result of a query."));
    if (!d->handle || !d->handle->isOpen())
        throw Error(QStringLiteral("The rows of this recordset can no longer be changed: its connection is closed."));
}

void Recordset::runCommitHooks()
{
    if (d->inHooks || !d->hasCurrent() || d->hooks.empty())
        return;
    d->inHooks = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{d->inHooks};
    const auto hooks = d->hooks;   // a hook may remove itself
    for (const auto& [id, hook] : hooks)
        if (hook)
            hook();
}

void Recordset::leaveRow()
{
    // The boxes' texts go into the row, and a pending change is saved before
    // the row is left, as the old recordsets did.
    runCommitHooks();
    if (d->mode != EditMode::None)
        save();
}

void Recordset::purgeDeleted()
{
    if (!d->currentDeleted)
        return;
    d->order.erase(d->order.begin() + d->pos);
    d->currentDeleted = false;
}

namespace {

// Every column of the table's row as the recordset keeps it; false when the
// table holds no such row.
bool readRow(detail::SqliteHandle& h, const RowStore& store, std::int64_t rowid, std::string& bytes)
{
    QStringList all;
    for (const RowStore::Column& c : std::as_const(store.columns))
        all << sql::quoteName(c.origin);
    sqlite3_stmt* sel =
        h.cached(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(all.join(u','), sql::quoteName(store.table)));
    sqlite3_bind_int64(sel, 1, rowid);
    const int rc = sqlite3_step(sel);
    if (rc != SQLITE_ROW) {
        sqlite3_reset(sel);
        if (rc != SQLITE_DONE)
            h.fail();
        return false;
    }
    detail::RowEncoder enc;
    for (int c = 0; c < store.columns.size(); ++c)
        enc.addColumn(sel, c);
    sqlite3_reset(sel);
    bytes = enc.bytes();
    return true;
}

} // namespace

void Recordset::save()
{
    Impl& s = *d;
    if (s.mode == EditMode::None)
        return;
    requireWritable();
    detail::SqliteHandle& h = *s.handle;
    RowStore& store = *s.store;
    const std::uint32_t row = s.row();
    emit willChangeRecord();

    auto begin = [&]() {
        sqlite3_stmt* b = h.cached(QStringLiteral("BEGIN IMMEDIATE"));
        if (sqlite3_step(b) != SQLITE_DONE)
            h.fail();
        sqlite3_reset(b);
    };
    auto rollback = [&]() {
        if (!sqlite3_get_autocommit(h.db))
            sqlite3_exec(h.db, "ROLLBACK", nullptr, nullptr, nullptr);
    };
    auto commit = [&]() {
        sqlite3_stmt* c = h.cached(QStringLiteral("COMMIT"));
        const int rc = sqlite3_step(c);
        sqlite3_reset(c);
        if (rc != SQLITE_DONE) {
            const QString text = detail::describeSqliteError(sqlite3_extended_errcode(h.db),
                                                             QString::fromUtf8(sqlite3_errmsg(h.db)));
            rollback();
            throw Error(text);
        }
    };
    const QString table = sql::quoteName(store.table);

    if (s.mode == EditMode::Add) {
        QStringList names, marks;
        std::vector<const Stored*> values;
        for (const auto& [col, v] : s.pending) {
            if (!v.isValid() || v.isNull())
                continue;
            names << sql::quoteName(store.columns.at(col).origin);
            marks << QStringLiteral("?");
            values.push_back(&v);
        }
        if (names.isEmpty()) {
            // A new row with no field set holds nothing anybody typed: it is
            // dropped as a deleted one, never stored as a row of defaults.
            s.pending.clear();
            s.mode = EditMode::None;
            store.setState(row, RowStore::Deleted);
            s.currentDeleted = true;
            return;
        }
        const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table, names.join(u','), marks.join(u','));
        begin();
        try {
            sqlite3_stmt* ins = h.cached(insert);
            for (std::size_t i = 0; i < values.size(); ++i)
                detail::bindStored(ins, int(i) + 1, *values[i]);
            const int rc = sqlite3_step(ins);
            sqlite3_reset(ins);
            if (rc != SQLITE_DONE)
                h.fail();
            const std::int64_t rowid = sqlite3_last_insert_rowid(h.db);
            // Read the row back: the table fills autonumbers and defaults.
            std::string bytes;
            if (!readRow(h, store, rowid, bytes))
                h.fail();
            commit();
            store.setRowid(row, rowid);
            store.replace(row, bytes);
            store.setState(row, RowStore::Live);
        } catch (...) {
            rollback();
            throw;
        }
    } else {
        std::vector<Stored> current = store.storedRow(row);
        std::vector<std::pair<int, const Stored*>> changed;
        for (const auto& [col, v] : s.pending)
            if (!sameStored(v, current[std::size_t(col)]))
                changed.emplace_back(col, &v);
        if (!changed.empty()) {
            QStringList sets, checks;
            for (const auto& [col, v] : changed) {
                const QString name = sql::quoteName(store.columns.at(col).origin);
                sets << name + QStringLiteral("=?");
                checks << name + QStringLiteral(" IS ?");
            }
            // The original values of the changed fields must still be there:
            // otherwise another window changed or deleted the row meanwhile.
            const QString update = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=? AND %3")
                                       .arg(table, sets.join(u','), checks.join(QStringLiteral(" AND ")));
            begin();
            try {
                sqlite3_stmt* up = h.cached(update);
                int p = 1;
                for (const auto& [col, v] : changed)
                    detail::bindStored(up, p++, *v);
                sqlite3_bind_int64(up, p++, store.rowid(row));
                for (const auto& [col, v] : changed)
                    detail::bindStored(up, p++, current[std::size_t(col)]);
                const int rc = sqlite3_step(up);
                sqlite3_reset(up);
                if (rc != SQLITE_DONE)
                    h.fail();
                if (sqlite3_changes(h.db) == 0) {
                    sqlite3_stmt* ex = h.cached(QStringLiteral("SELECT 1 FROM %1 WHERE rowid=?").arg(table));
                    sqlite3_bind_int64(ex, 1, store.rowid(row));
                    const bool exists = sqlite3_step(ex) == SQLITE_ROW;
                    sqlite3_reset(ex);
                    throw Error(exists ? QStringLiteral("The record was not saved: another window or user changed it "
                                                        "after it was read. Cancel, refresh and make the change again.")
                                       : QStringLiteral("The record was not saved: another window or user deleted it "
                                                        "after it was read."));
                }
                commit();
            } catch (...) {
                rollback();
                throw;
            }
            for (const auto& [col, v] : changed)
                current[std::size_t(col)] = *v;
            detail::RowEncoder enc;
            for (const Stored& v : current)
                enc.addStored(v);
            store.replace(row, enc.bytes());
        }
    }
    s.pending.clear();
    s.mode = EditMode::None;
}

void Recordset::resync()
{
    requireCurrent();
    runCommitHooks();
    if (d->mode != EditMode::Add) {
        requireWritable();
        std::string bytes;
        if (!readRow(*d->handle, *d->store, d->store->rowid(d->row()), bytes))
            throw Error(QStringLiteral("The record cannot be read again: another window or user deleted it after "
                                       "it was read."));
        d->store->replace(d->row(), bytes);
    }
    emit moveComplete();
}

void Recordset::addNew()
{
    if (!d->open)
        throw Error(kClosed);
    requireWritable();
    leaveRow();
    purgeDeleted();
    d->addPrevious = d->pos;
    detail::RowEncoder enc;
    for (int c = 0; c < d->store->columns.size(); ++c)
        enc.addNull();
    const std::uint32_t row = d->store->append(0, enc.bytes(), RowStore::Unsaved);
    d->order.push_back(row);
    d->pending.clear();
    d->mode = EditMode::Add;
    moveTo(d->size() - 1);
}

void Recordset::update()
{
    if (!d->open)
        throw Error(kClosed);
    runCommitHooks();
    if (d->mode == EditMode::None) {
        requireCurrent();
        return;
    }
    save();
    if (d->currentDeleted) {
        // An empty new row was dropped: back where Add was pressed, as
        // CancelUpdate goes.
        purgeDeleted();
        moveTo(std::clamp<long long>(d->addPrevious, -1, d->size()));
        return;
    }
    emit moveComplete();
}

void Recordset::updateBatch()
{
    // Only the current row can hold a pending change: leaving a row saves it.
    update();
}

void Recordset::cancelUpdate()
{
    if (!d->open)
        throw Error(kClosed);
    if (d->mode == EditMode::Add && d->hasCurrent()) {
        d->store->setState(d->row(), RowStore::Deleted);
        d->order.erase(d->order.begin() + d->pos);
        d->pending.clear();
        d->mode = EditMode::None;
        moveTo(std::clamp<long long>(d->addPrevious, -1, d->size()));
        return;
    }
    d->pending.clear();
    d->mode = EditMode::None;
    if (d->hasCurrent())
        emit moveComplete();
}

void Recordset::deleteCurrent()
{
    requireCurrent();
    requireWritable();
    const std::uint32_t row = d->row();
    if (d->mode != EditMode::Add) {
        detail::SqliteHandle& h = *d->handle;
        sqlite3_stmt* del = h.cached(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(sql::quoteName(d->store->table)));
        sqlite3_bind_int64(del, 1, d->store->rowid(row));
        const int rc = sqlite3_step(del);
        sqlite3_reset(del);
        if (rc != SQLITE_DONE)
            h.fail();
        // A row that another window deleted already is gone all the same.
    }
    d->pending.clear();
    d->mode = EditMode::None;
    d->store->setState(row, RowStore::Deleted);
    d->currentDeleted = true;
}

void Recordset::requery()
{
    if (!d->open)
        throw Error(kClosed);
    if (d->mode != EditMode::None)
        throw Error(kNotAllowed);
    if (!d->handle || !d->handle->isOpen())
        throw Error(kClosed);
    load();
    emit moveComplete();
}

bool Recordset::find(const QString& field, const QString& likePattern)
{
    if (!d->open)
        throw Error(kClosed);
    const int index = d->fieldOrThrow(field);
    leaveRow();
    purgeDeleted();
    const int col = d->cols[std::size_t(index)];
    const FieldType type = d->store->columns.at(col).type;
    const Matcher matcher(likePattern);
    const RowStore& store = *d->store;
    for (long long i = std::max(0LL, d->pos); i < d->size(); ++i) {
        const Cell c = store.cell(d->order[std::size_t(i)], col);
        bool hit = false;
        if (c.kind == Cell::Text && type != FieldType::DateTime) {
            hit = matcher.matches(c.p, c.n);
        } else if (c.kind != Cell::Null) {
            // Numbers and dates are searched in the text they show.
            const QByteArray text = formatValue(typedValue(c, type), QString()).toUtf8();
            hit = matcher.matches(text.constData(), int(text.size()));
        }
        if (hit) {
            moveTo(i);
            return true;
        }
    }
    moveTo(d->size());
    return false;
}

bool Recordset::hasChapter(const QString& name) const
{
    for (const auto& ch : d->chapters)
        if (ch->name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::shared_ptr<Recordset> Recordset::chapter(const QString& name) const
{
    if (!d->open)
        throw Error(kClosed);
    std::shared_ptr<Chapter> ch;
    for (const auto& c : d->chapters)
        if (c->name.compare(name, Qt::CaseInsensitive) == 0)
            ch = c;
    if (!ch)
        throw Error(kNoItem + QStringLiteral(" (%1)").arg(name));

    // A separate child store is read again once the parent has saved.
    if (!ch->compute && !ch->shared && ch->seenGeneration != d->store->generation() && d->handle
        && d->handle->isOpen()) {
        ch->child = detail::loadStore(*d->handle, ch->childSql, false);
        ch->seenGeneration = d->store->generation();
    }

    std::vector<std::uint32_t> rows;
    if (d->hasCurrent()) {
        if (ch->compute) {
            rows = ch->groups[d->row()];
        } else {
            QByteArray keep;
            std::string key;
            if (RowStore::keyOf(d->cellOf(d->row(), ch->parentCol, keep), key))
                rows = ch->child->rowsWithKey(ch->childKeyCol, key);
        }
    }
    auto view = std::make_shared<Recordset>();
    Impl& v = *view->d;
    v.open = true;
    v.writable = false;
    v.store = ch->child;
    v.cols = ch->childCols;
    v.index();
    v.order = std::move(rows);
    v.pos = v.order.empty() ? -1 : 0;
    return view;
}

int Recordset::addCommitHook(std::function<void()> hook)
{
    const int id = d->nextHook++;
    d->hooks[id] = std::move(hook);
    return id;
}

void Recordset::removeCommitHook(int id)
{
    d->hooks.erase(id);
}

} // namespace qv
