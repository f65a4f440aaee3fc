#pragma once
// The calculation inputs and results of one bearing application.
//
// Field names are the settings keys under which the inputs are stored; the
// enumerations are zero-based indexes in the order the window lists them.

#include "core/greasetable.h"
#include "core/lubricators.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace unctora::core {

// Lubricator indexes: the rows of kLubricators (core/lubricators.h) that code names.
enum Lubricator : int {
    VOXA60 = 0,
    VOXA125 = 1,
    TENO125 = 2,
    TENO250 = 3,
    ZOLT120 = 4,
    ZOLT380 = 5,
    VOXA400 = 6,
    VOXA1000 = 7,
};
static_assert(kLubricators[VOXA60].name == "VOXA 60" && kLubricators[VOXA125].name == "VOXA 125" &&
              kLubricators[TENO125].name == "TENO 125" && kLubricators[TENO250].name == "TENO 250" &&
              kLubricators[ZOLT120].name == "ZOLT 120ml" && kLubricators[ZOLT380].name == "ZOLT 380ml" &&
              kLubricators[VOXA400].name == "VOXA 400" && kLubricators[VOXA1000].name == "VOXA 1000");

// Bearing types, in the order the window lists them. Cylindrical, spherical and
// toroidal roller bearings have sub-variants.
enum BearingType : int {
    DeepGrooveBall = 0,
    AngularContactBall = 1,
    SelfAligningBall = 2,
    CylindricalRoller = 3,
    SphericalRoller = 4,
    TaperedRoller = 5,
    ThrustBall = 6,
    ToroidalRoller = 7,
    CylindricalRollerThrust = 8,
    SphericalRollerThrust = 9,
};
inline constexpr int kBearingTypeCount = 10;
// The radial ball bearings take fresh grease from the side only.
inline bool takesGreaseFromTheSideOnly(int type) { return type >= DeepGrooveBall && type <= SelfAligningBall; }
// The cylindrical roller bearing without cage (CRBsub2) and the toroidal one (TORBsub1).
inline constexpr int kCrbFullComplement = 3;
inline constexpr int kTorbFullComplement = 1;

struct CalcInputs {
    double Bore_mm = 100;
    double D_mm = 180;
    double B_mm = 100;
    int Type = 0;
    int CRBsub1 = 0;
    int CRBsub2 = 0;
    int SRBsub1 = 0;
    int SRBsub2 = 0;
    int TORBsub1 = 0;
    int Grease = 0;
    int Lubricator = VOXA125;
    int PowerSource = 0;
    int Outlets = 0;
    double Speed = 2000;
    double OpHours = 24;
    int BrgOpTemp = 0;
    int ContMoist = 1;
    int Load = 1;
    int ShockLoad = 1;
    int Ambient = 1;
    int ShaftOrientation = 1;
    int Replenishment = 1;
    int RotOR = 1;

    bool operator==(const CalcInputs&) const = default;
};

struct CalcResults {
    double tf = 0;
    double tfc = 0;
    double Gp = 0;
    double Qf = 0;
    // Set only when tfc > 0; OldQf only when tfcHours >= 1.
    std::optional<std::int64_t> tfcHours;
    std::optional<double> OldQf;
    double DS = 0;
    double PauseBase = 0;
};

// The (type, sub1, sub2) triple the formulas see.
struct BearingKey {
    int type = 0;
    int sub1 = 0;
    int sub2 = 0;
};
BearingKey bearingKey(const CalcInputs& in);

// The diameter the speed factor n·dm uses: the mean of d and D, or D itself when the
// outer ring rotates.
inline double meanDiameter(const CalcInputs& in) { return in.RotOR == 1 ? in.D_mm : (in.Bore_mm + in.D_mm) / 2; }

// Types 0 to 2 take fresh grease from the side only: forces Replenishment to 0.
// Returns whether the replenishment choice stays open to the user.
bool applyReplenishmentRule(CalcInputs& in);

// One input field: its name (the settings key), kind, range and first-start default,
// and for enumerations the English item texts in index order.
struct InputField {
    enum class Kind { Number, Index };
    std::string_view name;
    Kind kind;
    int min;
    int max;
    int firstStart;
    std::span<const std::string_view> items; // empty for numbers
    double CalcInputs::*number = nullptr;
    int CalcInputs::*index = nullptr;
    // Kept in the settings file; the lubricator is not: every start begins with the
    // designed item.
    bool stored = true;

    double get(const CalcInputs& in) const {
        return number ? in.*number : static_cast<double>(in.*index);
    }
};

// All fields of CalcInputs in the order of the record, Lubricator included.
std::span<const InputField> inputFields();
const InputField* findInputField(std::string_view name); // case-insensitive

// Item texts of the enumerations used by several subsystems.
std::span<const std::string_view> bearingTypeItems();

// Brings every field into its range: indexes as the settings file clamps them,
// numbers to the spin edits' bounds after rounding to whole values (halves to even).
void clampInputs(CalcInputs& in);

} // namespace unctora::core
