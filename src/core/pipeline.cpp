#include "core/pipeline.h"

#include "core/errors.h"
#include "core/round.h"
#include "text/format.h"

namespace unctora::core {

void inchTexts(const CalcInputs& in, CalcDisplay& d, const std::string& sep) {
    d.edBore_in = text::fixed(in.Bore_mm / kMmPerInch, 2, sep);
    d.edD_in = text::fixed(in.D_mm / kMmPerInch, 2, sep);
    d.edB_in = text::fixed(in.B_mm / kMmPerInch, 2, sep);
}

std::string intervalText(double hours) {
    const std::int64_t shown = hours > 100 ? Round(hours / 100) * 100 : 100;
    return std::to_string(shown);
}

std::string greaseQuantityText(double Gp, Units units, const std::string& sep) {
    const double shown = units == Units::SI
                             ? static_cast<double>(Round(Gp))
                             : static_cast<double>(Round(gramsToOunces(Gp) * 10)) / 10;
    return text::fixed(shown, 1, sep);
}

std::string feedRateText(double Qf, Units units, const std::string& sep) {
    const double value = units == Units::SI ? Qf : gramsToOunces(Qf);
    return text::fixed(value, value < 0.1 ? 3 : 2, sep);
}

CalcRun runCalculation(const CalcInputs& in, Units units, const CalcContext& ctx) {
    CalcRun run;
    inchTexts(in, run.display, ctx.decimalSeparator);
    CalcResults& r = run.results;
    r.Gp = calculateGreaseQuantity(in, ctx);
    r.tf = calculateRelubricationInterval(in, ctx);
    r.tfc = calculateCorrectedRelubricationInterval(in, r.tf, ctx);
    r.Qf = calculateFeedRate(in, r.Gp, r.tfc, ctx);
    calculateLubricatorSetting(in, r.Gp, r.tfc, r.Qf, r, ctx);
    run.display.edTf = intervalText(r.tf);
    run.display.edTfcorr = intervalText(r.tfc);
    run.display.edGp = greaseQuantityText(r.Gp, units, ctx.decimalSeparator);
    run.display.edQf = feedRateText(r.Qf, units, ctx.decimalSeparator);
    return run;
}

CalcOutcome calculate(const CalcInputs& in, Units units, const CalcContext& ctx) {
    CalcOutcome out;
    try {
        out.run = runCalculation(in, units, ctx);
        out.ok = true;
    } catch (const CalculationError& e) {
        out.error = e.what();
    } catch (const text::FormatError& e) {
        out.error = e.what();
    }
    if (!out.ok) {
        out.run.results = CalcResults{};
        inchTexts(in, out.run.display, ctx.decimalSeparator);
        out.run.display.edTf = out.run.display.edTfcorr = "0";
        out.run.display.edGp = out.run.display.edQf = "0";
    }
    return out;
}

} // namespace unctora::core
