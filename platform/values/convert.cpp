#include "platform/values/convert.h"
#include "platform/values/decimal.h"
#include "platform/values/error.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace qv {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

const detail::NumberPattern& currencyPattern()
{
    static const detail::NumberPattern pattern(QStringLiteral("\"$\"#,##0.00;(\"$\"#,##0.00)"));
    return pattern;
}

} // namespace

double leadingNumber(const QString& text)
{
    const int n = int(text.size());
    int i = 0;
    auto skip = [&] { while (i < n && isSkipped(text[i])) ++i; };

    std::string number;
    skip();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') number += '-';
        ++i;
    }

    bool anyDigit = false;
    int groupLength = 0;    // digits since the start or the last group comma
    bool grouped = false;
    for (;;) {
        skip();
        if (i >= n) break;
        const QChar c = text[i];
        if (isDigit(c)) {
            number += char(c.unicode());
            anyDigit = true;
            ++groupLength;
            ++i;
            continue;
        }
        // "1,250.00" is one amount: a comma counts only when exactly three
        // digits follow it and the group before it is a proper one.
        if (c == u',' && anyDigit && (grouped ? groupLength == 3 : groupLength <= 3)) {
            int j = i + 1, following = 0;
            while (j < n && following < 4) {
                if (isSkipped(text[j])) { ++j; continue; }
                if (!isDigit(text[j])) break;
                ++following;
                ++j;
            }
            if (following == 3) {
                grouped = true;
                groupLength = 0;
                ++i;
                continue;
            }
        }
        break;
    }

    if (i < n && text[i] == u'.') {
        number += '.';
        ++i;
        for (;;) {
            skip();
            if (i >= n || !isDigit(text[i])) break;
            number += char(text[i].unicode());
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit)
        return 0.0;

    skip();
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        auto skipJ = [&] { while (j < n && isSkipped(text[j])) ++j; };
        std::string exponent = "e";
        skipJ();
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            exponent += char(text[j].unicode());
            ++j;
        }
        bool expDigits = false;
        for (;;) {
            skipJ();
            if (j >= n || !isDigit(text[j])) break;
            exponent += char(text[j].unicode());
            expDigits = true;
            ++j;
        }
        if (expDigits) number += exponent;   // "1e" is just 1
    }

    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value))
        throw Error(QStringLiteral("Overflow"), 6);
    return value;
}

std::optional<Money> tryReadMoney(const QString& text)
{
    const auto amount = detail::parseAmount(text);
    if (!amount)
        return std::nullopt;
    return Money::fromUnits(detail::toScaledInteger(*amount, 4, true));
}

Money readMoney(const QString& text)
{
    const auto amount = detail::parseAmount(text);
    if (!amount)
        throw Error(QStringLiteral("Type mismatch"), 13);
    return Money::fromUnits(detail::toScaledInteger(*amount, 4, true));
}

QString plainText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        throw Error(QStringLiteral("Overflow"), 6);
    // As "%.15g" writes it, with the exponent as it is read back: 1E+20.
    const detail::SignificantDigits s = detail::SignificantDigits::of(value);
    char buf[40];
    int n = 0;
    if (s.negative)
        buf[n++] = '-';
    if (s.exponent < -4 || s.exponent >= 15) {
        buf[n++] = s.digits[0];
        if (s.count > 1) {
            buf[n++] = '.';
            for (int i = 1; i < s.count; ++i)
                buf[n++] = s.digits[i];
        }
        buf[n++] = 'E';
        buf[n++] = s.exponent < 0 ? '-' : '+';
        const int e = s.exponent < 0 ? -s.exponent : s.exponent;
        if (e >= 100)
            buf[n++] = char('0' + e / 100);
        buf[n++] = char('0' + e / 10 % 10);
        buf[n++] = char('0' + e % 10);
    } else if (s.exponent < 0) {
        buf[n++] = '0';
        buf[n++] = '.';
        for (int i = -1; i > s.exponent; --i)
            buf[n++] = '0';
        for (int i = 0; i < s.count; ++i)
            buf[n++] = s.digits[i];
    } else {
        for (int i = 0; i <= s.exponent; ++i)
            buf[n++] = i < s.count ? s.digits[i] : '0';
        if (s.count > s.exponent + 1) {
            buf[n++] = '.';
            for (int i = s.exponent + 1; i < s.count; ++i)
                buf[n++] = s.digits[i];
        }
    }
    return QString::fromLatin1(buf, n);
}

QString plainText(Money value)
{
    static const detail::NumberPattern plain(QStringLiteral("0.####"));
    return plain.write(detail::Fixed::fromUnits(value.units(), 4));
}

QString currencyText(Money value)
{
    return currencyPattern().write(detail::Fixed::fromUnits(value.units(), 4));
}

QString currencyText(double value)
{
    return currencyPattern().write(detail::Fixed::fromDouble(value));
}

} // namespace qv
