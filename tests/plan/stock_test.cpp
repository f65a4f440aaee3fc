// The stock list and the orders it gives: worked by hand on a small plant, and the
// file read tolerant of what a person types into a spreadsheet, written back whole.
#include "plan/purchases.h"
#include "plan/stock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace unctora;
using namespace unctora::plan;

namespace {

Date day(const char* iso) { return *parseIsoDate(iso); }

StockFile parsed(const std::string& text) {
    StockFile f;
    std::string error;
    EXPECT_TRUE(parseStock(text, f, error)) << error;
    return f;
}

std::vector<std::string> problemTexts(const StockFile& f) {
    std::vector<std::string> out;
    for (const PlanMessage& m : f.problems)
        out.push_back(messageText(m));
    return out;
}

// Two points share one VOXA 400 (refilled every 98 days: 2027-03-03, 06-09, 09-14 in
// the year from 2026-12-10); a VOXA 125 in heat is changed after 4.5 months
// (2027-04-16, 08-31). Neither names a grease.
const char* kPlant =
    "Id,Unit,Lubricator,Bore_mm,D_mm,B_mm,Speed,ContMoist,Ambient,Load,Type,InstalledOn\n"
    "FAN A,FAN-204,VOXA 400,100,180,46,1480,High,Above 40,Moderate,Spherical roller bearings,2026-11-25\n"
    "FAN B,FAN-204,VOXA 400,60,110,22,2980,Low,Average,Low,Deep groove ball bearings,2026-11-20\n"
    "HEAT,,VOXA 125,80,170,39,1480,High,Above 40,Low,Deep groove ball bearings,2026-11-30\n";

struct Planned {
    std::vector<PointPlan> points;
    std::vector<ChangeEntry> changes;
};

Planned planOf(const char* text, Date from) {
    PlantFile file;
    std::string error;
    EXPECT_TRUE(parsePlantFile(text, file, error)) << error;
    Planned p;
    p.points = evaluatePlan(file, core::Units::SI, from);
    p.changes = changeDates(p.points, from, 12);
    return p;
}

const PurchaseLine& lineOf(const std::vector<PurchaseLine>& lines, int lubricator) {
    for (const PurchaseLine& l : lines)
        if (l.lubricator == lubricator)
            return l;
    ADD_FAILURE() << "no line for lubricator " << lubricator;
    return lines.front();
}

} // namespace

TEST(StockOrders, TheFirstChangeTheStoreCannotServeDatesTheOrder) {
    const std::vector<Date> dates = {day("2027-03-02"), day("2027-03-20"), day("2027-05-01")};
    const struct {
        const char* name;
        int inStore, lead;
        const char* firstDay;
        std::optional<const char*> orderBy;
        bool overdue;
        int toOrder;
    } cases[] = {
        {"nothing in store: the first change, five days back over the month end", 0, 5, "2026-12-10", "2027-02-25",
         false, 3},
        {"one in store: the second change", 1, 30, "2026-12-10", "2027-02-18", false, 2},
        {"the store covers every change exactly", 3, 30, "2026-12-10", std::nullopt, false, 0},
        {"more in store than needed", 9, 30, "2026-12-10", std::nullopt, false, 0},
        {"an order due before the first day is overdue", 0, 90, "2026-12-10", "2026-12-02", true, 3},
        {"an order due on the first day is not", 0, 82, "2026-12-10", "2026-12-10", false, 3},
        {"no lead time: by the change's own day", 2, 0, "2026-12-10", "2027-05-01", false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const StockOrder o = orderFor(dates, c.inStore, c.lead, day(c.firstDay));
        EXPECT_EQ(o.inStore, c.inStore);
        EXPECT_EQ(o.leadDays, c.lead);
        EXPECT_EQ(o.orderBy.has_value(), c.orderBy.has_value());
        if (c.orderBy && o.orderBy)
            EXPECT_EQ(isoDate(*o.orderBy), *c.orderBy);
        EXPECT_EQ(o.overdue, c.overdue);
        EXPECT_EQ(o.toOrder, c.toOrder);
    }
    EXPECT_FALSE(orderFor({}, 0, 14, day("2026-12-10")).orderBy);
}

TEST(StockOrders, ASharedUnitCountsOnceAndTheStoreServesTheWholePlant) {
    const Planned p = planOf(kPlant, day("2026-12-10"));
    ASSERT_EQ(p.changes.size(), 5u);
    const StockFile stock = parsed("Lubricator,Grease,Stock,LeadTime_days\n"
                                   "VOXA 400,Unspecified,1,20\n"
                                   "VOXA 125,0,0,16\n");
    std::vector<PurchaseLine> lines = purchaseSummary(p.points, p.changes);
    planOrders(lines, p.points, p.changes, stock, day("2026-12-10"));
    // Three refills of the one reservoir, not six: the one in store serves 2027-03-03,
    // the second (2027-06-09) is ordered 20 days ahead.
    const PurchaseLine& shared = lineOf(lines, core::VOXA400);
    EXPECT_EQ(shared.cartridges, 3);
    ASSERT_TRUE(shared.stock && shared.stock->orderBy);
    EXPECT_TRUE(shared.stock->listed);
    EXPECT_EQ(isoDate(*shared.stock->orderBy), "2027-05-20");
    EXPECT_EQ(shared.stock->toOrder, 2);
    // Nothing in store: the change of 2027-04-16, 16 days back across March's end.
    const PurchaseLine& heat = lineOf(lines, core::VOXA125);
    ASSERT_TRUE(heat.stock && heat.stock->orderBy);
    EXPECT_EQ(isoDate(*heat.stock->orderBy), "2027-03-31");
    EXPECT_EQ(heat.stock->toOrder, 2);

    // Lines of a filtered list (the heated point only) still order for the whole store.
    std::vector<ChangeEntry> shown;
    for (const ChangeEntry& c : p.changes)
        if (p.points[c.point].unit.empty())
            shown.push_back(c);
    std::vector<PurchaseLine> some = purchaseSummary(p.points, shown);
    ASSERT_EQ(some.size(), 1u);
    planOrders(some, p.points, p.changes, stock, day("2026-12-10"));
    EXPECT_EQ(some[0].stock->toOrder, 2);

    // An item the list lacks has nothing in store and the longest lead time listed.
    std::vector<PurchaseLine> unlisted = purchaseSummary(p.points, p.changes);
    planOrders(unlisted, p.points, p.changes, parsed("Lubricator,Grease,Stock,LeadTime_days\nTENO 125,NVTE2,4,45\n"),
               day("2026-12-10"));
    const PurchaseLine& u = lineOf(unlisted, core::VOXA400);
    EXPECT_FALSE(u.stock->listed);
    EXPECT_EQ(u.stock->inStore, 0);
    EXPECT_EQ(u.stock->leadDays, 45);
    EXPECT_EQ(isoDate(*u.stock->orderBy), "2027-01-17"); // 2027-03-03 less 45 days
}

TEST(StockFileRead, BadRowsAreSaidWithLineAndColumnAndKept) {
    const std::string text = "Lubricator,Grease,Stock,LeadTime_days,Shelf\r\n"
                             "VOXA 125,NVTE2,6,14,A3\r\n"
                             "VOXA 126,NVTE2,6,14,A4\r\n"
                             "TENO 125,grease,-1,14,\r\n"
                             "TENO 250,NVBE2,2,731,\r\n"
                             "voxa 125 , nvte2 ,3,14,again\r\n"
                             "ZOLT 120ml,NVBE2,1.5,,\r\n"
                             "VOXA 400,NVBE2,1,2,B1,one too many\r\n"
                             "VOXA 1000,NVSU2,\" 4 \",7,\r\n";
    const StockFile f = parsed(text);
    EXPECT_EQ(problemTexts(f),
              (std::vector<std::string>{
                  "line 3: column Lubricator: \"VOXA 126\" is not a lubricator model",
                  "line 4: column Grease: \"grease\" is not a grease",
                  "line 4: column Stock: \"-1\" is not a whole number of cartridges from 0 to 100000",
                  "line 5: column LeadTime_days: \"731\" is not a whole number of days from 0 to 730",
                  "line 6: the same lubricator and grease as line 2",
                  "line 7: column Stock: \"1.5\" is not a whole number of cartridges from 0 to 100000",
                  "line 7: column LeadTime_days: \"\" is not a whole number of days from 0 to 730",
                  "line 8: expected 5 fields, found 6",
              }));
    ASSERT_TRUE(f.find(core::VOXA125, 3));
    EXPECT_EQ(f.find(core::VOXA125, 3)->stock, 6); // the first row of the item stands
    EXPECT_EQ(f.find(core::VOXA1000, 4)->stock, 4);
    EXPECT_FALSE(f.find(core::TENO250, 8));
    EXPECT_EQ(f.defaultLeadDays(), 14);
    // Nothing is lost: the bytes come back as they were.
    EXPECT_EQ(stockBytes(f), text);
}

TEST(StockFileRead, SpreadsheetFilesHeadersAndMissingFiles) {
    // Semicolons, a byte-order mark and columns in another order come back the same.
    const std::string semi = "\xEF\xBB\xBF" "Stock;Lieferant;Grease;Lubricator;LeadTime_days\r\n"
                             "5;Fa. Berg;NVSU2;TENO 125;21\r\n";
    StockFile f = parsed(semi);
    EXPECT_EQ(f.separator, ';');
    ASSERT_TRUE(f.find(core::TENO125, 4));
    EXPECT_EQ(f.find(core::TENO125, 4)->leadDays, 21);
    EXPECT_EQ(stockBytes(f), semi);
    // Set: the row of the item keeps its other cells; a new item is a row of its own.
    f.set(core::TENO125, 4, 7, 10);
    f.set(core::VOXA60, 0, 2, 3);
    EXPECT_EQ(stockBytes(f), "\xEF\xBB\xBF" "Stock;Lieferant;Grease;Lubricator;LeadTime_days\r\n"
                             "7;Fa. Berg;NVSU2;TENO 125;10\r\n"
                             "2;;Unspecified;VOXA 60;3\r\n");

    // A row whose count did not read is set in place rather than named twice.
    StockFile bad = parsed("Lubricator,Grease,Stock,LeadTime_days\nVOXA 125,NVTE2,many,14\nVOXA 60,NVTE2,x,1\n");
    ASSERT_EQ(bad.problems.size(), 2u);
    bad.set(core::VOXA125, 3, 4, 14);
    EXPECT_EQ(problemTexts(bad),
              (std::vector<std::string>{"line 3: column Stock: \"x\" is not a whole number of cartridges from 0 to 100000"}));
    EXPECT_EQ(stockBytes(bad), "Lubricator,Grease,Stock,LeadTime_days\r\nVOXA 125,NVTE2,4,14\r\nVOXA 60,NVTE2,x,1\r\n");
    EXPECT_EQ(parsed(stockBytes(bad)).find(core::VOXA125, 3)->stock, 4);

    for (const char* header : {"Lubricator,Grease,Stock\n", "Lubricator,Grease,Stock,LeadTime_days,stock\n",
                               "Id,Speed\n"}) {
        SCOPED_TRACE(header);
        StockFile out;
        std::string error;
        EXPECT_FALSE(parseStock(header, out, error));
        EXPECT_FALSE(error.empty());
    }

    const auto dir = std::filesystem::temp_directory_path() / ("unctora-stock-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "folder.stock.csv");
    StockFile none;
    std::string error;
    EXPECT_TRUE(readStock((dir / "plant.stock.csv").string(), none, error)) << error;
    EXPECT_FALSE(none.existed);
    EXPECT_FALSE(readStock((dir / "folder.stock.csv").string(), none, error));
    EXPECT_NE(error.find("folder.stock.csv"), std::string::npos) << error;
    // Written whole and read back; an empty file is a list without rows.
    StockFile made;
    made.set(core::ZOLT380, 2, 12, 30);
    writeStock((dir / "plant.stock.csv").string(), made);
    EXPECT_TRUE(readStock((dir / "plant.stock.csv").string(), none, error)) << error;
    EXPECT_TRUE(none.existed);
    EXPECT_EQ(none.find(core::ZOLT380, 2)->stock, 12);
    std::ofstream(dir / "empty.stock.csv").flush();
    EXPECT_TRUE(readStock((dir / "empty.stock.csv").string(), none, error));
    EXPECT_TRUE(none.existed && none.rows.empty());
    std::filesystem::remove_all(dir);

    EXPECT_EQ(stockPathFor("/plants/mill.csv"), "/plants/mill.stock.csv");
    EXPECT_EQ(stockPathFor("/plants/mill.CSV"), "/plants/mill.stock.csv");
    EXPECT_EQ(stockPathFor("/plants.v2/mill"), "/plants.v2/mill.stock.csv");
}
