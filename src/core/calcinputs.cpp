#include "core/calcinputs.h"

#include "core/conditions.h"
#include "core/round.h"
#include "text/ascii.h"

#include <algorithm>
#include <cmath>

namespace unctora::core {

namespace {

using SV = std::string_view;

constexpr SV kTypeItems[] = {
    "Deep groove ball bearings ",     "Angular contact ball bearings",
    "Self aligning ball bearings",    "Cylindrical roller bearings",
    "Spherical roller bearings",      "Tapered roller bearings",
    "Thrust ball bearings",           "TORB toroidal roller bearings",
    "Cylindrical roller thrust bearings", "Spherical roller thrust bearings",
};
constexpr SV kCrbCageItems[] = {"Glass fibre cage", "Steel cage"};
constexpr SV kCrbLocatingItems[] = {"Non locating", "Locating I", "Locating II", "Without cage"};
constexpr SV kSrbLoadRatioItems[] = {"Load ratio Fa/Fr < e and dm \u2264 800mm",
                                     "Load ratio Fa/Fr < e and dm > 800mm.", "Load ratio Fa/Fr>e"};
constexpr SV kSrbSeriesItems[] = {"Series 213 ...", "Series 223 ...", "Series 241    "};
constexpr SV kTorbCageItems[] = {"With cage", "Without cage"};
constexpr auto kGreaseItems = [] {
    std::array<SV, kGreaseCount> items{};
    for (std::size_t g = 0; g < items.size(); ++g)
        items[g] = kGreases[g].name;
    return items;
}();
constexpr auto kLubricatorItems = [] {
    std::array<SV, kLubricatorCount> names{};
    for (int i = 0; i < kLubricatorCount; ++i)
        names[static_cast<std::size_t>(i)] = kLubricators[i].name;
    return names;
}();
constexpr SV kPowerSourceItems[] = {"AC", "DC"};
constexpr SV kOutletItems[] = {"10", "12", "14", "16", "18", "20"};
// The pump's cycle is given for each item.
static_assert(std::size(kOutletItems) == lubricator_data::kPump.cycleMinutes.size());

using K = InputField::Kind;
using C = CalcInputs;

constexpr InputField num(SV name, int min, int max, int def, double C::*m) {
    return {name, K::Number, min, max, def, {}, m, nullptr, true};
}
template <std::size_t N>
constexpr InputField idx(SV name, const SV (&items)[N], int def, int C::*m) {
    return {name, K::Index, 0, static_cast<int>(N) - 1, def, items, nullptr, m, true};
}
template <std::size_t N>
constexpr InputField idx(SV name, const std::array<SV, N>& items, int def, int C::*m) {
    return {name, K::Index, 0, static_cast<int>(N) - 1, def, items, nullptr, m, true};
}
// An operating condition as its row describes it.
template <Condition c> constexpr InputField cond() {
    const ConditionEntry& e = conditionEntry(c);
    return idx(e.field, kConditionItems<c>, e.firstStart, e.member);
}
constexpr InputField notStored(InputField f) {
    f.stored = false;
    return f;
}

const InputField kFields[] = {
    num("Bore_mm", 0, 10000, 100, &C::Bore_mm),
    num("D_mm", 0, 10000, 180, &C::D_mm),
    num("B_mm", 0, 10000, 100, &C::B_mm),
    idx("Type", kTypeItems, 0, &C::Type),
    idx("CRBsub1", kCrbCageItems, 0, &C::CRBsub1),
    idx("CRBsub2", kCrbLocatingItems, 0, &C::CRBsub2),
    idx("SRBsub1", kSrbLoadRatioItems, 0, &C::SRBsub1),
    idx("SRBsub2", kSrbSeriesItems, 0, &C::SRBsub2),
    idx("TORBsub1", kTorbCageItems, 0, &C::TORBsub1),
    idx("Grease", kGreaseItems, 0, &C::Grease),
    notStored(idx("Lubricator", kLubricatorItems, 1, &C::Lubricator)),
    idx("PowerSource", kPowerSourceItems, 0, &C::PowerSource),
    idx("Outlets", kOutletItems, 0, &C::Outlets),
    num("Speed", 0, 10000, 2000, &C::Speed),
    num("OpHours", 1, 24, 24, &C::OpHours),
    // The conditions in the order of the record.
    cond<Condition::BrgOpTemp>(),
    cond<Condition::ContMoist>(),
    cond<Condition::Load>(),
    cond<Condition::ShockLoad>(),
    cond<Condition::AmbTemp>(),
    cond<Condition::ShaftOri>(),
    cond<Condition::Replenish>(),
    cond<Condition::RotOR>(),
};

} // namespace

BearingKey bearingKey(const CalcInputs& in) {
    switch (in.Type) {
    case CylindricalRoller: return {CylindricalRoller, in.CRBsub1, in.CRBsub2};
    case SphericalRoller: return {SphericalRoller, in.SRBsub1, in.SRBsub2};
    case ToroidalRoller: return {ToroidalRoller, in.TORBsub1, 0};
    default: return {in.Type, 0, 0};
    }
}

bool applyReplenishmentRule(CalcInputs& in) {
    if (takesGreaseFromTheSideOnly(in.Type)) {
        in.Replenishment = 0;
        return false;
    }
    return true;
}

std::span<const InputField> inputFields() { return kFields; }

const InputField* findInputField(std::string_view name) {
    for (const auto& f : kFields)
        if (text::equalsNoCase(f.name, name))
            return &f;
    return nullptr;
}

std::span<const std::string_view> bearingTypeItems() { return kTypeItems; }

void clampInputs(CalcInputs& in) {
    for (const auto& f : kFields) {
        if (f.number) {
            double v = in.*f.number;
            v = std::isnan(v) ? f.min : std::clamp(v, double(f.min), double(f.max));
            in.*f.number = static_cast<double>(Round(v));
        } else {
            in.*f.index = std::clamp(in.*f.index, f.min, f.max);
        }
    }
}

} // namespace unctora::core
