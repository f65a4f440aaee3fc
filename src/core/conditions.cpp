#include "core/conditions.h"

#include "core/errors.h"

#include <cmath>
#include <iterator>
#include <string>

namespace unctora::core {

double conditionFactor(Condition c, int setting) {
    const ConditionEntry& row = conditionEntry(c);
    if (setting < 0 || setting >= static_cast<int>(row.settings.size()))
        throw CalculationError("List index out of bounds (" + std::to_string(setting) + ") for " +
                               std::string(row.field));
    return row.settings[static_cast<std::size_t>(setting)].factor.value_or(1.0);
}

double shockedLoadFactor(int load) {
    const auto& factors = conditions_detail::kShockedLoadFactors;
    if (load < 0 || load >= static_cast<int>(std::size(factors)))
        throw CalculationError("List index out of bounds (" + std::to_string(load) + ") for Load");
    return factors[static_cast<std::size_t>(load)];
}

double shockFactorAtLoad(int load) {
    return shockedLoadFactor(load) / conditionFactor(Condition::Load, load);
}

std::string shockFactorTextAtLoad(int load) {
    // Hundredths, as the other factor texts are written; "x 0.50" is "x 0.5".
    const long hundredths = std::lround(shockFactorAtLoad(load) * 100);
    std::string text = "x " + std::to_string(hundredths / 100) + "." +
                       std::to_string(hundredths % 100 / 10) + std::to_string(hundredths % 10);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace unctora::core
