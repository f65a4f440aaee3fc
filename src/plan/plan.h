#pragma once
// What the plant plan makes of its points: each point computed as the calculator
// computes it, its cartridge life, when its cartridge is next changed, the change
// dates of a coming period and what they take to buy.
//
// Cartridge life: the setting in months for the single-point units; for the units
// set by feed rate or pump cycle (VOXA 400, VOXA 1000) the reservoir volume divided
// by the daily feed. Grease per year: the volume times the changes per year.

#include "core/calcinputs.h"
#include "core/units.h"
#include "plan/date.h"
#include "plan/plantfile.h"

#include <optional>
#include <string>
#include <vector>

namespace unctora::plan {

enum class PointStatus {
    Ok,      // computed; next change later than 30 days from the day of the plan
    DueSoon, // next change within 30 days
    Overdue, // next change before the day of the plan
    Failed,  // the calculation failed, or the setting is out of the lubricator's range
    Invalid, // a cell that cannot be read, or a row that does not fit the header
};
inline constexpr int kDueSoonDays = 30;
// The volumes a Volume_ml cell may give, and the shortest cartridge life planned: no
// point is changed more often than weekly.
inline constexpr double kMinVolumeMl = 1;
inline constexpr double kMaxVolumeMl = 100000;
inline constexpr double kMinLifeDays = 7;

// The nominal cartridge or reservoir volume of a lubricator model, in ml.
double nominalVolumeMl(int lubricator);

struct PointPlan {
    PointStatus status = PointStatus::Invalid;
    std::string error; // why the point is invalid or failed (English, as the batch says it)
    bool outOfRange = false; // failed because the setting is "--"
    core::CalcInputs inputs; // as used
    double Qf = 0;           // grams per day
    std::string setting;     // the badge text, lines joined with "|"
    double volumeMl = 0;
    bool singlePoint = true;
    int monthsPerCartridge = 0;          // single-point units
    double lifeDays = 0;                 // every unit: days one cartridge lasts
    std::optional<Date> installedOn;     // none when the cell is empty
    std::optional<Date> nextChange;
    double gramsPerYear = 0;

    bool computed() const { return status != PointStatus::Invalid && status != PointStatus::Failed; }
    double months() const { return lifeDays / (365.2425 / 12); }
};

// Computes one point; `day` is the day the plan is made for (the status compares the
// next change with it). Badge texts are in `units`.
PointPlan evaluatePoint(const PlantPoint& point, const CsvDialect& dialect, core::Units units, Date day);
std::vector<PointPlan> evaluatePlan(const PlantFile& file, core::Units units, Date day);

// One cartridge change of the coming period.
struct ChangeEntry {
    Date date;
    std::size_t point = 0; // index into the plan
    bool overdue = false;  // due before the first day of the period
    // Which change after the one of InstalledOn this is (1: the next change): with the
    // point's key it names the change the same way in every export.
    int number = 0;
};

// The changes from `from` for `months` calendar months (the end day excluded), ordered
// by date and then by point. A change already overdue is listed on its due date and
// the next ones counted from `from`, when the cartridge is changed at the latest.
std::vector<ChangeEntry> changeDates(const std::vector<PointPlan>& plan, Date from, int months);
inline constexpr int kMaxPlanMonths = 120;

// Cartridges to buy: per lubricator model and grease, ordered by model then grease.
struct PurchaseLine {
    int lubricator = 0;
    int grease = 0;
    int cartridges = 0;
    double volumeMl = 0; // of all these cartridges together
    double grams = 0;
};
std::vector<PurchaseLine> purchaseSummary(const std::vector<PointPlan>& plan,
                                          const std::vector<ChangeEntry>& changes);

} // namespace unctora::plan
