#include "platform/values/convert.h"
#include "platform/values/decimal.h"
#include "platform/values/error.h"

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

// The format's kind, and for numbers the pattern it stands for.
Kind kindOf(const QString& format, QString& pattern)
{
    pattern = format;
    if (format.isEmpty())
        return Kind::General;
    if (format.compare(u"Currency", Qt::CaseInsensitive) == 0) {
        pattern = QStringLiteral("\"$\"#,##0.00;(\"$\"#,##0.00)");
        return Kind::Number;
    }
    for (const char* named : {"General Date", "Short Date", "Long Date", "Long Time"})
        if (format.compare(QLatin1String(named), Qt::CaseInsensitive) == 0)
            return Kind::Date;
    if (detail::isNumberPattern(format))
        return Kind::Number;
    if (isDatePattern(format))
        return Kind::Date;
    return Kind::General;
}

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

detail::Decimal integerDecimal(const QVariant& v)
{
    detail::Decimal d;
    if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong || v.typeId() == QMetaType::UInt) {
        d.digits = std::to_string(v.toULongLong());
    } else {
        const qlonglong n = v.toLongLong();
        d.negative = n < 0;
        d.digits = std::to_string(n);
        if (d.negative) d.digits.erase(0, 1);
    }
    if (d.digits == "0") { d.digits.clear(); d.negative = false; }
    while (!d.digits.empty() && d.digits.back() == '0') { d.digits.pop_back(); ++d.exponent; }
    return d;
}

// The number a value stands for, when it stands for one.
std::optional<detail::Decimal> asNumber(const QVariant& v)
{
    if (isMoney(v)) return detail::Decimal::fromUnits(v.value<Money>().units(), 4);
    if (isFloating(v)) return detail::Decimal::fromDouble(v.toDouble());
    if (isInteger(v)) return integerDecimal(v);
    if (v.typeId() == QMetaType::Bool) return detail::Decimal::fromDouble(v.toBool() ? -1.0 : 0.0);
    if (const auto dt = asDateTime(v)) return detail::Decimal::fromDouble(dateSerial(*dt));
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        if (const auto amount = detail::parseAmount(text)) return amount;
        if (const auto dt = readDateTime(text)) return detail::Decimal::fromDouble(dateSerial(*dt));
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
    if (const auto dt = asDateTime(v)) return formatDateTime(*dt, QString());
    return v.toString();
}

} // namespace

QString formatValue(const QVariant& value, const QString& format)
{
    if (!value.isValid() || value.isNull())
        return QString();
    QString pattern;
    switch (kindOf(format, pattern)) {
    case Kind::Number:
        if (const auto number = asNumber(value))
            return detail::formatNumberPattern(*number, pattern);
        return generalText(value);
    case Kind::Date:
        if (const auto date = asDate(value))
            return formatDateTime(*date, format);
        return generalText(value);
    case Kind::General:
        break;
    }
    return generalText(value);
}

} // namespace qv
