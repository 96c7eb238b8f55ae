#include "platform/data/dialect.h"

#include "platform/values/convert.h"
#include "platform/values/error.h"

#include <QSet>

namespace qv::sql {

bool Token::is(const char* word) const
{
    return kind == TokenKind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

[[noreturn]] void syntaxError(const QString& what, const QString& text)
{
    throw qv::Error(QStringLiteral("Syntax error in query: %1 in '%2'.").arg(what, text));
}

QString quoteString(const QString& value)
{
    QString out = value;
    out.replace(u'\'', QStringLiteral("''"));
    return u'\'' + out + u'\'';
}

} // namespace

QString quoteName(const QString& name)
{
    QString out = name;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QList<Token> tokenize(const QString& text)
{
    QList<Token> out;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == u'{') {
            int depth = 1, j = i + 1;
            QChar quote;
            for (; j < n && depth > 0; ++j) {
                const QChar d = text.at(j);
                if (!quote.isNull()) {
                    if (d == quote)
                        quote = QChar();
                } else if (d == u'\'' || d == u'"') {
                    quote = d;
                } else if (d == u'{') {
                    ++depth;
                } else if (d == u'}') {
                    --depth;
                }
            }
            if (depth > 0)
                syntaxError(QStringLiteral("missing '}'"), text);
            out.append({TokenKind::Braced, text.mid(i + 1, j - i - 2)});
            i = j;
            continue;
        }
        if (c == u'[') {
            const int end = int(text.indexOf(u']', i + 1));
            if (end < 0)
                syntaxError(QStringLiteral("missing ']'"), text);
            out.append({TokenKind::Name, text.mid(i + 1, end - i - 1)});
            i = end + 1;
            continue;
        }
        if (c == u'\'' || c == u'"') {
            QString value;
            int j = i + 1;
            bool closed = false;
            while (j < n) {
                if (text.at(j) == c) {
                    if (j + 1 < n && text.at(j + 1) == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                value += text.at(j++);
            }
            if (!closed)
                syntaxError(QStringLiteral("unclosed quote"), text);
            out.append({TokenKind::String, value});
            i = j;
            continue;
        }
        if (c == u'#') {
            const int end = int(text.indexOf(u'#', i + 1));
            if (end < 0)
                syntaxError(QStringLiteral("missing '#' after a date"), text);
            out.append({TokenKind::Date, text.mid(i + 1, end - i - 1)});
            i = end + 1;
            continue;
        }
        if (c.isDigit() || (c == u'.' && i + 1 < n && text.at(i + 1).isDigit())) {
            int j = i;
            while (j < n && (text.at(j).isDigit() || text.at(j) == u'.'))
                ++j;
            if (j < n && (text.at(j) == u'e' || text.at(j) == u'E')) {
                int k = j + 1;
                if (k < n && (text.at(k) == u'+' || text.at(k) == u'-'))
                    ++k;
                if (k < n && text.at(k).isDigit()) {
                    j = k;
                    while (j < n && text.at(j).isDigit())
                        ++j;
                }
            }
            out.append({TokenKind::Number, text.mid(i, j - i)});
            i = j;
            continue;
        }
        if (isWordStart(c)) {
            int j = i + 1;
            while (j < n && isWordChar(text.at(j)))
                ++j;
            out.append({TokenKind::Word, text.mid(i, j - i)});
            i = j;
            continue;
        }
        static const char* const twoChar[] = {"<=", ">=", "<>", "!=", "||", "=="};
        bool matched = false;
        if (i + 1 < n) {
            const QString two = text.mid(i, 2);
            for (const char* op : twoChar) {
                if (two == QLatin1String(op)) {
                    out.append({TokenKind::Punct, two});
                    i += 2;
                    matched = true;
                    break;
                }
            }
        }
        if (matched)
            continue;
        out.append({TokenKind::Punct, QString(c)});
        ++i;
    }
    return out;
}

QString canonicalDateTime(const QDateTime& value)
{
    const QDate d = value.date();
    const QTime t = value.time();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(),
                             t.isValid() ? t.hour() : 0, t.isValid() ? t.minute() : 0,
                             t.isValid() ? t.second() : 0);
}

QDateTime parseCanonicalDateTime(const char* s, int n)
{
    auto digits = [s](int from, int count, int& out) {
        int v = 0;
        for (int k = from; k < from + count; ++k) {
            if (s[k] < '0' || s[k] > '9')
                return false;
            v = v * 10 + (s[k] - '0');
        }
        out = v;
        return true;
    };
    int y, mo, d, h = 0, mi = 0, se = 0;
    if (n < 10 || s[4] != '-' || s[7] != '-' || !digits(0, 4, y) || !digits(5, 2, mo) || !digits(8, 2, d))
        return QDateTime();
    if (n >= 19) {
        if ((s[10] != ' ' && s[10] != 'T') || s[13] != ':' || s[16] != ':' || !digits(11, 2, h)
            || !digits(14, 2, mi) || !digits(17, 2, se))
            return QDateTime();
    } else if (n != 10) {
        return QDateTime();
    }
    const QDate date(y, mo, d);
    const QTime time(h, mi, se);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

QString dateLiteral(const QString& inside)
{
    const std::optional<QDateTime> value = qv::readDateTime(inside.trimmed());
    if (!value || !value->isValid())
        throw qv::Error(QStringLiteral("Syntax error in date in query expression '#%1#'.").arg(inside));
    return canonicalDateTime(*value);
}

QString likePattern(const QString& jet, bool* needsEscape)
{
    QString out;
    out.reserve(jet.size() + 4);
    bool escaped = false;
    for (const QChar c : jet) {
        if (c == u'*') {
            out += u'%';
        } else if (c == u'?') {
            out += u'_';
        } else if (c == u'%' || c == u'_' || c == u'\\') {
            out += u'\\';
            out += c;
            escaped = true;
        } else {
            out += c;
        }
    }
    if (needsEscape)
        *needsEscape = escaped;
    return out;
}

// Jet groups text ignoring the case of every letter, SQLite's NOCASE only
// that of A-Z: each term of a GROUP BY goes through the connection's
// qv_fold(), so "José" and "JOSÉ" fall into one group.
namespace {

struct GroupTerms {
    QSet<int> opens, closes;   // token indices a term starts at / ends at
};

GroupTerms groupByTerms(const QList<Token>& tokens)
{
    GroupTerms g;
    for (int i = 0; i + 1 < tokens.size(); ++i) {
        if (!tokens.at(i).is("GROUP") || !tokens.at(i + 1).is("BY"))
            continue;
        int depth = 0;
        int start = i + 2;
        int j = start;
        for (; j < tokens.size(); ++j) {
            const Token& t = tokens.at(j);
            if (t.isPunct("("))
                ++depth;
            else if (t.isPunct(")") && --depth < 0)
                break;
            if (depth > 0)
                continue;
            if (t.isPunct(";") || t.is("HAVING") || t.is("ORDER") || t.is("UNION") || t.is("LIMIT"))
                break;
            if (t.isPunct(",")) {
                if (j > start) {
                    g.opens.insert(start);
                    g.closes.insert(j - 1);
                }
                start = j + 1;
            }
        }
        if (j > start) {
            g.opens.insert(start);
            g.closes.insert(j - 1);
        }
        i = j;
    }
    return g;
}

} // namespace

QString translate(const QList<Token>& tokens)
{
    QString out;
    const Token* prev = nullptr;
    const GroupTerms group = groupByTerms(tokens);
    for (int i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens.at(i);
        QString piece;
        bool likeEscape = false;
        switch (t.kind) {
        case TokenKind::Word:
        case TokenKind::Number:
            piece = t.text;
            break;
        case TokenKind::Punct:
            piece = t.text == QLatin1String("==") ? QStringLiteral("=") : t.text;
            break;
        case TokenKind::Name: {
            // "[Table.Field]" names a table's field, as the windows write it.
            const QStringList parts = t.text.split(u'.');
            QStringList quoted;
            for (const QString& p : parts)
                quoted << quoteName(p.trimmed());
            piece = quoted.join(u'.');
            break;
        }
        case TokenKind::String:
            if (prev && prev->is("LIKE"))
                piece = quoteString(likePattern(t.text, &likeEscape));
            else
                piece = quoteString(t.text);
            break;
        case TokenKind::Date:
            piece = quoteString(dateLiteral(t.text));
            break;
        case TokenKind::Braced:
            syntaxError(QStringLiteral("unexpected '{'"), t.text);
        }
        const bool glue = prev && (t.isPunct(".") || prev->isPunct("."));
        if (!out.isEmpty() && !glue)
            out += u' ';
        if (group.opens.contains(i))
            out += QStringLiteral("qv_fold(");
        out += piece;
        if (likeEscape)
            out += QStringLiteral(" ESCAPE '\\'");
        if (group.closes.contains(i))
            out += u')';
        prev = &t;
    }
    return out;
}

QString translate(const QString& jetSql)
{
    return translate(tokenize(jetSql));
}

SimpleSelect parseSimpleSelect(const QList<Token>& tokens)
{
    SimpleSelect s;
    int n = int(tokens.size());
    while (n > 0 && tokens.at(n - 1).isPunct(";"))
        --n;
    if (n < 4 || !tokens.at(0).is("SELECT"))
        return s;
    int from = -1;
    for (int i = 1; i < n; ++i) {
        if (tokens.at(i).is("FROM")) {
            from = i;
            break;
        }
    }
    if (from < 2 || from + 1 >= n)
        return s;
    // The select list: "*" or plain (optionally qualified) field names.
    const QList<Token> list = tokens.mid(1, from - 1);
    if (list.size() == 1 && list.at(0).isPunct("*")) {
        s.star = true;
    } else {
        int i = 0;
        while (i < list.size()) {
            const Token& a = list.at(i);
            if (a.kind != TokenKind::Word && a.kind != TokenKind::Name)
                return s;
            if (a.is("DISTINCT") || a.is("TOP") || a.is("ALL"))
                return s;
            QString name = a.text;
            ++i;
            if (i + 1 < list.size() && list.at(i).isPunct(".")) {
                const Token& b = list.at(i + 1);
                if (b.kind != TokenKind::Word && b.kind != TokenKind::Name)
                    return s;
                name = b.text;
                i += 2;
            } else if (a.kind == TokenKind::Name && a.text.contains(u'.')) {
                name = a.text.section(u'.', -1).trimmed();
            }
            s.columns << name;
            if (i < list.size()) {
                if (!list.at(i).isPunct(","))
                    return s;
                ++i;
                if (i == list.size())
                    return s;
            }
        }
    }
    const Token& table = tokens.at(from + 1);
    if (table.kind != TokenKind::Word && table.kind != TokenKind::Name)
        return s;
    if (table.kind == TokenKind::Name && table.text.contains(u'.'))
        return s;
    const QList<Token> rest = tokens.mid(from + 2, n - from - 2);
    if (!rest.isEmpty() && !rest.at(0).is("WHERE") && !rest.at(0).is("ORDER"))
        return s;
    int orderAt = -1;
    int depth = 0;
    for (int i = 0; i < rest.size(); ++i) {
        const Token& t = rest.at(i);
        if (t.isPunct("("))
            ++depth;
        else if (t.isPunct(")"))
            --depth;
        if (t.is("GROUP") || t.is("HAVING") || t.is("UNION") || t.is("JOIN") || t.is("LIMIT"))
            return s;
        if (depth == 0 && t.is("ORDER") && orderAt < 0)
            orderAt = i;
        if (t.is("SELECT"))
            return s;   // a subquery: keep it read-only
    }
    s.table = table.text;
    s.selectList = list;
    s.rest = rest;
    s.hasOrder = orderAt >= 0;
    if (!rest.isEmpty() && rest.at(0).is("WHERE"))
        s.whereText = translate(rest.mid(1, (orderAt < 0 ? rest.size() : orderAt) - 1));
    s.ok = true;
    return s;
}

QString withRowid(const SimpleSelect& s)
{
    QString out = QStringLiteral("SELECT ") + quoteName(s.table) + QStringLiteral(".rowid, ")
                  + translate(s.selectList) + QStringLiteral(" FROM ") + quoteName(s.table);
    if (!s.rest.isEmpty())
        out += u' ' + translate(s.rest);
    return out;
}

// ---- data shaping ----------------------------------------------------------

bool isShape(const QString& text)
{
    const QString t = text.trimmed();
    return t.startsWith(QLatin1String("SHAPE"), Qt::CaseInsensitive)
           && (t.size() == 5 || !isWordChar(t.at(5)));
}

namespace {

class ShapeReader {
public:
    ShapeReader(const QString& text) : m_text(text), m_tokens(tokenize(text)) {}

    ShapeCommand read()
    {
        ShapeCommand cmd;
        expectWord("SHAPE");
        cmd.parentSql = expectBraced();
        if (acceptWord("AS"))
            cmd.alias = name();
        if (acceptWord("APPEND")) {
            do {
                cmd.appends.append(readAppend());
            } while (acceptPunct(","));
        } else if (acceptWord("COMPUTE")) {
            cmd.compute = true;
            do {
                readComputeItem(cmd);
            } while (acceptPunct(","));
            expectWord("BY");
            do {
                cmd.by << name();
            } while (acceptPunct(","));
        }
        if (m_pos < m_tokens.size())
            fail(QStringLiteral("unexpected text after the command"));
        return cmd;
    }

private:
    ShapeAppend readAppend()
    {
        ShapeAppend a;
        expectPunct("(");
        a.childSql = expectBraced();
        if (acceptWord("AS"))
            name();
        expectWord("RELATE");
        do {
            ShapeRelation r;
            r.parentField = name();
            expectWord("TO");
            r.childField = name();
            a.relations.append(r);
        } while (acceptPunct(","));
        expectPunct(")");
        a.name = acceptWord("AS") ? name() : QStringLiteral("Chapter1");
        return a;
    }

    void readComputeItem(ShapeCommand& cmd)
    {
        const Token& t = peek();
        if (t.kind == TokenKind::Word && m_pos + 1 < m_tokens.size() && m_tokens.at(m_pos + 1).isPunct("(")) {
            ShapeAggregate agg;
            agg.function = t.text.toUpper();
            static const QStringList known = {"AVG", "SUM", "COUNT", "MIN", "MAX"};
            if (!known.contains(agg.function))
                fail(QStringLiteral("the function %1 is not supported").arg(t.text));
            m_pos += 2;
            QString field = name();
            if (acceptPunct("."))
                field = name();
            else if (field.contains(u'.'))
                field = field.section(u'.', -1);
            agg.field = field;
            expectPunct(")");
            agg.name = acceptWord("AS") ? name() : agg.field;
            cmd.aggregates.append(agg);
            return;
        }
        const QString chapter = name();
        if (!cmd.alias.isEmpty() && chapter.compare(cmd.alias, Qt::CaseInsensitive) != 0)
            fail(QStringLiteral("'%1' is not the name of the inner command").arg(chapter));
        cmd.computeChapter = chapter;
    }

    const Token& peek()
    {
        if (m_pos >= m_tokens.size())
            fail(QStringLiteral("the command ends too early"));
        return m_tokens.at(m_pos);
    }
    QString name()
    {
        const Token& t = peek();
        if (t.kind != TokenKind::Word && t.kind != TokenKind::Name)
            fail(QStringLiteral("a name was expected"));
        ++m_pos;
        return t.text;
    }
    QString expectBraced()
    {
        const Token& t = peek();
        if (t.kind != TokenKind::Braced)
            fail(QStringLiteral("'{' was expected"));
        ++m_pos;
        return t.text.trimmed();
    }
    void expectWord(const char* w)
    {
        if (!acceptWord(w))
            fail(QStringLiteral("'%1' was expected").arg(QLatin1String(w)));
    }
    bool acceptWord(const char* w)
    {
        if (m_pos < m_tokens.size() && m_tokens.at(m_pos).is(w)) {
            ++m_pos;
            return true;
        }
        return false;
    }
    void expectPunct(const char* p)
    {
        if (!acceptPunct(p))
            fail(QStringLiteral("'%1' was expected").arg(QLatin1String(p)));
    }
    bool acceptPunct(const char* p)
    {
        if (m_pos < m_tokens.size() && m_tokens.at(m_pos).isPunct(p)) {
            ++m_pos;
            return true;
        }
        return false;
    }
    [[noreturn]] void fail(const QString& why)
    {
        throw qv::Error(QStringLiteral("Syntax error in shape command: %1 in '%2'.").arg(why, m_text));
    }

    QString m_text;
    QList<Token> m_tokens;
    int m_pos = 0;
};

} // namespace

ShapeCommand parseShape(const QString& text)
{
    return ShapeReader(text).read();
}

} // namespace qv::sql
