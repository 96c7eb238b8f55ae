#pragma once
// Display formats read once and kept: a grid, a report or a row of bound
// boxes shows many values in the same few formats.
#include "platform/values/decimal.h"
#include <QDateTime>
#include <QHashFunctions>
#include <QString>
#include <unordered_map>
#include <vector>

namespace qv::detail {

// A date format of letters, or a named one ("Short Date", "Long Date",
// "Long Time"); not the general format, which depends on the value.
class DatePattern {
public:
    explicit DatePattern(const QString& format);
    QString write(const QDateTime& value) const;

    struct Token {
        enum Kind { Literal, Day, Month, Year, Hour, Minute, Second, AmPm } kind;
        int count = 0;
        QString text;   // literal text, or the AM/PM spelling
    };

private:
    std::vector<Token> m_tokens;
    bool m_twelveHour = false;
    int m_sizeHint = 0;
};

// The general date format: a time alone, a date alone, or both.
QString writeGeneralDate(const QDateTime& value);

// The pattern for a format text, read the first time the text is met on this
// thread and kept. The reference holds until the next call.
template <class Pattern>
const Pattern& cachedPattern(const QString& format)
{
    struct Hash {
        std::size_t operator()(const QString& s) const noexcept { return qHash(s); }
    };
    struct Cache {
        std::unordered_map<QString, Pattern, Hash> patterns;
        // The last text met; callers mostly pass the same shared text again.
        QString lastText;
        const Pattern* last = nullptr;
    };
    thread_local Cache cache;
    if (cache.last && format.constData() == cache.lastText.constData() && format.size() == cache.lastText.size())
        return *cache.last;
    auto it = cache.patterns.find(format);
    if (it == cache.patterns.end()) {
        // Formats are a handful of fixed texts; texts made at run time must
        // not make the cache grow without end.
        if (cache.patterns.size() >= 256) {
            cache.last = nullptr;
            cache.patterns.clear();
        }
        it = cache.patterns.try_emplace(format, format).first;
    }
    cache.lastText = format;
    cache.last = &it->second;
    return it->second;
}

} // namespace qv::detail
