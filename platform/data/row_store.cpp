#include "platform/data/row_store.h"
#include <sqlite3.h>
#include <QMetaType>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace qv::detail {

namespace {

enum Tag : std::uint8_t {
    TagNull = 0,
    TagInt = 1,        // zigzag varint
    TagReal = 2,       // 8 bytes
    TagRealInt = 3,    // a whole real number, zigzag varint
    TagText = 4,       // varint length, bytes
    TagBlob = 5,       // varint length, bytes
    TagZero = 6,
    TagOne = 7,
    TagShortText = 8,  // 8 + length, for texts up to 247 bytes
};
constexpr int kShortTextMax = 255 - TagShortText;
constexpr std::uint32_t kChunk = 1u << 20;

inline std::uint64_t zigzag(std::int64_t v)
{
    return (std::uint64_t(v) << 1) ^ std::uint64_t(v >> 63);
}
inline std::int64_t unzigzag(std::uint64_t v)
{
    return std::int64_t(v >> 1) ^ -std::int64_t(v & 1);
}
inline std::uint64_t readVarint(const std::uint8_t*& p)
{
    std::uint64_t v = 0;
    int shift = 0;
    while (true) {
        const std::uint8_t b = *p++;
        v |= std::uint64_t(b & 0x7f) << shift;
        if (!(b & 0x80))
            return v;
        shift += 7;
    }
}

// Decodes the field at p and moves p past it.
inline void readCell(const std::uint8_t*& p, Cell& c)
{
    const std::uint8_t tag = *p++;
    if (tag >= TagShortText) {
        c.kind = Cell::Text;
        c.n = tag - TagShortText;
        c.p = reinterpret_cast<const char*>(p);
        p += c.n;
        return;
    }
    switch (tag) {
    case TagNull:
        c.kind = Cell::Null;
        return;
    case TagInt:
        c.kind = Cell::Integer;
        c.i = unzigzag(readVarint(p));
        return;
    case TagZero:
    case TagOne:
        c.kind = Cell::Integer;
        c.i = tag - TagZero;
        return;
    case TagReal:
        c.kind = Cell::Real;
        std::memcpy(&c.d, p, 8);
        p += 8;
        return;
    case TagRealInt:
        c.kind = Cell::Real;
        c.d = double(unzigzag(readVarint(p)));
        return;
    case TagText:
    case TagBlob:
        c.kind = tag == TagText ? Cell::Text : Cell::Blob;
        c.n = int(readVarint(p));
        c.p = reinterpret_cast<const char*>(p);
        p += c.n;
        return;
    }
    c.kind = Cell::Null;
}

inline void skipCell(const std::uint8_t*& p)
{
    const std::uint8_t tag = *p++;
    if (tag >= TagShortText) {
        p += tag - TagShortText;
        return;
    }
    switch (tag) {
    case TagInt:
    case TagRealInt:
        while (*p++ & 0x80) {}
        return;
    case TagReal:
        p += 8;
        return;
    case TagText:
    case TagBlob: {
        const std::uint64_t n = readVarint(p);
        p += n;
        return;
    }
    default:
        return;
    }
}

} // namespace

// ---- encoding ---------------------------------------------------------------

void RowEncoder::varint(std::uint64_t v)
{
    while (v >= 0x80) {
        m_bytes.push_back(char((v & 0x7f) | 0x80));
        v >>= 7;
    }
    m_bytes.push_back(char(v));
}

void RowEncoder::addNull()
{
    m_bytes.push_back(char(TagNull));
}

void RowEncoder::addInt(std::int64_t v)
{
    if (v == 0 || v == 1) {
        m_bytes.push_back(char(TagZero + v));
        return;
    }
    m_bytes.push_back(char(TagInt));
    varint(zigzag(v));
}

void RowEncoder::addReal(double v)
{
    // Whole amounts (most prices and quantities) take a byte or two, as in the file.
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 9.0e15 && !(v == 0 && std::signbit(v))) {
        m_bytes.push_back(char(TagRealInt));
        varint(zigzag(std::int64_t(v)));
        return;
    }
    m_bytes.push_back(char(TagReal));
    char buf[8];
    std::memcpy(buf, &v, 8);
    m_bytes.append(buf, 8);
}

void RowEncoder::addText(const char* p, int n)
{
    if (n <= kShortTextMax) {
        m_bytes.push_back(char(TagShortText + n));
    } else {
        m_bytes.push_back(char(TagText));
        varint(std::uint64_t(n));
    }
    m_bytes.append(p, std::size_t(n));
}

void RowEncoder::addBlob(const char* p, int n)
{
    m_bytes.push_back(char(TagBlob));
    varint(std::uint64_t(n));
    m_bytes.append(p, std::size_t(n));
}

void RowEncoder::addCell(const Cell& c)
{
    switch (c.kind) {
    case Cell::Null: addNull(); break;
    case Cell::Integer: addInt(c.i); break;
    case Cell::Real: addReal(c.d); break;
    case Cell::Text: addText(c.p, c.n); break;
    case Cell::Blob: addBlob(c.p, c.n); break;
    }
}

void RowEncoder::addStored(const Stored& v)
{
    if (!v.isValid() || v.isNull()) {
        addNull();
        return;
    }
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool:
        addInt(v.toLongLong());
        return;
    case QMetaType::Double:
        addReal(v.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        addBlob(b.constData(), int(b.size()));
        return;
    }
    default: {
        const QByteArray b = v.toString().toUtf8();
        addText(b.constData(), int(b.size()));
        return;
    }
    }
}

void RowEncoder::addColumn(sqlite3_stmt* stmt, int column)
{
    // The column looked up once: the value's own readers skip the statement's
    // checks (a connection serves one thread, so nothing else touches it).
    sqlite3_value* value = sqlite3_column_value(stmt, column);
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        addInt(sqlite3_value_int64(value));
        return;
    case SQLITE_FLOAT:
        addReal(sqlite3_value_double(value));
        return;
    case SQLITE_TEXT: {
        const char* p = reinterpret_cast<const char*>(sqlite3_value_text(value));
        addText(p, sqlite3_value_bytes(value));
        return;
    }
    case SQLITE_BLOB: {
        const char* p = static_cast<const char*>(sqlite3_value_blob(value));
        addBlob(p, sqlite3_value_bytes(value));
        return;
    }
    default:
        addNull();
    }
}

Stored storedOf(const Cell& c)
{
    switch (c.kind) {
    case Cell::Null: return Stored();
    case Cell::Integer: return Stored(qlonglong(c.i));
    case Cell::Real: return Stored(c.d);
    case Cell::Text: return Stored(QString::fromUtf8(c.p, c.n));
    case Cell::Blob: return Stored(QByteArray(c.p, c.n));
    }
    return Stored();
}

// ---- the store --------------------------------------------------------------

int RowStore::columnIndex(const QString& name) const
{
    if (m_names.size() != columns.size()) {
        m_names.clear();
        for (int i = int(columns.size()) - 1; i >= 0; --i)
            m_names.insert(columns.at(i).name.toLower(), i);
    }
    return m_names.value(name.toLower(), -1);
}

std::uint64_t RowStore::put(const std::string& bytes)
{
    const std::uint32_t n = std::uint32_t(bytes.size());
    if (m_chunks.empty() || m_used + n > m_chunkSize.back()) {
        const std::uint32_t size = std::max(nextChunkSize(), n);
        m_chunks.emplace_back(new char[size]);
        m_chunkSize.push_back(size);
        m_used = 0;
    }
    std::memcpy(m_chunks.back().get() + m_used, bytes.data(), n);
    const std::uint64_t ref = (std::uint64_t(m_chunks.size() - 1) << 32) | m_used;
    m_used += n;
    return ref;
}

std::uint32_t RowStore::append(std::int64_t rowid, const std::string& bytes, RowState state)
{
    m_refs.push_back(put(bytes));
    m_rowids.push_back(rowid);
    m_state.push_back(state);
    const std::uint32_t row = std::uint32_t(m_refs.size() - 1);
    if (state == Live) {
        if (m_byRowidBuilt && hasRowid)
            m_byRowid[rowid] = row;
        indexAdd(row);
        ++m_generation;
    }
    return row;
}

void RowStore::replace(std::uint32_t row, const std::string& bytes)
{
    const bool live = m_state[row] == Live;
    if (live)
        indexRemove(row);
    // The new bytes go to the end of the arena; the old ones are left unused.
    m_refs[row] = put(bytes);
    if (live) {
        indexAdd(row);
        ++m_generation;
    }
}

std::uint32_t RowStore::nextChunkSize() const
{
    // Small results stay small; large ones grow in megabyte steps.
    const std::size_t shift = std::min<std::size_t>(m_chunks.size(), 8);
    return std::min<std::uint32_t>(kChunk, std::uint32_t(4096) << shift);
}

const std::uint8_t* RowStore::rowBytes(std::uint32_t row) const
{
    const std::uint64_t ref = m_refs[row];
    return reinterpret_cast<const std::uint8_t*>(m_chunks[std::size_t(ref >> 32)].get() + std::uint32_t(ref));
}

Cell RowStore::cell(std::uint32_t row, int column) const
{
    const std::uint8_t* p = rowBytes(row);
    for (int i = 0; i < column; ++i)
        skipCell(p);
    Cell c;
    readCell(p, c);
    return c;
}

void RowStore::cells(std::uint32_t row, int count, Cell* out) const
{
    const std::uint8_t* p = rowBytes(row);
    for (int i = 0; i < count; ++i)
        readCell(p, out[i]);
}

std::vector<Stored> RowStore::storedRow(std::uint32_t row) const
{
    std::vector<Stored> out;
    out.reserve(std::size_t(columns.size()));
    const std::uint8_t* p = rowBytes(row);
    for (int i = 0; i < columns.size(); ++i) {
        Cell c;
        readCell(p, c);
        out.push_back(storedOf(c));
    }
    return out;
}

void RowStore::setRowid(std::uint32_t row, std::int64_t id)
{
    if (m_byRowidBuilt && hasRowid) {
        m_byRowid.erase(m_rowids[row]);
        m_byRowid[id] = row;
    }
    m_rowids[row] = id;
}

void RowStore::setState(std::uint32_t row, RowState s)
{
    const RowState old = RowState(m_state[row]);
    if (old == s)
        return;
    if (old == Live)
        indexRemove(row);
    m_state[row] = s;
    if (s == Live)
        indexAdd(row);
    if (m_byRowidBuilt && hasRowid) {
        if (s == Deleted)
            m_byRowid.erase(m_rowids[row]);
        else
            m_byRowid[m_rowids[row]] = row;
    }
    ++m_generation;
}

std::int64_t RowStore::rowOfRowid(std::int64_t rowid)
{
    if (!hasRowid)
        return rowid >= 1 && rowid <= std::int64_t(size()) && m_state[std::size_t(rowid - 1)] != Deleted ? rowid - 1 : -1;
    if (!m_byRowidBuilt) {
        m_byRowid.reserve(m_rowids.size());
        for (std::uint32_t r = 0; r < size(); ++r)
            if (m_state[r] != Deleted)
                m_byRowid[m_rowids[r]] = r;
        m_byRowidBuilt = true;
    }
    const auto it = m_byRowid.find(rowid);
    return it == m_byRowid.end() ? -1 : std::int64_t(it->second);
}

void RowStore::shrink()
{
    m_rowids.shrink_to_fit();
    m_refs.shrink_to_fit();
    m_state.shrink_to_fit();
}

bool RowStore::keyOf(const Cell& c, std::string& key)
{
    key.clear();
    switch (c.kind) {
    case Cell::Null:
        return false;
    case Cell::Integer:
    case Cell::Real: {
        double d = c.kind == Cell::Integer ? double(c.i) : c.d;
        if (d == 0)
            d = 0;   // -0 equals 0
        key.push_back('n');
        key.append(reinterpret_cast<const char*>(&d), sizeof d);
        return true;
    }
    case Cell::Blob:
        key.push_back('b');
        key.append(c.p, std::size_t(c.n));
        return true;
    case Cell::Text: {
        key.push_back('t');
        bool ascii = true;
        for (int i = 0; i < c.n; ++i) {
            if (static_cast<unsigned char>(c.p[i]) >= 0x80) {
                ascii = false;
                break;
            }
        }
        if (ascii) {
            key.reserve(std::size_t(c.n) + 1);
            for (int i = 0; i < c.n; ++i) {
                char ch = c.p[i];
                if (ch >= 'A' && ch <= 'Z')
                    ch = char(ch + 32);
                key.push_back(ch);
            }
        } else {
            const QByteArray folded = QString::fromUtf8(c.p, c.n).toCaseFolded().toUtf8();
            key.append(folded.constData(), std::size_t(folded.size()));
        }
        return true;
    }
    }
    return false;
}

const std::vector<std::uint32_t>& RowStore::rowsWithKey(int column, const std::string& key)
{
    static const std::vector<std::uint32_t> none;
    auto it = m_indexes.find(column);
    if (it == m_indexes.end()) {
        KeyIndex& index = m_indexes[column];
        std::string k;
        for (std::uint32_t r = 0; r < size(); ++r) {
            if (m_state[r] != Live)
                continue;
            if (keyOf(cell(r, column), k))
                index.rows[k].push_back(r);
        }
        it = m_indexes.find(column);
    }
    const auto found = it->second.rows.find(key);
    return found == it->second.rows.end() ? none : found->second;
}

void RowStore::indexRemove(std::uint32_t row)
{
    std::string k;
    for (auto& [column, index] : m_indexes) {
        if (!keyOf(cell(row, column), k))
            continue;
        auto it = index.rows.find(k);
        if (it == index.rows.end())
            continue;
        auto& list = it->second;
        const auto pos = std::lower_bound(list.begin(), list.end(), row);
        if (pos != list.end() && *pos == row)
            list.erase(pos);
        if (list.empty())
            index.rows.erase(it);
    }
}

void RowStore::indexAdd(std::uint32_t row)
{
    std::string k;
    for (auto& [column, index] : m_indexes) {
        if (!keyOf(cell(row, column), k))
            continue;
        auto& list = index.rows[k];
        list.insert(std::lower_bound(list.begin(), list.end(), row), row);
    }
}

FieldType fieldTypeOfDeclared(const char* declared)
{
    const QByteArray d = QByteArray(declared).toUpper();
    if (d.contains("CURRENCY") || d.contains("MONEY"))
        return FieldType::Currency;
    if (d.contains("DATE") || d.contains("TIME"))
        return FieldType::DateTime;
    if (d.contains("BOOL") || d.contains("BIT"))
        return FieldType::Boolean;
    if (d.contains("MEMO"))
        return FieldType::Memo;
    if (d.contains("INT") || d.contains("COUNTER"))
        return FieldType::Long;
    if (d.contains("CHAR") || d.contains("TEXT") || d.contains("CLOB"))
        return FieldType::Text;
    if (d.contains("REAL") || d.contains("FLOA") || d.contains("DOUB") || d.contains("NUM") || d.contains("DEC"))
        return FieldType::Double;
    return FieldType::Text;
}

void RowStore::load(sqlite3_stmt* stmt, bool withRowid)
{
    const int count = sqlite3_column_count(stmt);
    const int first = withRowid ? 1 : 0;
    hasRowid = withRowid;
    columns.clear();
    m_names.clear();
    std::vector<int> unknown;
    for (int c = first; c < count; ++c) {
        Column col;
        col.name = QString::fromUtf8(sqlite3_column_name(stmt, c));
        const char* origin = sqlite3_column_origin_name(stmt, c);
        col.origin = origin ? QString::fromUtf8(origin) : col.name;
        const char* declared = sqlite3_column_decltype(stmt, c);
        if (declared) {
            col.type = fieldTypeOfDeclared(declared);
            col.typeKnown = true;
        } else {
            unknown.push_back(c);
        }
        columns.append(col);
    }
    RowEncoder enc;
    std::int64_t serial = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        enc.clear();
        for (int c = first; c < count; ++c)
            enc.addColumn(stmt, c);
        // Columns computed by the query take their type from their first value.
        for (auto it = unknown.begin(); it != unknown.end();) {
            const int t = sqlite3_column_type(stmt, *it);
            if (t == SQLITE_NULL) {
                ++it;
                continue;
            }
            Column& col = columns[*it - first];
            col.type = t == SQLITE_INTEGER ? FieldType::Long : t == SQLITE_FLOAT ? FieldType::Double : FieldType::Text;
            col.typeKnown = true;
            it = unknown.erase(it);
        }
        append(withRowid ? sqlite3_column_int64(stmt, 0) : ++serial, enc.bytes(), Live);
    }
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt)));
        sqlite3_reset(stmt);
        throw qv::Error(message);
    }
    sqlite3_reset(stmt);
    shrink();
}

std::size_t RowStore::memoryUsed() const
{
    std::size_t total = 0;
    for (std::uint32_t s : m_chunkSize)
        total += s;
    total += m_rowids.capacity() * sizeof(std::int64_t) + m_refs.capacity() * sizeof(std::uint64_t)
             + m_state.capacity();
    return total;
}

} // namespace qv::detail
