#include "core/units.h"

#include "core/round.h"

namespace unctora::core {

double fahrenheitToCelsius(double x) { return (x - 32.0) * 5.0 / 9.0; }

double ouncesToGrams(double x) { return static_cast<double>(x * kGramsPerOunce); }

double gramsToOunces(double x) { return static_cast<double>(x / kGramsPerOunce); }

double gramsToMillilitres(double x) { return x / kGramsPerMl; }

std::int64_t roundToTen(double x) { return Round(x / 10.0) * 10; }

} // namespace unctora::core
