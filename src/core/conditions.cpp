#include "core/conditions.h"

#include "core/errors.h"

#include <string>

namespace unctora::core {

double conditionFactor(Condition c, int setting) {
    const ConditionEntry& row = conditionEntry(c);
    if (setting < 0 || setting >= static_cast<int>(row.settings.size()))
        throw CalculationError("List index out of bounds (" + std::to_string(setting) + ") for " +
                               std::string(row.field));
    return row.settings[static_cast<std::size_t>(setting)].factor.value_or(1.0);
}

} // namespace unctora::core
