#include "core/calculation.h"

#include "core/bearings.h"
#include "core/conditions.h"
#include "core/errors.h"
#include "core/greases.h"
#include "core/lubricators.h"
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


void log(const CalcContext& ctx, std::string_view line) {
    if (ctx.log)
        ctx.log->addLogLine(std::string(line));
}

void logResult(const CalcContext& ctx, double value) {
    if (ctx.log)
        ctx.log->addLogLine(text::format("  Result=%.2f", {value}, ctx.decimalSeparator));
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
    // A dial shows the months at its own scale; a step model the step of the feed rate.
    if (const LubricatorModel* m = lubricatorModel(in.Lubricator)) {
        if (!m->steps.empty())
            DS = monthStep(*m, gramsToMillilitres(Qf));
        else if (m->control == SettingControl::MonthDial && m->dialScale != 1)
            DS = DS * m->dialScale;
    }
    r.DS = checkedFinite(DS);
}

int tenoSetting(double Qf, int lubricator) {
    const LubricatorModel* m = lubricatorModel(lubricator);
    return m && m->control == SettingControl::RotarySwitch ? monthStep(*m, gramsToMillilitres(Qf)) : 0;
}

int zoltSetting(double Qf, int lubricator) {
    const LubricatorModel* m = lubricatorModel(lubricator);
    return m && m->control == SettingControl::DipSwitches ? monthStep(*m, gramsToMillilitres(Qf)) : 0;
}

} // namespace unctora::core
