#pragma once
// The records of "unctora-calc plan", described once. Every record kind — a change, a
// point to look at, a purchase — is a row of the same columns; each column says how
// each kind takes its value and whether JSON writes it bare (numbers, booleans) or as
// a string. The CSV header, the CSV rows and the JSON objects are all written from
// this list, so a column is added by adding its row. The stock columns follow the
// others only when the plan has a stock list, so a plan without one reads as before.

#include "io/csv.h"
#include "plan/plan.h"
#include "plan/purchases.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace unctora::cli {

// What one record is made from: a change, a point (for the reason it is not planned,
// or for one of the things it needs looked at), or a purchase line.
struct PlanRecordSource {
    const plan::PlantPoint* point = nullptr;
    const plan::PointPlan* plan = nullptr;
    const plan::ChangeEntry* change = nullptr;
    const plan::PointPlan::Note* note = nullptr; // a point record: this note, or the point's reason
    const plan::PurchaseLine* purchase = nullptr;
};

using PlanValue = std::optional<std::string> (*)(const PlanRecordSource&);

struct PlanRecordColumn {
    std::string_view name; // CSV header and JSON key
    bool bare = false;     // JSON writes the value unquoted
    bool stockOnly = false;
    // How each kind of record takes the value; none: the record leaves it empty.
    PlanValue change = nullptr;
    PlanValue point = nullptr;
    PlanValue purchase = nullptr;
};

// Every column in output order.
std::span<const PlanRecordColumn> planRecordColumns();

// Writes the records as CSV (header first) or JSON Lines, to a stream, checked.
class PlanRecordWriter {
public:
    PlanRecordWriter(std::FILE* out, bool json, bool withStock);
    PlanRecordWriter(const PlanRecordWriter&) = delete;
    PlanRecordWriter& operator=(const PlanRecordWriter&) = delete;
    void header();
    void change(const PlanRecordSource& s) { record(s, &PlanRecordColumn::change); }
    void point(const PlanRecordSource& s) { record(s, &PlanRecordColumn::point); }
    void purchase(const PlanRecordSource& s) { record(s, &PlanRecordColumn::purchase); }
    // 0 when everything reached the stream, else the errno of the first failure.
    int finish();

private:
    void record(const PlanRecordSource& s, PlanValue PlanRecordColumn::*value);
    bool shown(const PlanRecordColumn& c) const { return m_withStock || !c.stockOnly; }

    io::CheckedOutput m_output;
    std::string& m_buf = m_output.buffer();
    bool m_json;
    bool m_withStock;
};

} // namespace unctora::cli
