#include "platform/values/decimal.h"

#include <QStringList>
#include <algorithm>

namespace qv::detail {

namespace {

using Section = NumberPattern::Section;

// Splits at ";" outside quotes.
QStringList sections(const QString& format)
{
    QStringList out;
    QString current;
    bool quoted = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"') quoted = !quoted;
        if (c == u'\\' && !quoted && i + 1 < format.size()) {
            current += c;
            current += format[++i];
            continue;
        }
        if (c == u';' && !quoted) {
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    out << current;
    return out;
}

Section parseSection(const QString& format)
{
    enum { Before, Integer, Fraction, After } state = Before;
    Section s;
    auto literal = [&](const QString& text) {
        if (state == Before) {
            s.prefix += text;
        } else {
            state = After;
            s.suffix += text;
        }
    };
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"') {
            int end = format.indexOf(u'"', i + 1);
            if (end < 0) end = int(format.size());
            literal(format.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == u'\\') {
            if (i + 1 < format.size()) literal(QString(format[++i]));
        } else if ((c == u'0' || c == u'#') && state != After) {
            if (state == Fraction) {
                ++s.maxFraction;
                if (c == u'0') s.minFraction = s.maxFraction;
            } else {
                state = Integer;
                if (c == u'0') ++s.minInteger;
            }
        } else if (c == u',' && state == Integer) {
            s.grouping = true;
        } else if (c == u'.' && (state == Before || state == Integer)) {
            state = Fraction;
        } else {
            literal(QString(c));
        }
    }
    return s;
}

// |value| * 10^places rounded to a whole number, halves away from zero, as
// ASCII digits without leading zeros ("0" for zero). A 64-bit count is
// written into the buffer; longer digits are kept in the string.
struct Digits {
    const char* text = nullptr;
    int size = 0;
    char buffer[20];
    std::string longer;

    Digits() = default;
    Digits(const Digits&) = delete;
    Digits& operator=(const Digits&) = delete;
    bool isZero() const { return size == 1 && text[0] == '0'; }
};

bool scaledDigits(const Decimal& value, int places, Digits& out)
{
    out.longer = value.scaled(places, false);
    out.text = out.longer.data();
    out.size = int(out.longer.size());
    return true;
}

// False when the result does not fit 64 bits.
bool scaledDigits(const Fixed& value, int places, Digits& out)
{
    std::uint64_t n = 0;
    if (value.magnitude != 0) {
        const long long shift = (long long)places - value.scale;
        if (shift >= 0) {
            if (shift > 19 || __builtin_mul_overflow(value.magnitude, powerOfTen(int(shift)), &n))
                return false;
        } else if (shift >= -19) {
            const std::uint64_t unit = powerOfTen(int(-shift));
            n = value.magnitude / unit;
            const std::uint64_t rest = value.magnitude % unit;
            if (rest >= unit - rest)   // half a unit or more goes up
                ++n;
        }
        // Further right, every digit is dropped: a 64-bit count is less
        // than half of 10^20 and rounds to nothing.
    }
    int k = 20;
    do {
        out.buffer[--k] = char('0' + n % 10);
        n /= 10;
    } while (n != 0);
    out.text = out.buffer + k;
    out.size = 20 - k;
    return true;
}

QString render(const Section& s, const Digits& digits, bool minus)
{
    const int n = digits.size;
    const int places = s.maxFraction;
    // The whole part: "0" is shown as nothing, but for the zeros minInteger
    // asks for.
    const char* whole = digits.text;
    int wholeLength = n - places;
    if (wholeLength <= 0 || (wholeLength == 1 && whole[0] == '0'))
        wholeLength = 0;
    const int padding = qMax(0, s.minInteger - wholeLength);
    const int shownWhole = padding + wholeLength;
    const int groups = s.grouping && shownWhole > 0 ? (shownWhole - 1) / 3 : 0;
    // Every fraction place, zeros in front when the digits are fewer; the
    // zeros at the end go down to minFraction.
    const int leadingZeros = qMax(0, places - n);
    const char* tail = digits.text + qMax(0, n - places);
    auto fractionDigit = [&](int i) { return i < leadingZeros ? '0' : tail[i - leadingZeros]; };
    int fraction = places;
    while (fraction > s.minFraction && fractionDigit(fraction - 1) == '0')
        --fraction;

    const qsizetype size = int(minus) + s.prefix.size() + shownWhole + groups + (fraction > 0 ? 1 + fraction : 0)
                           + s.suffix.size();
    QString out(size, Qt::Uninitialized);
    QChar* p = out.data();
    if (minus)
        *p++ = u'-';
    p = std::copy(s.prefix.cbegin(), s.prefix.cend(), p);
    for (int k = 0; k < shownWhole; ++k) {
        if (groups > 0 && k > 0 && (shownWhole - k) % 3 == 0)
            *p++ = u',';
        *p++ = QLatin1Char(k < padding ? '0' : whole[k - padding]);
    }
    if (fraction > 0) {
        *p++ = u'.';
        for (int i = 0; i < fraction; ++i)
            *p++ = QLatin1Char(fractionDigit(i));
    }
    std::copy(s.suffix.cbegin(), s.suffix.cend(), p);
    return out;
}

} // namespace

bool isNumberPattern(const QString& format)
{
    bool quoted = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"') quoted = !quoted;
        else if (c == u'\\' && !quoted) ++i;
        else if (!quoted && (c == u'0' || c == u'#')) return true;
    }
    return false;
}

NumberPattern::NumberPattern(const QString& format)
{
    const QStringList parts = sections(format);
    m_positive = parseSection(parts[0]);
    m_hasNegative = parts.size() > 1 && !parts[1].isEmpty();
    if (m_hasNegative)
        m_negative = parseSection(parts[1]);
}

template <class Value>
QString NumberPattern::writeValue(const Value& value, bool& fits) const
{
    Digits digits;
    fits = false;
    if (!value.negative) {
        if (!scaledDigits(value, m_positive.maxFraction, digits))
            return QString();
        fits = true;
        return render(m_positive, digits, false);
    }
    // A negative amount is shown by the second section without its sign, or
    // by the first with a minus.
    const Section& s = m_hasNegative ? m_negative : m_positive;
    if (!scaledDigits(value, s.maxFraction, digits))
        return QString();
    // What rounds to nothing is shown as nothing, without a sign: no "-0.00".
    if (digits.isZero()) {
        if (m_hasNegative && !scaledDigits(value, m_positive.maxFraction, digits))
            return QString();
        fits = true;
        return render(m_positive, digits, false);
    }
    fits = true;
    return render(s, digits, !m_hasNegative);
}

QString NumberPattern::write(const Decimal& value) const
{
    bool fits = false;
    return writeValue(value, fits);
}

QString NumberPattern::write(const Fixed& value) const
{
    bool fits = false;
    QString text = writeValue(value, fits);
    return fits ? text : write(value.toDecimal());
}

QString formatNumberPattern(const Decimal& value, const QString& format)
{
    return NumberPattern(format).write(value);
}

} // namespace qv::detail
