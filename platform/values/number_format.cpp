#include "platform/values/decimal.h"

#include <QStringList>

namespace qv::detail {

namespace {

struct Section {
    QString prefix, suffix;
    bool grouping = false;
    int minInteger = 0;
    int minFraction = 0;
    int maxFraction = 0;
};

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

QString write(const Section& s, const std::string& integerDigits, const std::string& fractionDigits)
{
    std::string integer = integerDigits;
    if (integer == "0") integer.clear();
    if (int(integer.size()) < s.minInteger)
        integer.insert(0, std::size_t(s.minInteger) - integer.size(), '0');
    std::string fraction = fractionDigits;
    while (int(fraction.size()) > s.minFraction && fraction.back() == '0') fraction.pop_back();

    QString out = s.prefix;
    out += s.grouping ? groupThousands(integer) : QString::fromStdString(integer);
    if (!fraction.empty()) {
        out += u'.';
        out += QString::fromStdString(fraction);
    }
    out += s.suffix;
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

QString formatNumberPattern(const Decimal& value, const QString& format)
{
    const QStringList parts = sections(format);
    const Section positive = parseSection(parts[0]);
    const bool negativeSection = parts.size() > 1 && !parts[1].isEmpty();

    auto render = [&](const Section& s, bool& zero) {
        std::string digits = value.scaled(s.maxFraction, false);
        zero = digits == "0";
        if (int(digits.size()) <= s.maxFraction)
            digits.insert(0, std::size_t(s.maxFraction) + 1 - digits.size(), '0');
        const std::size_t split = digits.size() - std::size_t(s.maxFraction);
        return write(s, digits.substr(0, split), digits.substr(split));
    };

    bool zero = false;
    if (!value.negative)
        return render(positive, zero);
    const QString shown = negativeSection ? render(parseSection(parts[1]), zero) : render(positive, zero);
    // What rounds to nothing is shown as nothing, without a sign: no "-0.00".
    if (zero)
        return render(positive, zero);
    return negativeSection ? shown : u'-' + shown;
}

} // namespace qv::detail
