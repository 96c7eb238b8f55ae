#pragma once
// Conversions between the texts that boxes hold and numbers, in one fixed
// reference locale (en-US: "." decimal, "," grouping, "$" before the amount),
// so that every machine computes the same figures from the same texts.
#include "platform/values/money.h"
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace qv {

// Reads a decimal number from the start of the text: blanks, tabs and line
// feeds are skipped wherever they stand, then an optional sign, digits with at
// most one "." and an optional exponent. Stops at the first other character.
// No number at the start reads 0. Digits grouped by "," in threes before the
// decimal point are read whole ("1,250.00" reads 1250). "$45.00" reads 0.
// A number beyond a double throws qv::Error ("Overflow").
double leadingNumber(const QString& text);

// Reads a money amount (currency sign, grouping, sign and parentheses
// accepted) into four decimals, halves to even. Throws qv::Error ("Type
// mismatch") for an empty text or one that is no amount.
Money readMoney(const QString& text);
std::optional<Money> tryReadMoney(const QString& text);

// Shortest decimal form with up to 15 significant digits, "." separator, no
// grouping, no trailing zeros: 116, 38.97, 2.3382.
QString plainText(double value);
// Up to four decimals, same rules: 166.88.
QString plainText(Money value);

// The "Currency" named format: "$41.31", "($5.00)", halves away from zero.
QString currencyText(Money value);
QString currencyText(double value);

// Shows a value (null, text, number, money, date, bool) in one of the display
// formats the windows use: "Currency", "\"$\"#,##0.00", "#,##0.00", "0.00",
// "0", "M/d/yyyy", "M/d/yy", "M/dd/yy", "mm/dd/yyyy", "MMMM dd, yyyy",
// "h:nn AM/PM", "m/d", "Long Time", "Short Date", "Long Date", "General Date"
// and the empty format (general). Null shows as empty. A text that is not a
// number (for a numeric format) or not a date (for a date format) is shown
// unchanged; a text that is one is converted first.
QString formatValue(const QVariant& value, const QString& format);

// Reads a date and/or time as people type them: "6/7/2001", "6/7/01"
// (00-29 are 20xx, 30-99 are 19xx), "July 30, 2001", "2001-06-07",
// "9am", "5 pm", "12:30 Pm", "10:30:00 AM", and a date followed by a time.
// A time alone lies on 1899-12-30, the platform's day zero; a date without
// a year lies in this year (Clock::today()). Dates and times are local
// QDateTime values built from a QDate and a QTime.
std::optional<QDateTime> readDateTime(const QString& text);
// Same, but throws qv::Error ("Type mismatch") when the text is no date.
QDateTime readDateTimeOrThrow(const QString& text);

// The day a time-of-day value lies on.
QDate dayZero();

// The old platform's date numbers: whole days since day zero, the time of day
// as the fraction of a day (6/7/2001 10:30 AM is 37049.4375). A number
// outside the years 100 to 9999 throws qv::Error ("Overflow").
double dateSerial(const QDateTime& value);
QDateTime fromDateSerial(double serial);

// A date and time in a named date format ("General Date" or empty, "Short
// Date", "Long Date", "Long Time") or one of date letters: d dd ddd dddd,
// m mm mmm mmmm (minutes right after an hour or before seconds), n nn
// (minutes), y (day of the year), yy yyyy, h hh, s ss, AM/PM am/pm A/P.
// Letters are read in either case; other characters, quoted text and
// characters after "\\" stand as they are.
QString formatDateTime(const QDateTime& value, const QString& format);

} // namespace qv
