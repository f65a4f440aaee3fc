#pragma once
// What the changes of a coming period take to buy.

#include "plan/plan.h"

#include <vector>

namespace unctora::plan {

// Cartridges to buy: per lubricator model and grease, ordered by model then grease.
struct PurchaseLine {
    int lubricator = 0;
    int grease = 0;
    int cartridges = 0;
    double volumeMl = 0; // of all these cartridges together
    double grams = 0;
};
std::vector<PurchaseLine> purchaseSummary(const std::vector<PointPlan>& plan,
                                          const std::vector<ChangeEntry>& changes);

} // namespace unctora::plan
