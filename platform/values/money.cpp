#include "platform/values/money.h"
#include "platform/values/decimal.h"

namespace qv {

Money Money::fromDouble(double value)
{
    return fromUnits(detail::toScaledInteger(detail::Decimal::fromDouble(value), 4, true));
}

} // namespace qv
