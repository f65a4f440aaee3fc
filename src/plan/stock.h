#pragma once
// The store of a plant: how many cartridges of each lubricator model and grease are on
// the shelf, and how many days an order of them takes to arrive. It is kept in
// "<plant>.stock.csv" beside the plant file, one row per item, a file a person may
// edit in a spreadsheet:
//
//   Lubricator,Grease,Stock,LeadTime_days
//   VOXA 125,NVTE2,6,14
//
// A plant without the file is planned without a store. The file is read tolerant: a
// row that does not read (an unknown model or grease, a count that is no whole
// number, the same item twice, a field too many) is not used and is said with its
// line and column, and every row, read or not, is written back as it stood, the
// columns of other programs with it. Writes replace the file atomically.

#include "plan/plan.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::plan {

// The columns of a stock list, in the order a new one is written in.
enum class StockColumn { Lubricator, Grease, Stock, LeadTime };
inline constexpr std::string_view kStockColumnNames[] = {"Lubricator", "Grease", "Stock", "LeadTime_days"};
inline constexpr int kStockColumnCount = static_cast<int>(std::size(kStockColumnNames));
static_assert(kStockColumnCount == static_cast<int>(StockColumn::LeadTime) + 1, "every stock column has its name");

inline constexpr int kMaxStock = 100000;
inline constexpr int kMaxLeadDays = 730;
// The lead time of an item the list does not name yet, when no other item gives one.
inline constexpr int kDefaultLeadDays = 14;

struct StockRow {
    // One text per column of the file (StockFile::columns), as read or stored.
    std::vector<std::string> cells;
    // The row's text as it stood in the file, without its line end: written back as
    // it was unless the program set the row.
    std::string asRead;
    bool edited = false;
    // A row that could not be split into the header's columns.
    bool malformed = false;
    long line = 0; // of the file; 0 for a row the program added
    // What the row says. `item` when its lubricator and grease read; `valid` when the
    // whole row does and it is the first of its item.
    bool item = false;
    bool valid = false;
    int lubricator = 0;
    int grease = 0;
    int stock = 0;
    int leadDays = 0;
};

struct StockFile {
    bool existed = false;
    char separator = ',';
    bool byteOrderMark = false;
    // The header as read, in the file's order; ours that it lacks follow when written.
    std::vector<std::string> columns;
    std::vector<StockRow> rows;
    // Why rows are not used, each with its line.
    std::vector<PlanMessage> problems;

    // The row that stands for the item, when one reads.
    const StockRow* find(int lubricator, int grease) const;
    // The lead time an item the list lacks is given: the longest the list has (an
    // order takes that long at worst), kDefaultLeadDays when it has none.
    int defaultLeadDays() const;
    // Sets an item's stock and lead time: in the row that names it (its other cells
    // kept), or in a row added at the end.
    void set(int lubricator, int grease, int stock, int leadDays);
};

// "<plant>.stock.csv" for "<plant>.csv" (a plant file without the .csv ending keeps
// its whole name).
std::string stockPathFor(const std::string& plantPath);

// Reads the file's bytes. A header without our four columns (or naming one twice) is
// an error: false, nothing read. Rows that do not read are kept and listed in problems.
bool parseStock(std::string_view bytes, StockFile& out, std::string& error);
// Reads the file; a missing file is no stock list (true, existed false).
bool readStock(const std::string& path, StockFile& out, std::string& error);

// The file's bytes: the header (ours missing appended), then every row.
std::string stockBytes(const StockFile& file);
// Writes atomically; files::WriteError on failure, the old file left as it was.
void writeStock(const std::string& path, const StockFile& file);

} // namespace unctora::plan
