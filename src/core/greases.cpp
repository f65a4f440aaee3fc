#include "core/greases.h"

#include "core/calcinputs.h"

#include <iterator>

namespace unctora::core {

namespace {

constexpr const char* kLubricatorNames[] = {
    "VOXA 60", "VOXA 125", "TENO 125", "TENO 250", "ZOLT 120ml", "ZOLT 380ml", "VOXA 400", "VOXA 1000"};
static_assert(std::size(kLubricatorNames) == kLubricatorCount);

constexpr const char* kGreaseNames[] = {
    "Unspecified", "NVKA2", "NVRO2", "NVTE2", "NVSU2", "NVPI1", "NVDA2",
    "NVLO3",       "NVBE2", "NVLO2", "NVFI2", "NVGU2", "NVHA2", "NVPI2"};
static_assert(std::size(kGreaseNames) == kGreaseCount);

// Rows 1..13; OpTempOk, LoadOk, SpeedOk as bit strings in class order.
struct GreaseRow {
    const char* opTemp;
    const char* load;
    const char* speed;
    const char* thickener;
    const char* baseOil;
    std::int32_t viscosity;
};
constexpr GreaseRow kGreaseRows[] = {
    {},
    {"1111", "0011", "10000", "Lithium calcium soap", "mineral oil", 1020},
    {"1111", "0011", "10000", "lithium soap", "mineral oil", 500},
    {"1111", "1110", "01100", "lithium complex soap", "mineral oil", 185},
    {"1111", "1111", "11100", "complex calcium sulphonate", "mineral oil", 400},
    {"1111", "0010", "01100", "Lithium soap", "mineral oil", 200},
    {"1111", "0010", "01100", "Lithium soap", "mineral oil", 200},
    {"1111", "1100", "00100", "Lithium soap", "mineral oil", 120},
    {"1111", "1100", "00110", "Di-urea", "mineral oil", 96},
    {"1111", "1100", "00100", "Lithium soap", "mineral oil", 110},
    {"1111", "1000", "00111", "Lithium soap", "PAO oil", 18},
    {"1110", "0110", "01100", "Lithium-calium soap", "synthetic ester oil", 110},
    {"1111", "1100", "00100", "aluminium complex", "medical white oil", 130},
    {"1111", "1110", "01100", "Complex calcium sulphonate", "synthetic PAO oil, mineral oil", 80},
};
static_assert(std::size(kGreaseRows) == kGreaseCount);

constexpr const char* kCompatibility[] = {
    //  grease 0..13
    "10111000100010", // VOXA 60
    "10111000100111", // VOXA 125
    "10111000100011", // TENO 125
    "10111000100011", // TENO 250
    "10010000000010", // ZOLT 120ml
    "11011011100011", // ZOLT 380ml
    "11111111111111", // VOXA 400
    "10011001110111", // VOXA 1000
};
static_assert(std::size(kCompatibility) == kLubricatorCount);

constexpr double kGreaseFactor[] = {1.0, 1.0, 1.0, 1.5, 1.7, 1.0, 1.0,
                                                1.0, 1.8, 1.0, 1.0, 0.7, 0.7, 1.7};
static_assert(std::size(kGreaseFactor) == kGreaseCount);

bool validGrease(int g) { return g >= 0 && g < kGreaseCount; }

template <std::size_t N> std::array<bool, N> bits(const char* s) {
    std::array<bool, N> a{};
    for (std::size_t i = 0; i < N; ++i)
        a[i] = s[i] == '1';
    return a;
}

std::string unknownName(int index) { return std::to_string(index) + "?"; }

// The records, built once; index 0 holds the default record.
const std::array<TGreaseData, kGreaseCount>& greaseRecords() {
    static const std::array<TGreaseData, kGreaseCount> records = [] {
        std::array<TGreaseData, kGreaseCount> a{};
        for (int g = 1; g < kGreaseCount; ++g) {
            const GreaseRow& r = kGreaseRows[g];
            TGreaseData& d = a[g];
            d.Name = kGreaseNames[g];
            d.OpTempOk = bits<4>(r.opTemp);
            d.LoadOk = bits<4>(r.load);
            d.SpeedOk = bits<5>(r.speed);
            d.Thickener = r.thickener;
            d.BaseOil = r.baseOil;
            d.Viscosity = r.viscosity;
        }
        return a;
    }();
    return records;
}

} // namespace

TGreaseData getGreaseData(int grease) {
    if (grease < 1 || grease >= kGreaseCount)
        return TGreaseData{};
    return greaseRecords()[grease];
}

bool greaseSpeedOk(int grease, int speedClass) {
    if (!validGrease(grease) || speedClass < 0 || speedClass > 4)
        return false;
    return greaseRecords()[grease].SpeedOk[speedClass];
}

bool greaseLoadOk(int grease, int loadClass) {
    if (!validGrease(grease) || loadClass < 0 || loadClass > 3)
        return false;
    return greaseRecords()[grease].LoadOk[loadClass];
}

bool greaseTempOk(int grease, int tempClass) {
    if (!validGrease(grease) || tempClass < 0 || tempClass > 3)
        return false;
    return greaseRecords()[grease].OpTempOk[tempClass];
}

bool isGreaseAllowed(int grease, int lubricator) {
    if (lubricator < 0 || lubricator >= kLubricatorCount || !validGrease(grease))
        return false;
    return kCompatibility[lubricator][grease] == '1';
}

std::string lubricatorName(int lubricator) {
    if (lubricator < 0 || lubricator >= kLubricatorCount)
        return unknownName(lubricator);
    return kLubricatorNames[lubricator];
}

std::string greaseName(int grease) {
    if (!validGrease(grease))
        return unknownName(grease);
    return kGreaseNames[grease];
}

double greaseFactor(int grease) {
    return validGrease(grease) ? kGreaseFactor[grease] : 1.0;
}

} // namespace unctora::core
