#pragma once
// One recalculation, as the window and the batch calculator both run it:
// inch read-outs, Gp, tf, tfc, Qf, the lubricator setting, then the texts of the
// four result fields. Pure: inputs in, results and texts out, log lines to the sink.

#include "core/calcinputs.h"
#include "core/calculation.h"
#include "core/units.h"

#include <string>

namespace unctora::core {

// The texts of the result and inch fields of the "Dial setting" tab.
struct CalcDisplay {
    std::string edBore_in, edD_in, edB_in;
    std::string edTf, edTfcorr, edGp, edQf;
};

struct CalcRun {
    CalcResults results;
    CalcDisplay display;
};

// The inch read-outs: d, D and B in inches, "%.2f".
void inchTexts(const CalcInputs& in, CalcDisplay& d, const std::string& decimalSeparator);

// Texts of the interval fields: whole hundreds, at least 100.
std::string intervalText(double hours);
std::string greaseQuantityText(double Gp, Units units, const std::string& decimalSeparator);
std::string feedRateText(double Qf, Units units, const std::string& decimalSeparator);

// The calculation proper; raises CalculationError where the arithmetic fails.
// Log lines written before a failure stay written.
CalcRun runCalculation(const CalcInputs& in, Units units, const CalcContext& ctx);

// runCalculation with the failure display: on a CalculationError the four result
// fields show "0", the results are those of a failed run (PauseBase 0) and the
// error's message is kept. The inch read-outs are shown either way.
struct CalcOutcome {
    bool ok = false;
    std::string error;
    CalcRun run;
};
CalcOutcome calculate(const CalcInputs& in, Units units, const CalcContext& ctx);

} // namespace unctora::core
