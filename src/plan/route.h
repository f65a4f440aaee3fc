#pragma once
// The weekly round: the cartridge changes due within a number of days and every one
// overdue, grouped by location and then machine in the order of the plant file, as the
// printed route sheet and the work-order CSV list them.

#include "plan/date.h"

#include <cstddef>
#include <string>
#include <vector>

namespace unctora::plan {

// One point with its next change, as the plan hands it over. Hand over every planned
// point, not only the due ones: the points not due are left out of the route, but
// they fix the order of the locations and machines.
struct RouteStop {
    std::string pointId;
    std::string location;
    std::string machine;
    std::size_t order = 0;   // the point's row in the plant file
    Date due{};
    bool overdue = false;    // set by the plan; a due date before the day counts as overdue too
    std::string setting;     // to dial, lines joined with "|" as the plan's badge text
    std::string grease;
    std::string lubricator;  // the unit: lubricator model
};

struct RouteMachine {
    std::string machine;
    std::vector<RouteStop> stops; // in plant-file order
};
struct RouteLocation {
    std::string location;
    std::vector<RouteMachine> machines;
};

struct Route {
    Date day{};     // the round starts on this day
    int days = 7;   // and takes the changes due before day + days
    std::vector<RouteLocation> locations;
    std::size_t stopCount() const;
};
inline constexpr int kDefaultRouteDays = 7;
inline constexpr int kMaxRouteDays = 3660;

// Every stop due before `day + days` (so due within the days from `day` on), and every
// overdue one; locations and machines in the order of their first point among all the
// stops given (the plant file's order), points in that order within their machine.
Route makeRoute(std::vector<RouteStop> stops, Date day, int days);

// The work-order CSV: a header line, then one line per stop, in route order, fields as
// RFC 4180 (comma, double quotes, CR LF), UTF-8 without byte-order mark:
//   Id, Location, Machine, DueDate (YYYY-MM-DD), Overdue ("yes"/"no"),
//   DaysOverdue (whole days before the round's day, 0 when not overdue), Lubricator,
//   Grease, Setting (the badge lines joined with "|"), RouteDate (the round's day).
std::string routeCsv(const Route& route);

} // namespace unctora::plan
