#pragma once
// The first step of the plan: one row of the plant file read and assessed as the
// calculator assesses it, up to the setting. Its unit is planned afterwards
// (unitlife.h), because the points of a shared unit are planned together.

#include "plan/plan.h"

#include <string>
#include <string_view>

namespace unctora::plan {

// What a point needs before its unit is planned: the results the setting is made of.
struct Demand {
    double DS = 0;
    double pauseBase = 0;
};

// Reads and computes one point up to its setting. A computed point leaves with the
// status Ok and its setting as the calculator shows it; its unit plans the rest.
PointPlan readPoint(const PlantPoint& point, const CsvDialect& dialect, core::Units units, Demand& d);

// The text without the blanks and tabs around it.
std::string trimmedText(std::string_view s);

} // namespace unctora::plan
