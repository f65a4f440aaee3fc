#pragma once
// What the changes of a coming period take to buy, and, with a stock list, when to
// order it.
//
// The changes of an item (a lubricator model filled with a grease) take the cartridges
// in store in date order. The first change the store cannot serve is the one the order
// is for: it must be there by that change's date, so it is ordered by that date less
// the lead time. The quantity ordered covers every change of the period. A shared
// multi-point unit is one reservoir and counts once per refill, since the change list
// carries it once.

#include "plan/date.h"
#include "plan/plan.h"

#include <optional>
#include <vector>

namespace unctora::plan {

struct StockFile;

// When to order an item, with a stock list.
struct StockOrder {
    int inStore = 0;
    int leadDays = 0;
    bool listed = false;         // the stock list has a row for the item
    std::optional<Date> orderBy; // none: the store covers every change of the period
    bool overdue = false;        // orderBy lies before the first day of the period
    int toOrder = 0;             // cartridges to order to cover the period
};

// Cartridges to buy: per lubricator model and grease, ordered by model then grease.
struct PurchaseLine {
    int lubricator = 0;
    int grease = 0;
    int cartridges = 0;
    double volumeMl = 0; // of all these cartridges together
    double grams = 0;
    std::optional<StockOrder> stock; // with a stock list (see planOrders)
};
std::vector<PurchaseLine> purchaseSummary(const std::vector<PointPlan>& plan,
                                          const std::vector<ChangeEntry>& changes);

// The order of one item: its changes' dates in date order, what the store holds and
// how long an order takes, from the first day of the period.
StockOrder orderFor(const std::vector<Date>& changeDates, int inStore, int leadDays, Date firstDay);

// Fills each line's stock and order from the store. The store serves the whole plant,
// so the changes counted are those of `allChanges`, whatever part of them the lines
// list; an item the list lacks has nothing in store and its defaultLeadDays.
void planOrders(std::vector<PurchaseLine>& lines, const std::vector<PointPlan>& plan,
                const std::vector<ChangeEntry>& allChanges, const StockFile& stock, Date firstDay);

} // namespace unctora::plan
