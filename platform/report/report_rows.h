#pragma once
// The rows a report job reads, kept compactly for as long as its pages may be
// looked at: each column keeps its distinct values once and, for every row,
// the number of its value in as few bytes as the count of distinct values
// needs. A report's values repeat down its rows (prices, artists, days), so
// a field of a row takes a byte or two instead of a whole value.
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace qv {

// An amount, date or number by its type and bits: a key that is cheaper to
// find again than the value's text is to write. None for texts and the rest.
using ValueBits = std::pair<int, qint64>;
std::optional<ValueBits> valueBits(const QVariant& v);

// True when two values are surely the same, found cheaply: texts by their
// characters, anything else by its bytes (a report's amounts and numbers are
// plain values; shared dates are the same date). False only means "format or
// measure it again".
bool sameValue(const QVariant& a, const QVariant& b);

class ReportRows {
public:
    ReportRows() = default;
    explicit ReportRows(QStringList fields);

    const QStringList& fields() const { return m_fields; }
    int fieldIndex(const QString& name) const;   // -1 when absent; case ignored
    int size() const { return m_size; }

    // Adds a row: a value for every field, in the fields' order.
    void append(const QVariant* values);
    // Lets go of what adding rows needed; the rows stay.
    void squeeze();

    const QVariant& value(int row, int column) const
    {
        const Column& c = m_columns[std::size_t(column)];
        return c.distinct[qsizetype(c.number(row))];
    }
    // The column's values, each once.
    const QList<QVariant>& distinct(int column) const { return m_columns[std::size_t(column)].distinct; }

private:
    struct Column {
        QList<QVariant> distinct;
        std::vector<std::uint8_t> numbers;   // `width` bytes a row
        int width = 1;
        // While rows are added: where each value stands in `distinct`.
        QHash<QString, quint32> texts;
        QHash<ValueBits, quint32> bits;

        quint32 number(int row) const
        {
            const std::uint8_t* p = numbers.data() + std::size_t(row) * std::size_t(width);
            switch (width) {
            case 1: return p[0];
            case 2: return quint32(p[0]) | quint32(p[1]) << 8;
            default: return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
            }
        }
        void push(quint32 n);
        quint32 numberOf(const QVariant& v);
    };
    QStringList m_fields;
    std::vector<Column> m_columns;
    int m_size = 0;
};

} // namespace qv
