#include "core/greases.h"

#include "core/calcinputs.h"

#include <iterator>

namespace unctora::core {

namespace {

static_assert([] {
    for (const GreaseEntry& g : kGreases)
        if (g.lubricators.size() != kLubricatorCount)
            return false;
    return true;
}(), "every grease row names each lubricator once");

bool validGrease(int g) { return g >= 0 && g < kGreaseCount; }

template <std::size_t N> std::array<bool, N> bits(std::string_view s) {
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
            const GreaseEntry& r = kGreases[g];
            TGreaseData& d = a[g];
            d.Name = r.name;
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
    return kGreases[grease].lubricators[static_cast<std::size_t>(lubricator)] == '1';
}

std::string greaseName(int grease) {
    if (!validGrease(grease))
        return unknownName(grease);
    return std::string(kGreases[grease].name);
}

double greaseFactor(int grease) {
    return validGrease(grease) ? kGreases[grease].factor : 1.0;
}

} // namespace unctora::core
