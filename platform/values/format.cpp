#include "platform/values/convert.h"
#include "platform/values/decimal.h"
#include "platform/values/error.h"
#include "platform/values/patterns.h"

#include <QDate>
#include <QTime>

namespace qv {

namespace {

enum class Kind { General, Number, Date };

bool isDatePattern(const QString& format)
{
    bool quoted = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"') quoted = !quoted;
        else if (c == u'\\' && !quoted) ++i;
        else if (!quoted && QStringLiteral("dmyhns").contains(c.toLower())) return true;
    }
    return false;
}

// A display format as read once: its kind, and the pattern that writes it.
struct DisplayFormat {
    Kind kind = Kind::General;
    std::optional<detail::NumberPattern> number;
    std::optional<detail::DatePattern> date;

    explicit DisplayFormat(const QString& format)
    {
        if (format.isEmpty())
            return;
        if (format.compare(u"Currency", Qt::CaseInsensitive) == 0) {
            kind = Kind::Number;
            number.emplace(QStringLiteral("\"$\"#,##0.00;(\"$\"#,##0.00)"));
            return;
        }
        for (const char* named : {"General Date", "Short Date", "Long Date", "Long Time"}) {
            if (format.compare(QLatin1String(named), Qt::CaseInsensitive) == 0) {
                kind = Kind::Date;
                break;
            }
        }
        if (kind != Kind::Date && detail::isNumberPattern(format)) {
            kind = Kind::Number;
            number.emplace(format);
            return;
        }
        if (kind == Kind::Date || isDatePattern(format)) {
            kind = Kind::Date;
            // The general format depends on the value; it is not kept.
            if (format.compare(u"General Date", Qt::CaseInsensitive) != 0)
                date.emplace(format);
        }
    }

    QString writeDate(const QDateTime& value) const
    {
        return date ? date->write(value) : detail::writeGeneralDate(value);
    }
};

bool isMoney(const QVariant& v) { return v.metaType() == QMetaType::fromType<Money>(); }

bool isInteger(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool isFloating(const QVariant& v) { return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float; }

std::optional<QDateTime> asDateTime(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime: return v.toDateTime();
    case QMetaType::QDate: return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QTime: return QDateTime(dayZero(), v.toTime());
    default: return std::nullopt;
    }
}

detail::Fixed integerFixed(const QVariant& v)
{
    if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong || v.typeId() == QMetaType::UInt) {
        detail::Fixed f;
        f.magnitude = v.toULongLong();
        return f;
    }
    return detail::Fixed::fromUnits(v.toLongLong(), 0);
}

// Writes the number a value stands for, when it stands for one.
std::optional<QString> writeNumber(const QVariant& v, const detail::NumberPattern& pattern)
{
    if (isMoney(v)) return pattern.write(detail::Fixed::fromUnits(v.value<Money>().units(), 4));
    if (isFloating(v)) return pattern.write(detail::Fixed::fromDouble(v.toDouble()));
    if (isInteger(v)) return pattern.write(integerFixed(v));
    if (v.typeId() == QMetaType::Bool) return pattern.write(detail::Fixed::fromUnits(v.toBool() ? -1 : 0, 0));
    if (const auto dt = asDateTime(v)) return pattern.write(detail::Fixed::fromDouble(dateSerial(*dt)));
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        if (const auto amount = detail::parseAmount(text)) return pattern.write(*amount);
        if (const auto dt = readDateTime(text)) return pattern.write(detail::Fixed::fromDouble(dateSerial(*dt)));
    }
    return std::nullopt;
}

// The date a value stands for, when it stands for one within the years the
// dates cover.
std::optional<QDateTime> asDate(const QVariant& v)
{
    if (const auto dt = asDateTime(v)) return dt;
    std::optional<double> serial;
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        if (const auto dt = readDateTime(text)) return dt;
        if (const auto amount = detail::parseAmount(text)) serial = amount->toDouble();
    } else if (isMoney(v)) {
        serial = v.value<Money>().toDouble();
    } else if (isFloating(v) || isInteger(v)) {
        serial = v.toDouble();
    } else if (v.typeId() == QMetaType::Bool) {
        serial = v.toBool() ? -1.0 : 0.0;
    }
    if (!serial) return std::nullopt;
    try {
        return fromDateSerial(*serial);
    } catch (const Error&) {
        return std::nullopt;
    }
}

QString generalText(const QVariant& v)
{
    if (isMoney(v)) return plainText(v.value<Money>());
    if (isFloating(v)) return plainText(v.toDouble());
    if (isInteger(v)) return v.toString();
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (const auto dt = asDateTime(v)) return detail::writeGeneralDate(*dt);
    return v.toString();
}

} // namespace

QString formatValue(const QVariant& value, const QString& format)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (format.isEmpty())
        return generalText(value);
    const DisplayFormat& f = detail::cachedPattern<DisplayFormat>(format);
    switch (f.kind) {
    case Kind::Number:
        if (auto text = writeNumber(value, *f.number))
            return std::move(*text);
        return generalText(value);
    case Kind::Date:
        if (const auto date = asDate(value))
            return f.writeDate(*date);
        return generalText(value);
    case Kind::General:
        break;
    }
    return generalText(value);
}

} // namespace qv
