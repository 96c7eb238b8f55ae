#pragma once
// Fixed-point currency: a 64-bit count of ten-thousandths, as the old
// platform's Currency type kept money. Arithmetic never goes through double.
#include <QMetaType>
#include <QString>
#include <cstdint>
#include <compare>

namespace qv {

class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t tenThousandths) { Money m; m.m_units = tenThousandths; return m; }
    // Rounds to four decimals, halves to even.
    static Money fromDouble(double value);
    std::int64_t units() const { return m_units; }
    double toDouble() const { return double(m_units) / 10000.0; }

    Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    Money operator-() const { return fromUnits(-m_units); }
    Money& operator+=(Money o) { m_units += o.m_units; return *this; }
    auto operator<=>(const Money&) const = default;

    // The amount of a line: unit price times quantity, worked out exactly and
    // then rounded to the cent, halves away from zero, as a till rounds
    // (56.525 is 56.53, -0.005 is -0.01). Throws qv::Error ("Overflow") when
    // the amount does not fit.
    static Money lineAmount(Money unitPrice, Money quantity);

private:
    std::int64_t m_units = 0;
};

} // namespace qv

Q_DECLARE_METATYPE(qv::Money)
