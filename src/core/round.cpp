#include "core/round.h"

#include "core/errors.h"

#include <cmath>

namespace unctora::core {

std::int64_t Round(double x) {
    if (!std::isfinite(x) || std::fabs(x) >= 9.2e18)
        throw CalculationError(kInvalidOperation);
    // Halves to even regardless of the current floating-point rounding mode.
    double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(r, 2.0) != 0.0)
        r -= std::copysign(1.0, x);
    return static_cast<std::int64_t>(r);
}

double checkedDiv(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a))
            throw CalculationError(kInvalidOperation);
        throw CalculationError(kDivisionByZero);
    }
    return checkedFinite(a / b);
}

double checkedFinite(double x) {
    if (std::isnan(x))
        throw CalculationError(kInvalidOperation);
    if (std::isinf(x))
        throw CalculationError(kOverflow);
    return x;
}

} // namespace unctora::core
