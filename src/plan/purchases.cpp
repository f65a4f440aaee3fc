#include "plan/purchases.h"

#include "core/units.h"

#include <map>

namespace unctora::plan {

std::vector<PurchaseLine> purchaseSummary(const std::vector<PointPlan>& plan,
                                          const std::vector<ChangeEntry>& changes) {
    std::map<std::pair<int, int>, PurchaseLine> lines;
    for (const ChangeEntry& c : changes) {
        const PointPlan& p = plan[c.point];
        PurchaseLine& l = lines[{p.inputs.Lubricator, p.inputs.Grease}];
        l.lubricator = p.inputs.Lubricator;
        l.grease = p.inputs.Grease;
        ++l.cartridges;
        l.volumeMl += p.volumeMl;
        l.grams += p.volumeMl * core::kGramsPerMl;
    }
    std::vector<PurchaseLine> out;
    out.reserve(lines.size());
    for (auto& [key, line] : lines)
        out.push_back(line);
    return out;
}

} // namespace unctora::plan
