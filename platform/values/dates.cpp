#include "platform/values/clock.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"
#include "platform/values/patterns.h"

#include <QRegularExpression>
#include <cmath>
#include <vector>

namespace qv {

namespace {

const char* const kMonths[] = {"January", "February", "March", "April", "May", "June",
                               "July", "August", "September", "October", "November", "December"};
const char* const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

constexpr qint64 kMsPerDay = 86400000;

// ---- reading -------------------------------------------------------------

const QString kMonthWords = QStringLiteral(
    "(january|february|march|april|may|june|july|august|september|october|november|december"
    "|jan|feb|mar|apr|jun|jul|aug|sept|sep|oct|nov|dec)");
const QString kWeekdayWords = QStringLiteral(
    "(?:monday|tuesday|wednesday|thursday|friday|saturday|sunday"
    "|mon|tues|tue|wed|thurs|thur|thu|fri|sat|sun)");

int monthOfWord(const QString& word)
{
    const QString w = word.toLower();
    for (int m = 0; m < 12; ++m)
        if (QString::fromLatin1(kMonths[m]).toLower().startsWith(w.left(3)))
            return m + 1;
    return 0;
}

// Two-digit years 00-29 are 20xx, 30-99 are 19xx; a missing year is this one.
std::optional<int> yearOf(const QString& digits)
{
    if (digits.isEmpty())
        return Clock::today().year();
    const int y = digits.toInt();
    if (digits.size() <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    if (y < 100)
        return std::nullopt;
    return y;
}

struct DatePart {
    QDate date;
    int length = 0;   // characters of the text it took
};

std::optional<DatePart> readDatePart(const QString& s)
{
    using RE = QRegularExpression;
    static const RE iso(QStringLiteral("^(\\d{4})([-/])(\\d{1,2})\\2(\\d{1,2})(?!\\d)"));
    static const RE numeric(QStringLiteral("^(\\d{1,2})([-/])(\\d{1,2})(?:\\2(\\d{1,4}))?(?![\\d/-])"));
    static const RE monthFirst(
        QStringLiteral("^(?:") + kWeekdayWords + QStringLiteral("\\.?,?\\s+)?") + kMonthWords
            + QStringLiteral("\\.?\\s*(\\d{1,2})(?!\\d)(?:(?:\\s*,\\s*|\\s+)(\\d{1,4})(?![\\d:]))?"),
        RE::CaseInsensitiveOption);
    static const RE dayFirst(
        QStringLiteral("^(\\d{1,2})[\\s-]*") + kMonthWords
            + QStringLiteral("\\b\\.?(?:(?:\\s*,\\s*|[\\s-]+)(\\d{1,4})(?![\\d:]))?"),
        RE::CaseInsensitiveOption);

    int year = 0, month = 0, day = 0, length = 0;
    QRegularExpressionMatch m;
    if ((m = iso.match(s)).hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(3).toInt();
        day = m.captured(4).toInt();
        if (year < 100) return std::nullopt;
    } else if ((m = numeric.match(s)).hasMatch()) {
        const auto y = yearOf(m.captured(4));
        if (!y) return std::nullopt;
        year = *y;
        month = m.captured(1).toInt();
        day = m.captured(3).toInt();
    } else if ((m = monthFirst.match(s)).hasMatch()) {
        const auto y = yearOf(m.captured(3));
        if (!y) return std::nullopt;
        year = *y;
        month = monthOfWord(m.captured(1));
        day = m.captured(2).toInt();
    } else if ((m = dayFirst.match(s)).hasMatch()) {
        const auto y = yearOf(m.captured(3));
        if (!y) return std::nullopt;
        year = *y;
        month = monthOfWord(m.captured(2));
        day = m.captured(1).toInt();
    } else {
        return std::nullopt;
    }
    length = int(m.capturedLength(0));
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return DatePart{date, length};
}

std::optional<QTime> readTimePart(const QString& s)
{
    static const QRegularExpression time(
        QStringLiteral("^(\\d{1,2})(?::(\\d{1,2})(?::(\\d{1,2})(?:\\.(\\d{1,3}))?)?)?\\s*(am|pm)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = time.match(s);
    if (!m.hasMatch())
        return std::nullopt;
    const bool hasMinutes = m.capturedLength(2) > 0;
    const QString marker = m.captured(5).toLower();
    if (!hasMinutes && marker.isEmpty())
        return std::nullopt;   // a bare number is no time
    int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    const int second = m.captured(3).toInt();
    const int ms = m.captured(4).isEmpty() ? 0 : m.captured(4).leftJustified(3, u'0').toInt();
    if (!marker.isEmpty()) {
        if (hour > 12) return std::nullopt;
        if (marker == u"am" && hour == 12) hour = 0;
        if (marker == u"pm" && hour < 12) hour += 12;
    }
    const QTime t(hour, minute, second, ms);
    if (!t.isValid())
        return std::nullopt;
    return t;
}

// ---- writing -------------------------------------------------------------

using Token = detail::DatePattern::Token;

std::vector<Token> tokenize(const QString& f)
{
    std::vector<Token> out;
    auto literal = [&](const QString& t) {
        if (!out.empty() && out.back().kind == Token::Literal) out.back().text += t;
        else out.push_back({Token::Literal, 0, t});
    };
    for (int i = 0; i < f.size();) {
        const QChar c = f[i];
        const QChar lower = c.toLower();
        if (c == u'"') {
            int end = f.indexOf(u'"', i + 1);
            if (end < 0) end = int(f.size());
            literal(f.mid(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == u'\\') {
            if (i + 1 < f.size()) literal(QString(f[i + 1]));
            i += 2;
        } else if (f.mid(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0) {
            out.push_back({Token::AmPm, 5, f.mid(i, 5)});
            i += 5;
        } else if (f.mid(i, 4).compare(u"ampm", Qt::CaseInsensitive) == 0) {
            out.push_back({Token::AmPm, 4, QStringLiteral("AM/PM")});
            i += 4;
        } else if (f.mid(i, 3).compare(u"a/p", Qt::CaseInsensitive) == 0) {
            out.push_back({Token::AmPm, 3, f.mid(i, 3)});
            i += 3;
        } else if (lower == u'd' || lower == u'm' || lower == u'y' || lower == u'h' || lower == u'n'
                   || lower == u's') {
            int j = i;
            while (j < f.size() && f[j].toLower() == lower) ++j;
            const int count = j - i;
            Token::Kind kind = lower == u'd'   ? Token::Day
                               : lower == u'm' ? Token::Month
                               : lower == u'y' ? Token::Year
                               : lower == u'h' ? Token::Hour
                               : lower == u'n' ? Token::Minute
                                               : Token::Second;
            out.push_back({kind, count, QString()});
            i = j;
        } else {
            literal(QString(c));
            ++i;
        }
    }
    // "m" and "mm" are minutes right after an hour or right before seconds.
    for (std::size_t k = 0; k < out.size(); ++k) {
        if (out[k].kind != Token::Month || out[k].count > 2) continue;
        const Token* prev = nullptr;
        const Token* next = nullptr;
        for (std::size_t p = k; p-- > 0;)
            if (out[p].kind != Token::Literal) { prev = &out[p]; break; }
        for (std::size_t q = k + 1; q < out.size(); ++q)
            if (out[q].kind != Token::Literal) { next = &out[q]; break; }
        if ((prev && prev->kind == Token::Hour) || (next && next->kind == Token::Second))
            out[k].kind = Token::Minute;
    }
    return out;
}

// The decimal digits of v, with a minus in front when it is negative.
void appendNumber(QString& out, int v)
{
    char buf[12];
    int k = 12;
    unsigned magnitude = v < 0 ? 0u - unsigned(v) : unsigned(v);
    do {
        buf[--k] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (v < 0)
        buf[--k] = '-';
    out += QLatin1String(buf + k, 12 - k);
}

// At least two digits: 07. A negative number has two characters already.
void appendTwoDigits(QString& out, int v)
{
    if (v >= 0 && v < 10)
        out += u'0';
    appendNumber(out, v);
}

QString namedPattern(const QString& format)
{
    if (format.compare(u"Short Date", Qt::CaseInsensitive) == 0) return QStringLiteral("m/d/yyyy");
    if (format.compare(u"Long Date", Qt::CaseInsensitive) == 0) return QStringLiteral("dddd, mmmm dd, yyyy");
    if (format.compare(u"Long Time", Qt::CaseInsensitive) == 0) return QStringLiteral("h:nn:ss AM/PM");
    return format;
}

} // namespace

QDate dayZero()
{
    return QDate(1899, 12, 30);
}

std::optional<QDateTime> readDateTime(const QString& text)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    if (const auto datePart = readDatePart(s)) {
        QString rest = s.mid(datePart->length);
        if (rest.isEmpty())
            return QDateTime(datePart->date, QTime(0, 0));
        if (rest.startsWith(u'T') || rest.startsWith(u't'))
            rest = rest.mid(1);
        else if (!rest[0].isSpace() && rest[0] != u',')
            return std::nullopt;
        if (rest.startsWith(u','))
            rest = rest.mid(1);
        const auto time = readTimePart(rest.trimmed());
        if (!time)
            return std::nullopt;
        return QDateTime(datePart->date, *time);
    }
    if (const auto time = readTimePart(s))
        return QDateTime(dayZero(), *time);
    return std::nullopt;
}

QDateTime readDateTimeOrThrow(const QString& text)
{
    const auto value = readDateTime(text);
    if (!value)
        throw Error(QStringLiteral("Type mismatch"), 13);
    return *value;
}

double dateSerial(const QDateTime& value)
{
    const double days = double(dayZero().daysTo(value.date()));
    const double fraction = double(value.time().msecsSinceStartOfDay()) / double(kMsPerDay);
    // Before day zero the fraction still counts forward from midnight.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromDateSerial(double serial)
{
    // The years 100 to 9999.
    if (!std::isfinite(serial) || serial < -657434.0 || serial >= 2958466.0)
        throw Error(QStringLiteral("Overflow"), 6);
    double whole = std::trunc(serial);
    qint64 ms = std::llround(std::fabs(serial - whole) * double(kMsPerDay));
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        whole += serial >= 0 ? 1 : -1;
    }
    return QDateTime(dayZero().addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

namespace detail {

DatePattern::DatePattern(const QString& format)
    : m_tokens(tokenize(namedPattern(format)))
{
    for (const Token& t : m_tokens) {
        if (t.kind == Token::AmPm) m_twelveHour = true;
        m_sizeHint += t.kind == Token::Literal ? int(t.text.size()) : 9;
    }
}

QString DatePattern::write(const QDateTime& value) const
{
    const QDate date = value.date();
    const QTime time = value.time();
    QString out;
    out.reserve(m_sizeHint);
    for (const Token& t : m_tokens) {
        switch (t.kind) {
        case Token::Literal:
            out += t.text;
            break;
        case Token::Day:
            if (t.count == 1) appendNumber(out, date.day());
            else if (t.count == 2) appendTwoDigits(out, date.day());
            else if (t.count == 3) out += QLatin1String(kWeekdays[date.dayOfWeek() - 1], 3);
            else out += QLatin1String(kWeekdays[date.dayOfWeek() - 1]);
            break;
        case Token::Month:
            if (t.count == 1) appendNumber(out, date.month());
            else if (t.count == 2) appendTwoDigits(out, date.month());
            else if (t.count == 3) out += QLatin1String(kMonths[date.month() - 1], 3);
            else out += QLatin1String(kMonths[date.month() - 1]);
            break;
        case Token::Year:
            if (t.count == 1) appendNumber(out, date.dayOfYear());
            else if (t.count == 2) appendTwoDigits(out, date.year() % 100);
            else appendNumber(out, date.year());
            break;
        case Token::Hour: {
            int h = time.hour();
            if (m_twelveHour) {
                h %= 12;
                if (h == 0) h = 12;
            }
            if (t.count == 1) appendNumber(out, h);
            else appendTwoDigits(out, h);
            break;
        }
        case Token::Minute:
            if (t.count == 1) appendNumber(out, time.minute());
            else appendTwoDigits(out, time.minute());
            break;
        case Token::Second:
            if (t.count == 1) appendNumber(out, time.second());
            else appendTwoDigits(out, time.second());
            break;
        case Token::AmPm: {
            const bool pm = time.hour() >= 12;
            const bool upper = t.text[0].isUpper();
            if (t.count == 3) out += QChar(pm ? (upper ? u'P' : u'p') : (upper ? u'A' : u'a'));
            else out += pm ? (upper ? QLatin1String("PM") : QLatin1String("pm")) : (upper ? QLatin1String("AM") : QLatin1String("am"));
            break;
        }
        }
    }
    return out;
}

QString writeGeneralDate(const QDateTime& value)
{
    static const DatePattern timeOnly(QStringLiteral("h:nn:ss AM/PM"));
    static const DatePattern dateOnly(QStringLiteral("m/d/yyyy"));
    static const DatePattern both(QStringLiteral("m/d/yyyy h:nn:ss AM/PM"));
    // Day zero holds times of day alone, midnight included: "12:00:00 AM".
    if (value.date() == dayZero())
        return timeOnly.write(value);
    if (value.time() == QTime(0, 0))
        return dateOnly.write(value);
    return both.write(value);
}

} // namespace detail

QString formatDateTime(const QDateTime& value, const QString& format)
{
    if (format.isEmpty() || format.compare(u"General Date", Qt::CaseInsensitive) == 0)
        return detail::writeGeneralDate(value);
    return detail::cachedPattern<detail::DatePattern>(format).write(value);
}

} // namespace qv
