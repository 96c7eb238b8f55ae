#include "platform/report/report_rows.h"
#include "platform/values/money.h"
#include <QDateTime>
#include <cstring>

namespace qv {

std::optional<ValueBits> valueBits(const QVariant& v)
{
    const int type = v.metaType().id();
    qint64 bits = 0;
    if (type == QMetaType::fromType<Money>().id()) {
        bits = v.value<Money>().units();
    } else if (type == QMetaType::QDateTime) {
        // By the day and time it shows: the instant would ask the system's
        // time zone (a file read) for every value.
        const QDateTime& dt = *static_cast<const QDateTime*>(v.constData());
        bits = dt.date().toJulianDay() * 86400000 + dt.time().msecsSinceStartOfDay();
    } else if (type == QMetaType::Double) {
        const double d = v.toDouble();
        std::memcpy(&bits, &d, sizeof bits);
    } else if (type == QMetaType::LongLong || type == QMetaType::Int) {
        bits = v.toLongLong();
    } else {
        return std::nullopt;
    }
    return ValueBits(type, bits);
}

bool sameValue(const QVariant& a, const QVariant& b)
{
    const QMetaType type = a.metaType();
    if (type != b.metaType() || a.data_ptr().is_null != b.data_ptr().is_null)
        return false;
    if (type == QMetaType::fromType<QString>())
        return *static_cast<const QString*>(a.constData()) == *static_cast<const QString*>(b.constData());
    return !type.isValid() || std::memcmp(a.constData(), b.constData(), std::size_t(type.sizeOf())) == 0;
}

ReportRows::ReportRows(QStringList fields)
    : m_fields(std::move(fields)), m_columns(std::size_t(m_fields.size()))
{
}

int ReportRows::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void ReportRows::Column::push(quint32 n)
{
    const int needed = n < 0x100 ? 1 : n < 0x10000 ? 2 : 4;
    if (needed > width) {
        // More distinct values than the numbers had room for: each row's
        // number is written again in the wider form.
        std::vector<std::uint8_t> wider(numbers.size() / std::size_t(width) * std::size_t(needed));
        const std::size_t rows = numbers.size() / std::size_t(width);
        for (std::size_t r = 0; r < rows; ++r) {
            const quint32 old = number(int(r));
            for (int b = 0; b < needed; ++b)
                wider[r * std::size_t(needed) + std::size_t(b)] = std::uint8_t(old >> (8 * b));
        }
        numbers = std::move(wider);
        width = needed;
    }
    for (int b = 0; b < width; ++b)
        numbers.push_back(std::uint8_t(n >> (8 * b)));
}

quint32 ReportRows::Column::numberOf(const QVariant& v)
{
    // Most often the row above's value.
    if (!numbers.empty()) {
        const quint32 above = number(int(numbers.size() / std::size_t(width)) - 1);
        if (sameValue(distinct[qsizetype(above)], v))
            return above;
    }
    const auto add = [&] {
        distinct.append(v);
        return quint32(distinct.size() - 1);
    };
    if (v.isNull()) {
        // Empty fields are many (a ticket's unused slots): one of each type.
        const ValueBits key(-1 - v.metaType().id(), 0);
        auto it = bits.constFind(key);
        if (it == bits.cend())
            it = bits.insert(key, add());
        return *it;
    }
    if (v.metaType().id() == QMetaType::QString) {
        const QString& text = *static_cast<const QString*>(v.constData());
        auto it = texts.constFind(text);
        if (it == texts.cend())
            it = texts.insert(text, add());
        return *it;
    }
    if (const std::optional<ValueBits> key = valueBits(v)) {
        auto it = bits.constFind(*key);
        if (it == bits.cend())
            it = bits.insert(*key, add());
        return *it;
    }
    return add();
}

void ReportRows::append(const QVariant* values)
{
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        Column& column = m_columns[c];
        column.push(column.numberOf(values[c]));
    }
    ++m_size;
}

void ReportRows::squeeze()
{
    for (Column& c : m_columns) {
        c.texts = {};
        c.bits = {};
        c.numbers.shrink_to_fit();
        c.distinct.squeeze();
    }
}

} // namespace qv
