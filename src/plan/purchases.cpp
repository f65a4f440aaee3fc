#include "plan/purchases.h"

#include "core/units.h"
#include "plan/stock.h"

#include <algorithm>
#include <chrono>
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

StockOrder orderFor(const std::vector<Date>& dates, int inStore, int leadDays, Date firstDay) {
    StockOrder o;
    o.inStore = inStore;
    o.leadDays = leadDays;
    const std::size_t covered = static_cast<std::size_t>(std::max(inStore, 0));
    if (dates.size() <= covered)
        return o;
    o.orderBy = dates[covered] - std::chrono::days(leadDays);
    o.overdue = *o.orderBy < firstDay;
    o.toOrder = static_cast<int>(dates.size() - covered);
    return o;
}

void planOrders(std::vector<PurchaseLine>& lines, const std::vector<PointPlan>& plan,
                const std::vector<ChangeEntry>& allChanges, const StockFile& stock, Date firstDay) {
    // The change list is in date order already; each item's dates keep it.
    std::map<std::pair<int, int>, std::vector<Date>> dates;
    for (const ChangeEntry& c : allChanges) {
        const PointPlan& p = plan[c.point];
        dates[{p.inputs.Lubricator, p.inputs.Grease}].push_back(c.date);
    }
    const int defaultLead = stock.defaultLeadDays();
    for (PurchaseLine& l : lines) {
        const StockRow* row = stock.find(l.lubricator, l.grease);
        std::vector<Date>& d = dates[{l.lubricator, l.grease}];
        std::sort(d.begin(), d.end());
        l.stock = orderFor(d, row ? row->stock : 0, row ? row->leadDays : defaultLead, firstDay);
        l.stock->listed = row != nullptr;
    }
}

} // namespace unctora::plan
