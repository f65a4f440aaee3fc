#pragma once
// Unit systems and the conversions between them.

#include <cstdint>

namespace unctora::core {

enum class Units { SI = 0, Imperial = 1 };

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kGramsPerMl = 0.9;
// Grams per ounce, kept in extended precision as the conversions always were.
inline constexpr long double kGramsPerOunce = 28.3495L;

double fahrenheitToCelsius(double x);
double ouncesToGrams(double x);
double gramsToOunces(double x);
double gramsToMillilitres(double x);
// x / 10 to the nearest integer (halves to even), times 10.
std::int64_t roundToTen(double x);

} // namespace unctora::core
