#pragma once
#include <cstdint>

namespace unctora::core {

// Round to nearest, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Raises CalculationError when x is not finite or does not fit 64 bits.
std::int64_t Round(double x);

} // namespace unctora::core
