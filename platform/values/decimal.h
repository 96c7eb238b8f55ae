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

// A double rounded to 15 significant digits, as "%.14e" writes it: the
// digits without trailing zeros ("0" for zero) and the power of ten of the
// first. Throws qv::Error ("Overflow") for infinities and NaN.
struct SignificantDigits {
    bool negative = false;
    char digits[20] = {};
    int count = 0;
    int exponent = 0;

    static SignificantDigits of(double value);
};

// 10^n for n from 0 to 19, the powers a 64-bit count holds.
inline std::uint64_t powerOfTen(int n)
{
    static constexpr std::uint64_t powers[] = {1ULL,
                                               10ULL,
                                               100ULL,
                                               1000ULL,
                                               10000ULL,
                                               100000ULL,
                                               1000000ULL,
                                               10000000ULL,
                                               100000000ULL,
                                               1000000000ULL,
                                               10000000000ULL,
                                               100000000000ULL,
                                               1000000000000ULL,
                                               10000000000000ULL,
                                               100000000000000ULL,
                                               1000000000000000ULL,
                                               10000000000000000ULL,
                                               100000000000000000ULL,
                                               1000000000000000000ULL,
                                               10000000000000000000ULL};
    return powers[n];
}

// A value whose digits fit a 64-bit count:
// (negative ? -1 : 1) * magnitude * 10^-scale.
// Money, whole numbers and most doubles are written through it with integer
// arithmetic; a Decimal serves what does not fit.
struct Fixed {
    std::uint64_t magnitude = 0;
    int scale = 0;
    bool negative = false;   // never for zero

    static Fixed fromUnits(std::int64_t units, int scale);
    // The same digits as Decimal::fromDouble; throws qv::Error ("Overflow")
    // for infinities and NaN.
    static Fixed fromDouble(double value);
    Decimal toDecimal() const;
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

// A number format read once, for writing many values the way
// formatNumberPattern does.
class NumberPattern {
public:
    explicit NumberPattern(const QString& format);
    QString write(const Decimal& value) const;
    QString write(const Fixed& value) const;

    struct Section {
        QString prefix, suffix;
        bool grouping = false;
        int minInteger = 0;
        int minFraction = 0;
        int maxFraction = 0;
    };

private:
    template <class Value>
    QString writeValue(const Value& value, bool& fits) const;

    Section m_positive;
    Section m_negative;
    bool m_hasNegative = false;
};

} // namespace qv::detail
