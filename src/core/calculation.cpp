#include "core/calculation.h"

#include "core/bearings.h"
#include "core/conditions.h"
#include "core/errors.h"
#include "core/greases.h"
#include "core/log.h"
#include "core/round.h"
#include "core/units.h"
#include "text/format.h"

#include <array>
#include <cmath>
#include <iterator>

namespace unctora::core {

namespace {

constexpr double kGreaseCoefficient = 0.005; // g per mm^2
constexpr double kReferenceInterval = 30000; // h, also the cap of tfc
constexpr double kSpeedCoefficient = -5.62e-6;
constexpr double kFullComplementDivisor = 10;
constexpr double kSettingConstant = 110; // g
constexpr double kHoursPerMonth = 730;
constexpr double kPauseDivisor = 5;

struct Step {
    double bound;
    int setting;
};
constexpr std::array<Step, 10> kTenoSteps{{{0.32, 99}, {0.37, 12}, {0.42, 10}, {0.48, 9},
                                           {0.59, 8}, {0.81, 6}, {1.16, 4}, {1.61, 3},
                                           {2.68, 2}, {5.14, 1}}};
constexpr std::array<Step, 9> kZoltSteps{{{0.14, 99}, {0.18, 24}, {0.24, 18}, {0.36, 12},
                                          {0.49, 9}, {0.86, 6}, {1.54, 3}, {2.47, 2},
                                          {4.94, 1}}};
constexpr double kZolt380Scale = 3.1666666666666665;

void log(const CalcContext& ctx, std::string_view line) {
    if (ctx.log)
        ctx.log->addLogLine(std::string(line));
}

void logResult(const CalcContext& ctx, double value) {
    if (ctx.log)
        ctx.log->addLogLine(text::format("  Result=%.2f", {value}, ctx.decimalSeparator));
}

template <std::size_t N>
int stepSetting(const std::array<Step, N>& steps, double v, double k) {
    for (const Step& s : steps)
        if (s.bound * k > v)
            return s.setting;
    return 0;
}

} // namespace

double calculateGreaseQuantity(const CalcInputs& in, const CalcContext& ctx) {
    log(ctx, "calculateGreaseQuantity");
    double Gp = checkedFinite(kGreaseCoefficient *
                              conditionFactor(Condition::Replenish, in.Replenishment) *
                              in.D_mm * in.B_mm);
    logResult(ctx, Gp);
    return Gp;
}

double calculateRelubricationInterval(const CalcInputs& in, const CalcContext& ctx) {
    log(ctx, "calculateRelubricationInterval");
    const BearingKey k = bearingKey(in);
    const double bf = getBearingData(k.type, k.sub1, k.sub2).BearingFactor;
    const double n = in.Speed;
    const double dm = meanDiameter(in);
    const double tf = checkedFinite(kReferenceInterval * std::exp(kSpeedCoefficient * n * dm * bf));
    logResult(ctx, tf);
    return tf;
}

double calculateCorrectedRelubricationInterval(const CalcInputs& in, double tf,
                                               const CalcContext& ctx) {
    log(ctx, "calculateCorrectedRelubricationInterval");
    const BearingKey k = bearingKey(in);
    const TBrgData brg = getBearingData(k.type, k.sub1, k.sub2);
    double t = tf;
    if (in.ShaftOrientation == 1)
        t = t * conditionFactor(Condition::ShaftOri, in.ShaftOrientation);
    const double loadFactor = in.ShockLoad == 1 ? shockedLoadFactor(in.Load)
                                                : conditionFactor(Condition::Load, in.Load);
    const double tempFactor = conditionFactor(Condition::BrgOpTemp, in.BrgOpTemp);
    double y = checkedFinite(t * tempFactor * loadFactor * checkedDiv(24, in.OpHours));
    y = y * conditionFactor(Condition::ContMoist, in.ContMoist);
    if (in.Grease > 0) {
        if (in.Grease >= kGreaseCount)
            throw CalculationError("List index out of bounds (" + std::to_string(in.Grease) +
                                   ") for Grease");
        y = y * greaseFactor(in.Grease);
    }
    if (brg.SteelCage)
        y = y / 2;
    if (y > kReferenceInterval)
        y = kReferenceInterval;
    // The indexes as the inputs hold them, not the record's flag: a TORB bearing
    // with any sub1 other than 0 and 1 gets the full-complement factor but no division.
    if ((in.Type == CylindricalRoller && k.sub2 == kCrbFullComplement) ||
        (in.Type == ToroidalRoller && k.sub1 == kTorbFullComplement))
        y = y / kFullComplementDivisor;
    checkedFinite(y);
    logResult(ctx, y);
    return y;
}

double calculateFeedRate(const CalcInputs& in, double Gp, double tfc, const CalcContext& ctx) {
    log(ctx, "calculateFeedRate");
    double Qf = checkedFinite(checkedDiv(Gp, tfc) * 24);
    // The gas-driven lubricators run slower in the cold and faster in the heat.
    if (isGasDriven(in.Lubricator) && hasSetting(Condition::AmbTemp, in.Ambient))
        Qf = checkedFinite(Qf * conditionFactor(Condition::AmbTemp, in.Ambient));
    logResult(ctx, Qf);
    return Qf;
}

void calculateLubricatorSetting(const CalcInputs& in, double Gp, double tfc, double Qf,
                                CalcResults& r, const CalcContext& ctx) {
    double DS = 0;
    r.PauseBase = 0;
    r.tfcHours.reset();
    r.OldQf.reset();
    if (tfc > 0) {
        const std::int64_t hours = Round(tfc);
        r.tfcHours = hours;
        if (hours <= 0) {
            log(ctx, "tfc<0.5, DS=0");
        } else {
            const double oldQf = Gp / static_cast<double>(hours);
            r.OldQf = oldQf;
            // The ratio is formed whether or not it is logged: with Gp = 0 it is 0/0.
            const double ratio = checkedDiv(Qf, oldQf);
            if (ctx.log)
                ctx.log->addLogLine(text::format("Old Qf=%.4f, Qf/Old_Qf=%.1f", {oldQf, ratio},
                                                    ctx.decimalSeparator));
            DS = checkedDiv(kSettingConstant, oldQf * kHoursPerMonth);
            if (ctx.log)
                ctx.log->addLogLine(text::format("DS=%.2f", {DS}, ctx.decimalSeparator));
        }
        if (isGasDriven(in.Lubricator) && hasSetting(Condition::AmbTemp, in.Ambient))
            DS = DS * conditionFactor(Condition::AmbTemp, in.Ambient);
        if (Gp != 0)
            r.PauseBase = checkedFinite((static_cast<double>(hours) / kPauseDivisor) /
                                        (Gp / kGramsPerMl));
    }
    switch (in.Lubricator) {
    case VOXA60: DS = DS / 2; break;
    case TENO125: case TENO250: DS = tenoSetting(Qf, in.Lubricator); break;
    case ZOLT120: case ZOLT380: DS = zoltSetting(Qf, in.Lubricator); break;
    default: break;
    }
    r.DS = checkedFinite(DS);
}

int tenoSetting(double Qf, int lubricator) {
    return stepSetting(kTenoSteps, gramsToMillilitres(Qf), lubricator == TENO250 ? 2.0 : 1.0);
}

int zoltSetting(double Qf, int lubricator) {
    return stepSetting(kZoltSteps, gramsToMillilitres(Qf), lubricator == ZOLT380 ? kZolt380Scale : 1.0);
}

} // namespace unctora::core
