#pragma once
// Which greases suit the chosen lubricator and operating point.

#include "core/calcinputs.h"

#include <array>
#include <string>

namespace unctora::core {

class LogSink;
struct CalcContext;

// Class 0..4 of Sf = n x dm against the bearing's speed-class limits.
int classifySpeed(int type, int sub1, int sub2, double Sf, const CalcContext& ctx);

// n x dm of the inputs (dm = D when the outer ring rotates, else the mean diameter).
double speedFactor(const CalcInputs& in);

struct Suitability {
    std::array<bool, kGreaseCount> enabled{}; // item 0 ("Unspecified") always enabled
    int grease = 0;                            // the grease that stays selected
    int speedClass = 0;
    double Sf = 0;
};

// Re-rates greases 1..13 against lubricator, speed class, load class and bearing
// temperature class; the selected grease (in.Grease) stays selected when it is still
// enabled, otherwise the selection falls back to 0 ("Unspecified").
Suitability checkApplicationSuitability(const CalcInputs& in, const CalcContext& ctx);

// "True" or "False", as the log writes flags.
const char* BoolText(bool b);

} // namespace unctora::core
