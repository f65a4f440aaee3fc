#pragma once
// Failures of the calculation. The arithmetic of the pipeline checks itself:
// C++ floating point neither traps on division by zero nor on 0/0, so every
// place where the result would be infinite or not a number raises instead.

#include <stdexcept>
#include <string>

namespace unctora::core {

class CalculationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Messages of the checked arithmetic, shown after the failure note.
inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

// a / b with the checks the calculation needs: 0/0 is an invalid operation,
// x/0 a division by zero, and a quotient that leaves the double range an overflow.
double checkedDiv(double a, double b);
// Raises an overflow (or invalid operation for NaN) when x is not finite.
double checkedFinite(double x);

} // namespace unctora::core
