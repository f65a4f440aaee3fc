// The grease-mixing check and the route of a round.
#include "plan/greasemix.h"
#include "plan/route.h"

#include "core/greases.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>

using namespace unctora::plan;
using Verdict = GreaseMix::Verdict;

TEST(GreaseMix, ComparesThickenersOfTheGreaseTable) {
    // Greases 5 and 6 are both lithium soap under different names; 2 spells it in
    // lower case; 8 is a di-urea grease; 0 is "Unspecified".
    EXPECT_EQ(checkGreaseMix(5, 6).verdict, Verdict::Same);
    EXPECT_EQ(checkGreaseMix(2, 5).verdict, Verdict::Same);
    const GreaseMix m = checkGreaseMix(5, 8);
    EXPECT_EQ(m.verdict, Verdict::Different);
    EXPECT_EQ(m.previousThickener, "Lithium soap");
    EXPECT_EQ(m.newThickener, "Di-urea");
    EXPECT_EQ(checkGreaseMix(4, 13).verdict, Verdict::Same); // calcium sulphonate, either case
    EXPECT_EQ(checkGreaseMix(0, 5).verdict, Verdict::Unknown);
    EXPECT_EQ(checkGreaseMix(5, 99).verdict, Verdict::Unknown);
    EXPECT_EQ(checkGreaseMix(3, 3).verdict, Verdict::Same);
    // A mixed lithium-calcium soap is not a lithium soap; the warning names it spelled
    // as the grease supplier would.
    const GreaseMix mixed = checkGreaseMix(5, 11);
    EXPECT_EQ(mixed.verdict, Verdict::Different);
    EXPECT_EQ(mixed.newThickener, "Lithium-calcium soap");
}

TEST(GreaseMix, FindsGreasesByTheNamesTheHistoryStores) {
    EXPECT_EQ(greaseByName("NVLO2"), 9);
    EXPECT_EQ(greaseByName(" nvlo 2 "), 9);
    EXPECT_EQ(greaseByName("Unspecified"), 0);
    EXPECT_EQ(greaseByName("NVXX9"), std::nullopt);
    EXPECT_EQ(greaseByName(""), std::nullopt);
    EXPECT_EQ(checkGreaseMix("NVLO2", "NVBE2").verdict, Verdict::Different);
    EXPECT_EQ(checkGreaseMix("NVLO2", "unknown grease").verdict, Verdict::Unknown);
}

TEST(GreaseMix, WarningNamesBothThickenersInTheUsersLanguage) {
    unctora::strings::StringTable table;
    ASSERT_TRUE(table.LoadLanguageFile(UNCTORA_SOURCE_DIR "/resources/unctora.sil"));
    EXPECT_EQ(greaseMixWarning(&table, "NVLO2", "NVLO3"), ""); // both lithium soap
    EXPECT_EQ(greaseMixWarning(&table, "Unspecified", "NVBE2"), "");
    for (const char* language : {"English", "German", "Chinese", "Thai"}) {
        SCOPED_TRACE(language);
        ASSERT_TRUE(table.SetLanguageByName(language));
        const std::string w = greaseMixWarning(&table, "NVLO2", "NVBE2");
        EXPECT_NE(w.find("NVLO2"), std::string::npos) << w;
        EXPECT_NE(w.find("NVBE2"), std::string::npos) << w;
        EXPECT_NE(w.find("Lithium soap"), std::string::npos) << w;
        EXPECT_NE(w.find("Di-urea"), std::string::npos) << w;
        EXPECT_LT(w.find("NVBE2"), w.find("Di-urea")); // each thickener after its grease
    }
}

namespace {

RouteStop stop(const char* id, const char* loc, const char* mach, std::size_t order, const char* due,
               bool overdue = false) {
    return {id, loc, mach, order, *parseIsoDate(due), overdue, "6", "NVLO2", "VOXA 125"};
}

std::vector<std::string> ids(const Route& r) {
    std::vector<std::string> out;
    for (const auto& l : r.locations)
        for (const auto& m : l.machines)
            for (const auto& s : m.stops)
                out.push_back(l.location + "/" + m.machine + "/" + s.pointId);
    return out;
}

} // namespace

TEST(Route, SelectsTheWindowAndOverdueAndGroupsInFileOrder) {
    const Date day = *parseIsoDate("2026-12-10");
    std::vector<RouteStop> stops = {
        stop("late", "Hall 2", "Press", 5, "2026-11-01", true),
        stop("a1", "Hall 1", "Fan", 0, "2026-12-10"),
        stop("b1", "Hall 2", "Mill", 1, "2026-12-16"), // the last day of 7
        stop("out", "Hall 1", "Fan", 2, "2026-12-17"), // the first day after
        stop("a2", "Hall 1", "Pump", 3, "2026-12-12"),
        stop("a3", "Hall 1", "Fan", 4, "2026-12-11"),
        stop("pastNotFlagged", "Hall 3", "Saw", 6, "2026-12-09"),
        stop("far", "Hall 3", "Saw", 7, "2027-06-01"),
        stop("first", "Hall 0", "Lathe", 0, "2027-06-01"),  // first in the file, not due
        stop("z", "Hall 0", "Lathe", 9, "2026-12-11"),
    };
    for (std::size_t i = 1; i + 2 < stops.size(); ++i)
        stops[i].order += 1;
    const Route r = makeRoute(stops, day, 7);
    EXPECT_EQ(ids(r), (std::vector<std::string>{"Hall 0/Lathe/z", "Hall 1/Fan/a1", "Hall 1/Fan/a3", "Hall 1/Pump/a2",
                                                "Hall 2/Mill/b1", "Hall 2/Press/late", "Hall 3/Saw/pastNotFlagged"}));
    EXPECT_EQ(r.stopCount(), 7u);
    EXPECT_TRUE(r.locations[3].machines[0].stops[0].overdue);
    EXPECT_EQ(makeRoute(stops, day, 0).stopCount(), 2u); // only the overdue ones
    EXPECT_EQ(makeRoute(stops, day, 1000).stopCount(), 10u);
}

TEST(Route, WorkOrderCsvColumnsAndQuoting) {
    const Date day = *parseIsoDate("2026-12-10");
    std::vector<RouteStop> stops = {stop("P,1", "Hall \"A\"", "Fan", 0, "2026-12-01", true),
                                    stop("Ölpumpe", "Hall B", "Line\n2", 1, "2026-12-12")};
    stops[1].setting = "100 g|5 days";
    const std::string csv = routeCsv(makeRoute(stops, day, 7));
    EXPECT_EQ(csv,
              "Id,Location,Machine,DueDate,Overdue,DaysOverdue,Lubricator,Grease,Setting,RouteDate\r\n"
              "\"P,1\",\"Hall \"\"A\"\"\",Fan,2026-12-01,yes,9,VOXA 125,NVLO2,6,2026-12-10\r\n"
              "Ölpumpe,Hall B,\"Line\n2\",2026-12-12,no,0,VOXA 125,NVLO2,100 g|5 days,2026-12-10\r\n");
    EXPECT_EQ(routeCsv(makeRoute({}, day, 7)),
              "Id,Location,Machine,DueDate,Overdue,DaysOverdue,Lubricator,Grease,Setting,RouteDate\r\n");
}
