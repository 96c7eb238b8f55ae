#include "platform/values/money.h"
#include "platform/values/decimal.h"
#include "platform/values/error.h"

#include <limits>

namespace qv {

Money Money::fromDouble(double value)
{
    // Four decimals of the double's 15 significant digits, halves to even,
    // counted in 64 bits: a count beyond them is an overflow.
    const detail::Fixed f = detail::Fixed::fromDouble(value);
    if (f.magnitude == 0)
        return Money();
    const std::uint64_t limit = f.negative ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1
                                           : std::uint64_t(std::numeric_limits<std::int64_t>::max());
    const int shift = 4 - f.scale;
    std::uint64_t magnitude = 0;
    if (shift >= 0) {
        // At most 15 digits, so past 10^19 nothing fits.
        if (shift > 19 || __builtin_mul_overflow(f.magnitude, detail::powerOfTen(shift), &magnitude)
            || magnitude > limit)
            throw Error(QStringLiteral("Overflow"), 6);
    } else if (shift >= -19) {
        const std::uint64_t unit = detail::powerOfTen(-shift);
        magnitude = f.magnitude / unit;
        const std::uint64_t rest = f.magnitude % unit;
        // Exactly half goes to the even neighbour.
        if (rest > unit - rest || (rest == unit - rest && magnitude % 2 == 1))
            ++magnitude;
    }
    return fromUnits(f.negative ? std::int64_t(~magnitude + 1) : std::int64_t(magnitude));
}

namespace {

// value / divisor to a whole number, halves away from zero.
__int128 divideRoundingHalvesAway(__int128 value, __int128 divisor)
{
    const bool negative = value < 0;
    const __int128 magnitude = negative ? -value : value;
    const __int128 rounded = (magnitude + divisor / 2) / divisor;
    return negative ? -rounded : rounded;
}

Money fromWideUnits(__int128 units)
{
    if (units > std::numeric_limits<std::int64_t>::max() || units < std::numeric_limits<std::int64_t>::min())
        throw Error(QStringLiteral("Overflow"), 6);
    return Money::fromUnits(std::int64_t(units));
}

constexpr std::int64_t kUnitsPerCent = 100;
constexpr std::int64_t kUnitsPerWhole = 10000;

} // namespace

Money Money::lineAmount(Money unitPrice, Money quantity)
{
    // Both carry four decimals, so the product carries eight: exact in 128 bits.
    const __int128 product = __int128(unitPrice.units()) * __int128(quantity.units());
    const __int128 cents = divideRoundingHalvesAway(product, __int128(kUnitsPerWhole) * kUnitsPerCent);
    return fromWideUnits(cents * kUnitsPerCent);
}

} // namespace qv
