#include "plan/route.h"

#include "io/csv.h"

#include <algorithm>
#include <unordered_map>

namespace unctora::plan {

std::size_t Route::stopCount() const {
    std::size_t n = 0;
    for (const RouteLocation& l : locations)
        for (const RouteMachine& m : l.machines)
            n += m.stops.size();
    return n;
}

Route makeRoute(std::vector<RouteStop> stops, Date day, int days) {
    Route route;
    route.day = day;
    route.days = std::clamp(days, 0, kMaxRouteDays);
    const Date end = day + std::chrono::days(route.days);
    std::stable_sort(stops.begin(), stops.end(),
                     [](const RouteStop& a, const RouteStop& b) { return a.order < b.order; });
    // The groups stand where their first point stands in the file, due or not, so that
    // the round walks the plant the same way every week.
    std::unordered_map<std::string, std::size_t> locIndex;
    std::vector<std::unordered_map<std::string, std::size_t>> machIndex;
    for (RouteStop& s : stops) {
        auto [li, newLoc] = locIndex.try_emplace(s.location, route.locations.size());
        if (newLoc) {
            route.locations.push_back({s.location, {}});
            machIndex.emplace_back();
        }
        RouteLocation& loc = route.locations[li->second];
        auto [mi, newMach] = machIndex[li->second].try_emplace(s.machine, loc.machines.size());
        if (newMach)
            loc.machines.push_back({s.machine, {}});
        if (s.due < day)
            s.overdue = true;
        if (s.overdue || s.due < end)
            loc.machines[mi->second].stops.push_back(std::move(s));
    }
    // Groups with nothing due are left out.
    for (RouteLocation& loc : route.locations)
        std::erase_if(loc.machines, [](const RouteMachine& m) { return m.stops.empty(); });
    std::erase_if(route.locations, [](const RouteLocation& l) { return l.machines.empty(); });
    return route;
}

std::string routeCsv(const Route& route) {
    std::string out = "Id,Location,Machine,DueDate,Overdue,DaysOverdue,Lubricator,Grease,Setting,RouteDate\r\n";
    const std::string routeDay = isoDate(route.day);
    for (const RouteLocation& l : route.locations)
        for (const RouteMachine& m : l.machines)
            for (const RouteStop& s : m.stops) {
                const long late = s.overdue ? std::max<long>(0, (route.day - s.due).count()) : 0;
                const std::string fields[] = {s.pointId, s.location, s.machine, isoDate(s.due),
                                              s.overdue ? "yes" : "no", std::to_string(late), s.lubricator,
                                              s.grease, s.setting, routeDay};
                bool first = true;
                for (const std::string& f : fields) {
                    if (!first)
                        out.push_back(',');
                    first = false;
                    io::appendCsvField(out, f);
                }
                out += "\r\n";
            }
    return out;
}

} // namespace unctora::plan
