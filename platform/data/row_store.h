#pragma once
// The rows of one query, kept compactly: each row is one run of bytes in a
// chunked arena (a tag byte per field, then its payload), much as the file
// itself keeps them, so 100,000 rows cost about what they cost on disk.
// Recordsets and their chapters are views (lists of row numbers) over a store.
#include "platform/data/database.h"
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace qv::detail {

// One field of one stored row, undecoded.
struct Cell {
    enum Kind : std::uint8_t { Null, Integer, Real, Text, Blob };
    Kind kind = Null;
    std::int64_t i = 0;
    double d = 0;
    const char* p = nullptr;
    int n = 0;
};

// A field value as SQLite stores it: null, qlonglong, double, QString or QByteArray.
using Stored = QVariant;

class RowEncoder {
public:
    void clear() { m_bytes.clear(); }
    void addNull();
    void addInt(std::int64_t v);
    void addReal(double v);
    void addText(const char* p, int n);
    void addBlob(const char* p, int n);
    void addCell(const Cell& c);
    void addStored(const Stored& v);
    void addColumn(sqlite3_stmt* stmt, int column);
    const std::string& bytes() const { return m_bytes; }

private:
    void varint(std::uint64_t v);
    std::string m_bytes;
};

Stored storedOf(const Cell& c);

class RowStore {
public:
    struct Column {
        QString name;       // as the query names it
        QString origin;     // the table's own field name (writable stores)
        FieldType type = FieldType::Text;
        bool typeKnown = false;
    };
    enum RowState : std::uint8_t { Live = 0, Deleted = 1, Unsaved = 2 };

    QVector<Column> columns;
    QString table;          // the table rows are written to; empty when read-only
    bool hasRowid = false;

    int columnIndex(const QString& name) const;   // case ignored, -1 when absent
    std::uint32_t size() const { return std::uint32_t(m_refs.size()); }

    std::uint32_t append(std::int64_t rowid, const std::string& bytes, RowState state);
    void replace(std::uint32_t row, const std::string& bytes);
    Cell cell(std::uint32_t row, int column) const;
    // The row's first `count` fields, decoded in one pass (a whole row read
    // field by field would walk past the fields before each one again).
    void cells(std::uint32_t row, int count, Cell* out) const;
    std::vector<Stored> storedRow(std::uint32_t row) const;
    std::int64_t rowid(std::uint32_t row) const { return m_rowids[row]; }
    void setRowid(std::uint32_t row, std::int64_t id);
    RowState state(std::uint32_t row) const { return RowState(m_state[row]); }
    void setState(std::uint32_t row, RowState s);
    // -1 when no live or unsaved row has that rowid.
    std::int64_t rowOfRowid(std::int64_t rowid);
    void shrink();

    // Rows whose field equals the key (compared like "=", letter case
    // ignored; a null matches nothing), in store order. The index behind it
    // is built on first use and kept up to date as rows change.
    const std::vector<std::uint32_t>& rowsWithKey(int column, const std::string& key);
    // The key of a value; false for null.
    static bool keyOf(const Cell& c, std::string& key);

    // Reads every row of a prepared statement; the first column is the rowid
    // when withRowid.
    void load(sqlite3_stmt* stmt, bool withRowid);
    std::size_t memoryUsed() const;

    // Bumped whenever a row is saved, added or deleted (stale chapter stores watch it).
    std::uint64_t generation() const { return m_generation; }

private:
    struct KeyIndex {
        std::unordered_map<std::string, std::vector<std::uint32_t>> rows;
    };
    void indexRemove(std::uint32_t row);
    void indexAdd(std::uint32_t row);
    // Copies a row's bytes to the end of the arena; returns where they went.
    std::uint64_t put(const std::string& bytes);
    const std::uint8_t* rowBytes(std::uint32_t row) const;
    std::uint32_t nextChunkSize() const;

    std::vector<std::int64_t> m_rowids;
    std::vector<std::uint64_t> m_refs;     // chunk << 32 | offset
    std::vector<std::uint8_t> m_state;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::vector<std::uint32_t> m_chunkSize;
    std::uint32_t m_used = 0;              // bytes used in the last chunk
    std::unordered_map<int, KeyIndex> m_indexes;
    std::unordered_map<std::int64_t, std::uint32_t> m_byRowid;
    bool m_byRowidBuilt = false;
    std::uint64_t m_generation = 0;
    mutable QHash<QString, int> m_names;
};

FieldType fieldTypeOfDeclared(const char* decltype_);

} // namespace qv::detail
