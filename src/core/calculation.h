#pragma once
// The formulas of one calculation: grease quantity, relubrication interval,
// corrected interval, feed rate and lubricator setting. Each step writes its lines
// to the log (when one is given) exactly as the calculation log shows them.

#include "core/calcinputs.h"

#include <string>

namespace unctora::core {

class LogSink;

// Values in the log use this decimal separator.
struct CalcContext {
    LogSink* log = nullptr;
    std::string decimalSeparator = ".";
};

double calculateGreaseQuantity(const CalcInputs& in, const CalcContext& ctx);
double calculateRelubricationInterval(const CalcInputs& in, const CalcContext& ctx);
double calculateCorrectedRelubricationInterval(const CalcInputs& in, double tf,
                                               const CalcContext& ctx);
double calculateFeedRate(const CalcInputs& in, double Gp, double tfc, const CalcContext& ctx);
// Sets tfcHours, OldQf, DS and PauseBase of r from Gp, tfc and Qf.
void calculateLubricatorSetting(const CalcInputs& in, double Gp, double tfc, double Qf,
                                CalcResults& r, const CalcContext& ctx);

// The month steps of the rotary-switch and DIP-switch units: Qf in g/day to the setting
// (99 below the slowest step, 0 above the fastest; 0 for a model of another family).
int tenoSetting(double Qf, int lubricator);
int zoltSetting(double Qf, int lubricator);

} // namespace unctora::core
