#pragma once
// Exact decimal values for the conversions: amounts are read, rounded and
// written digit by digit, so that a price such as 2.675 rounds as it reads
// and never as its nearest binary fraction happens to lie.
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace qv::detail {

// value = (negative ? -1 : 1) * digits * 10^exponent
struct Decimal {
    bool negative = false;
    std::string digits;   // no leading zeros; empty for zero
    int exponent = 0;

    // The double's decimal form with 15 significant digits.
    static Decimal fromDouble(double value);
    static Decimal fromUnits(std::int64_t units, int scale);

    bool isZero() const { return digits.empty(); }
    // The digits of |value| * 10^places rounded to a whole number
    // ("0" for zero): halves go away from zero, or to even.
    std::string scaled(int places, bool halvesToEven) const;
    double toDouble() const;
};

// Reads an amount as a money box holds it: blanks around, "$", "," grouping,
// a sign in front or behind, or parentheses. Nothing else may follow.
std::optional<Decimal> parseAmount(const QString& text);

// |value| * 10^places, rounded, as a 64-bit count; throws qv::Error
// ("Overflow") when it does not fit.
std::int64_t toScaledInteger(const Decimal& value, int places, bool halvesToEven);

// "1234567" -> "1,234,567"
QString groupThousands(const std::string& integerDigits);

// True when the format holds digit places ("0" or "#") outside quotes.
bool isNumberPattern(const QString& format);
// Writes the value in a number format of digit places: "0" always shown,
// "#" shown when needed, "," grouping, "." decimal point, anything else (or
// quoted, or after "\\") as it stands. A second section after ";" serves
// negative amounts, shown without their sign. Halves go away from zero.
QString formatNumberPattern(const Decimal& value, const QString& format);

} // namespace qv::detail
