#pragma once
// Reference data of the bearing types and their sub-variants.

#include <array>
#include <cstdint>
#include <string_view>

namespace unctora::core {

struct TBrgData {
    std::int32_t BrgType = -1;
    std::int32_t Sub1 = -1;
    std::int32_t Sub2 = -1;
    // Descriptive texts of the compiled-in table (static storage).
    std::string_view ShortName;
    std::string_view Description;
    std::string_view Sub1Text;
    std::string_view Sub2Text;
    double BearingFactor = 0;
    std::array<std::int32_t, 3> LoadLimits{}; // n x dm for load Low, Moderate, High
    bool FullComplement = false;
    bool OilLubCheck = false;
    bool SteelCage = false;
    std::array<std::int32_t, 5> SpeedLimits{}; // upper bounds of speed classes 0..4
};

// Builds a fresh record; a triple without a table row gives the empty record
// (or, for types 3 and 4 with a valid sub1 only, a record with just Sub1Text).
TBrgData getBearingData(int type, int sub1, int sub2);
std::array<std::int32_t, 5> getSpeedLimits(int type, int sub1, int sub2);

} // namespace unctora::core
