#pragma once
// For the tests of the plan after recorded changes: a plant from its text, a change
// record, and the plan on 2026-12-10 with the records given.
#include "plan/history.h"
#include "plan/plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace unctora::plan::recorded {

inline Date day(const char* iso) { return *parseIsoDate(iso); }

inline PlantFile parsed(const std::string& text) {
    PlantFile f;
    std::string error;
    EXPECT_TRUE(parsePlantFile(text, f, error)) << error;
    return f;
}

inline ChangeRecord change(const std::string& id, const char* date, const std::string& setting) {
    ChangeRecord r;
    r.pointId = id;
    r.date = day(date);
    r.doneBy = "K. Lind";
    r.setting = setting;
    r.recordedAt = "2026-12-01T08:00:00Z";
    return r;
}

inline std::vector<PointPlan> planWith(const PlantFile& f, std::vector<ChangeRecord> records,
                                       core::Units units = core::Units::SI) {
    ChangeRecords all(records.begin(), records.end());
    const LastChangeById last = lastChangeById(all);
    return evaluatePlan(f, units, day("2026-12-10"), &last);
}

} // namespace unctora::plan::recorded
