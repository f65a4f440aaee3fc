#pragma once
// Reference data of the greases and lubricators and which grease fits which lubricator.

#include "core/greasetable.h"
#include "core/lubricators.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace unctora::core {

struct TGreaseData {
    std::string_view Name;
    std::array<bool, 4> OpTempOk{true, true, true, true};
    std::array<bool, 4> LoadOk{};
    std::array<bool, 5> SpeedOk{};
    std::string_view Thickener;
    std::string_view BaseOil;
    std::int32_t Viscosity = 0;
};

// Row 1..kGreaseCount-1 of the grease table, the default record for any other index.
TGreaseData getGreaseData(int grease);

// False for a grease outside the table or a class outside its range.
bool greaseSpeedOk(int grease, int speedClass);
bool greaseLoadOk(int grease, int loadClass);
bool greaseTempOk(int grease, int tempClass);

// Whether the lubricator may be filled with the grease (false outside the table).
bool isGreaseAllowed(int grease, int lubricator);

// The fixed name; an index outside the table gives the index followed by "?".
std::string greaseName(int grease);

// Grease factor of the corrected interval; 1.0 for "Unspecified".
double greaseFactor(int grease);

} // namespace unctora::core
