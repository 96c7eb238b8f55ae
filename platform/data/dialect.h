#pragma once
// The query dialect the windows carry (Jet SQL and the data-shaping grammar)
// and its translation into SQLite at the edge of the data layer.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace qv::sql {

enum class TokenKind { Word, Number, String, Name, Date, Punct, Braced };

struct Token {
    TokenKind kind;
    QString text;   // Word/Number/Punct: as written; String: the value; Name: inside the brackets;
                    // Date: inside the # signs; Braced: inside the braces
    bool is(const char* word) const;   // a Word equal to word, case ignored
    bool isPunct(const char* p) const { return kind == TokenKind::Punct && text == QLatin1String(p); }
};

// Splits a query text into tokens; run-together words ("SELECT*FROM",
// ")As [Totals]FROM") come apart here. Throws qv::Error for an unclosed
// quote, bracket, brace or date sign.
QList<Token> tokenize(const QString& text);

// A table or field name as SQLite reads it: in double quotes, inner ones doubled.
QString quoteName(const QString& name);

// The stored form of a date and time: "YYYY-MM-DD HH:MM:SS", a time of day
// alone lying on 1899-12-30. Text in this form sorts and compares like the
// moments it names.
QString canonicalDateTime(const QDateTime& value);
// Reads the stored form back; an invalid QDateTime when the text is not one.
QDateTime parseCanonicalDateTime(const char* text, int length);

// A Jet date literal's inside ("6/7/2001", "6/7/2001 10:30:00 AM", "9:00 AM")
// in stored form; throws qv::Error when it names no date.
QString dateLiteral(const QString& inside);

// Turns a Jet LIKE pattern ("*" any run, "?" one character) into a SQLite
// one; sets needsEscape when "%", "_" or "\" had to be escaped with "\".
QString likePattern(const QString& jet, bool* needsEscape);

// The SQLite text of a query in the windows' dialect: bracketed names, date
// literals between "#" signs, double-quoted strings, "*"/"?" wildcards after
// LIKE, run-together tokens.
QString translate(const QString& jetSql);
QString translate(const QList<Token>& tokens);

// A SELECT of plain fields (or "*") from one table, optionally with WHERE and
// ORDER BY: the only queries whose rows can be written back.
struct SimpleSelect {
    bool ok = false;
    QString table;
    bool star = false;
    QStringList columns;        // the field names, when not "*"
    QList<Token> selectList;    // tokens between SELECT and FROM
    QList<Token> rest;          // tokens after the table name
    QString whereText;          // translated WHERE clause ("" when none)
    bool hasOrder = false;
};
SimpleSelect parseSimpleSelect(const QList<Token>& tokens);
// The same query with the table's rowid as the first column.
QString withRowid(const SimpleSelect& select);

// Data-shaping commands.
struct ShapeRelation {
    QString parentField;
    QString childField;
};
struct ShapeAppend {
    QString childSql;            // the child command, in the windows' dialect
    QString name;                // the chapter field's name
    QList<ShapeRelation> relations;
};
struct ShapeAggregate {
    QString function;            // AVG, SUM, COUNT, MIN, MAX (upper case)
    QString field;
    QString name;
};
struct ShapeCommand {
    QString parentSql;           // the inner command, in the windows' dialect
    QString alias;               // AS name of the inner command
    QList<ShapeAppend> appends;  // SHAPE ... APPEND
    bool compute = false;        // SHAPE ... COMPUTE ... BY
    QString computeChapter;      // the chapter field of each group ("" when not listed)
    QList<ShapeAggregate> aggregates;
    QStringList by;
};
bool isShape(const QString& text);
// Throws qv::Error with a clear text for a command it cannot read.
ShapeCommand parseShape(const QString& text);

} // namespace qv::sql
