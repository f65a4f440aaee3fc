#include "core/bearings.h"

#include "core/calcinputs.h"

#include <iterator>

namespace unctora::core {

namespace {

using Limits5 = std::array<std::int32_t, 5>;
constexpr Limits5 kBall{0, 100000, 300000, 500000, 700000};
constexpr Limits5 kCylindrical{30000, 75000, 270000, 700000, 700000};
constexpr Limits5 kRoller{30000, 75000, 210000, 700000, 700000};

struct Row {
    const char* shortName;
    const char* description;
    double bf;
    std::array<std::int32_t, 3> load;
    bool fullComplement;
    bool oilLubCheck;
    const Limits5* speed;
};

void fill(TBrgData& r, const Row& row) {
    r.ShortName = row.shortName;
    r.Description = row.description;
    r.BearingFactor = row.bf;
    r.LoadLimits = row.load;
    r.FullComplement = row.fullComplement;
    r.OilLubCheck = row.oilLubCheck;
    r.SpeedLimits = *row.speed;
}

// Types whose sub-variants play no part, indexed by type.
const Row kPlainRows[] = {
    {"DGBB", "Deep groove ball bearings", 1, {500000, 400000, 300000}, false, false, &kBall},
    {"ACBB", "Angular contact ball bearings", 1, {500000, 400000, 300000}, false, false, &kBall},
    {"SABB", "Self-aligning ball bearings", 1, {500000, 400000, 300000}, false, false, &kBall},
    {},
    {},
    {"TRB", "Tapered roller bearings", 2, {350000, 300000, 200000}, false, false, &kRoller},
    {"TBB", "Thrust ball bearing", 2, {200000, 150000, 100000}, false, false, &kRoller},
    {},
    {"CRTB", "Cylindrical roller thrust bearing", 10, {100000, 60000, 30000}, false, false,
     &kRoller},
    {"SRTB", "Spherical roller thrust bearing", 4, {200000, 170000, 150000}, false, false,
     &kRoller},
};
static_assert(std::size(kPlainRows) == 10);

const Row kCrbRows[] = {
    {"CRB", "Cylindrical roller bearing", 1.5, {450000, 300000, 150000}, false, false, &kCylindrical},
    {"CRB", "Cylindrical roller bearing", 2, {300000, 200000, 100000}, false, false, &kCylindrical},
    {"CRB", "Cylindrical roller bearing", 4, {200000, 120000, 60000}, false, false, &kCylindrical},
    {"CRB", "Cylindrical roller bearing", 4, {0, 0, 20000}, true, false, &kCylindrical},
};
static_assert(std::size(kCrbRows) == 4);
const char* const kCrbSub1Text[] = {
    "Injection-moulded cage of glass-fibre reinforced polyamide 66, roller centred (suffix P), "
    "or two-piece machined brass cage, roller centred (suffix M)",
    "Pressed steel cage, roller centred (suffix J), or machined steel cage (suffix MA)",
};
static_assert(std::size(kCrbSub1Text) == 2);
const char* const kCrbSub2Text[] = {
    "Non-locating",
    "Locating bearing, without external axial loads or with light but alternating axial load",
    "Locating bearing, with constantly acting light axial load",
    "Without cage, full complement",
};
static_assert(std::size(kCrbSub2Text) == 4);

const Row kSrbRows[2][3] = {
    {
        {"SRB", "Spherical roller bearing", 2, {350000, 200000, 100000}, false, false, &kRoller},
        {"SRB", "Spherical roller bearing", 2, {250000, 150000, 80000}, false, false, &kRoller},
        {"SRB", "Spherical roller bearing", 2, {150000, 80000, 50000}, false, true, &kRoller},
    },
    {
        {"SRB", "Spherical roller bearing", 2, {230000, 130000, 65000}, false, false, &kRoller},
        {"SRB", "Spherical roller bearing", 2, {170000, 100000, 50000}, false, false, &kRoller},
        {"SRB", "Spherical roller bearing", 2, {100000, 50000, 30000}, false, true, &kRoller},
    },
};
const Row kSrbHighAxialRow = {
    "SRB", "Spherical roller bearing", 6, {150000, 50000, 30000}, false, true, &kRoller};
const char* const kSrbSub1Text[] = {"Load ratio Fa/Fr < e and dm <=800mm",
                                     "Load ratio Fa/Fr < e and dm>800mm", "Load ratio Fa/Fr > e"};
static_assert(std::size(kSrbSub1Text) == 3);
const char* const kSrbSub2Text[] = {"Series 213, 222, 238, 239",
                                     "Series 223, 230, 231, 232, 240, 248, 249", "Series 241"};
static_assert(std::size(kSrbSub2Text) == 3);

const Row kTorbCageRow = {"TORB", "TORB", 2, {350000, 200000, 100000}, false, false, &kRoller};
const Row kTorbFullRow = {"TORB", "TORB", 4, {0, 0, 20000}, true, false, &kRoller};

void stamp(TBrgData& r, int type, int sub1, int sub2) {
    r.BrgType = type;
    r.Sub1 = sub1;
    r.Sub2 = sub2;
}

} // namespace

TBrgData getBearingData(int type, int sub1, int sub2) {
    TBrgData r;
    switch (type) {
    case DeepGrooveBall: case AngularContactBall: case SelfAligningBall: case TaperedRoller:
    case ThrustBall: case CylindricalRollerThrust: case SphericalRollerThrust:
        fill(r, kPlainRows[type]);
        stamp(r, type, 0, 0);
        return r;
    case CylindricalRoller:
        if (sub1 < 0 || sub1 > 1)
            return r;
        r.Sub1Text = kCrbSub1Text[sub1];
        if (sub2 < 0 || sub2 > 3)
            return r;
        fill(r, kCrbRows[sub2]);
        r.Sub2Text = kCrbSub2Text[sub2];
        r.SteelCage = sub1 == 1;
        stamp(r, type, sub1, sub2);
        return r;
    case SphericalRoller:
        if (sub1 == 2) {
            fill(r, kSrbHighAxialRow);
            r.Sub1Text = kSrbSub1Text[2];
            r.Sub2Text = "All series";
            stamp(r, type, sub1, sub2);
            return r;
        }
        if (sub1 < 0 || sub1 > 1)
            return r;
        r.Sub1Text = kSrbSub1Text[sub1];
        if (sub2 < 0 || sub2 > 2)
            return r;
        fill(r, kSrbRows[sub1][sub2]);
        r.Sub2Text = kSrbSub2Text[sub2];
        stamp(r, type, sub1, sub2);
        return r;
    case ToroidalRoller:
        if (sub1 == 0) {
            fill(r, kTorbCageRow);
            r.Sub1Text = "With cage";
        } else {
            fill(r, kTorbFullRow);
            r.Sub1Text = "Without cage, full complement";
        }
        stamp(r, type, sub1, sub2);
        return r;
    default:
        return r;
    }
}

std::array<std::int32_t, 5> getSpeedLimits(int type, int sub1, int sub2) {
    return getBearingData(type, sub1, sub2).SpeedLimits;
}

} // namespace unctora::core
