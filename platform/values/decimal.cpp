#include "platform/values/decimal.h"
#include "platform/values/error.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace qv::detail {

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

void normalise(Decimal& d)
{
    std::size_t first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.exponent = 0;
        d.negative = false;
        return;
    }
    d.digits.erase(0, first);
    std::size_t last = d.digits.find_last_not_of('0');
    d.exponent += int(d.digits.size() - 1 - last);
    d.digits.erase(last + 1);
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == QChar(0xA0); }

} // namespace

namespace {

// Reads "-d.ddde+XX" as to_chars writes it in scientific form.
const char* readScientific(const char* p, const char* end, SignificantDigits& out)
{
    out.negative = *p == '-';
    if (out.negative) ++p;
    out.count = 0;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.') out.digits[out.count++] = *p;
    out.exponent = 0;
    if (p != end)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), end, out.exponent);
    while (out.count > 1 && out.digits[out.count - 1] == '0')
        --out.count;
    return p;
}

} // namespace

SignificantDigits SignificantDigits::of(double value)
{
    if (!std::isfinite(value))
        throw Error(QStringLiteral("Overflow"), 6);
    SignificantDigits s;
    char text[40];
    // A normal double is told apart from its neighbours by any 15 digits
    // nearer than half a unit of the 15th; so when its shortest exact form
    // needs no more than 15, those are the 15 rounded ones too. Otherwise,
    // and below the normal range, the digits are rounded from the exact value.
    if (std::fabs(value) >= std::numeric_limits<double>::min()) {
        const char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
        readScientific(text, end, s);
        if (s.count <= 15)
            return s;
    }
    const char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14).ptr;
    readScientific(text, end, s);
    return s;
}

Decimal Decimal::fromDouble(double value)
{
    const SignificantDigits s = SignificantDigits::of(value);
    Decimal d;
    d.negative = s.negative;
    d.digits.assign(s.digits, std::size_t(s.count));
    d.exponent = s.exponent - (s.count - 1);
    normalise(d);
    return d;
}

Fixed Fixed::fromDouble(double value)
{
    const SignificantDigits s = SignificantDigits::of(value);
    Fixed f;
    for (int i = 0; i < s.count; ++i)
        f.magnitude = f.magnitude * 10 + std::uint64_t(s.digits[i] - '0');
    if (f.magnitude == 0)
        return Fixed{};
    f.negative = s.negative;
    f.scale = (s.count - 1) - s.exponent;
    return f;
}

Fixed Fixed::fromUnits(std::int64_t units, int scale)
{
    Fixed f;
    f.negative = units < 0;
    f.magnitude = f.negative ? (~std::uint64_t(units) + 1) : std::uint64_t(units);
    f.scale = f.magnitude == 0 ? 0 : scale;
    return f;
}

Decimal Fixed::toDecimal() const
{
    Decimal d;
    d.negative = negative;
    d.digits = std::to_string(magnitude);
    d.exponent = -scale;
    normalise(d);
    return d;
}

Decimal Decimal::fromUnits(std::int64_t units, int scale)
{
    Decimal d;
    d.negative = units < 0;
    // Through unsigned, so that the most negative count has a magnitude too.
    std::uint64_t magnitude = d.negative ? (~std::uint64_t(units) + 1) : std::uint64_t(units);
    d.digits = std::to_string(magnitude);
    d.exponent = -scale;
    normalise(d);
    return d;
}

std::string Decimal::scaled(int places, bool halvesToEven) const
{
    if (digits.empty())
        return "0";
    const long shift = long(exponent) + places;
    if (shift >= 0)
        return digits + std::string(std::size_t(shift), '0');

    std::string kept, rest;
    const long cut = long(digits.size()) + shift;   // digits kept
    if (cut <= 0) {
        rest = std::string(std::size_t(-cut), '0') + digits;
    } else {
        kept = digits.substr(0, std::size_t(cut));
        rest = digits.substr(std::size_t(cut));
    }
    bool up = false;
    if (rest[0] > '5') {
        up = true;
    } else if (rest[0] == '5') {
        const bool exactHalf = rest.find_first_not_of('0', 1) == std::string::npos;
        if (!exactHalf || !halvesToEven)
            up = true;
        else
            up = !kept.empty() && ((kept.back() - '0') % 2 == 1);
    }
    if (up) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[std::size_t(i)] == '9') kept[std::size_t(i--)] = '0';
        if (i < 0) kept.insert(kept.begin(), '1');
        else ++kept[std::size_t(i)];
    }
    std::size_t first = kept.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : kept.substr(first);
}

double Decimal::toDouble() const
{
    if (digits.empty())
        return 0.0;
    std::string text = (negative ? "-" : "") + digits + "e" + std::to_string(exponent);
    return std::strtod(text.c_str(), nullptr);
}

std::int64_t toScaledInteger(const Decimal& value, int places, bool halvesToEven)
{
    const std::string s = value.scaled(places, halvesToEven);
    const std::uint64_t limit = value.negative ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1
                                               : std::uint64_t(std::numeric_limits<std::int64_t>::max());
    if (s.size() > 19)
        throw Error(QStringLiteral("Overflow"), 6);
    std::uint64_t magnitude = 0;
    for (char c : s) {
        magnitude = magnitude * 10 + std::uint64_t(c - '0');
    }
    if (magnitude > limit)
        throw Error(QStringLiteral("Overflow"), 6);
    return value.negative ? std::int64_t(~magnitude + 1) : std::int64_t(magnitude);
}

std::optional<Decimal> parseAmount(const QString& input)
{
    QString text = input;
    int b = 0, e = int(text.size());
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    text = text.mid(b, e - b);
    if (text.isEmpty())
        return std::nullopt;

    bool negative = false;
    bool parenthesised = false;
    if (text.startsWith(u'(') && text.endsWith(u')') && text.size() >= 2) {
        parenthesised = true;
        text = text.mid(1, text.size() - 2);
    }

    const int n = int(text.size());
    int i = 0;
    auto skip = [&] { while (i < n && isBlank(text[i])) ++i; };

    bool sawSign = false, sawDollar = false;
    for (;;) {
        skip();
        if (i >= n) break;
        if (!sawSign && (text[i] == u'-' || text[i] == u'+')) {
            sawSign = true;
            negative = text[i] == u'-';
            ++i;
        } else if (!sawDollar && text[i] == u'$') {
            sawDollar = true;
            ++i;
        } else {
            break;
        }
    }

    Decimal d;
    std::string intDigits, fracDigits;
    while (i < n) {
        if (isAsciiDigit(text[i])) {
            intDigits += char(text[i].unicode());
            ++i;
        } else if (text[i] == u',' && !intDigits.empty()) {
            ++i;   // grouping is accepted wherever it stands between digits
        } else {
            break;
        }
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isAsciiDigit(text[i])) fracDigits += char(text[i++].unicode());
    }
    if (intDigits.empty() && fracDigits.empty())
        return std::nullopt;

    int exp10 = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) expNegative = text[j++] == u'-';
        if (j >= n || !isAsciiDigit(text[j]))
            return std::nullopt;
        long v = 0;
        while (j < n && isAsciiDigit(text[j])) {
            v = v * 10 + (text[j++].unicode() - u'0');
            if (v > 100000) return std::nullopt;
        }
        exp10 = int(expNegative ? -v : v);
        i = j;
    }

    // A sign or a currency sign may also stand behind the number.
    for (;;) {
        skip();
        if (i >= n) break;
        if (!sawSign && (text[i] == u'-' || text[i] == u'+')) {
            sawSign = true;
            negative = text[i] == u'-';
            ++i;
        } else if (!sawDollar && text[i] == u'$') {
            sawDollar = true;
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (parenthesised) {
        if (sawSign) return std::nullopt;
        negative = true;
    }

    d.negative = negative;
    d.digits = intDigits + fracDigits;
    d.exponent = exp10 - int(fracDigits.size());
    normalise(d);
    return d;
}

QString groupThousands(const std::string& integerDigits)
{
    QString out;
    const int n = int(integerDigits.size());
    for (int k = 0; k < n; ++k) {
        if (k > 0 && (n - k) % 3 == 0) out += u',';
        out += QChar(integerDigits[std::size_t(k)]);
    }
    return out;
}

} // namespace qv::detail
