#pragma once
// What the plant plan makes of its points: each point computed as the calculator
// computes it, how long the unit really runs at the setting a technician dials, when
// its cartridge or reservoir is next changed, and the change dates of a coming period
// (what they take to buy is in plan/purchases.h).
//
// Cartridge life, by what the unit delivers at its setting (each model's rule is its
// row's LifeRule in core/lubricators.h):
//   VOXA 60, 125  the dial position in months; the gas cell runs twice as fast above
//                 40 degC and half as fast below -10 degC, so the cartridge is empty
//                 after half or twice the dialled months.
//   TENO, ZOLT    the month setting as dialled.
//   VOXA 400      the reservoir volume over the sum of its outlets' set feed rates
//                 (each the rate the display shows, never below 0.10 ml/day).
//   VOXA 1000     every outlet receives 0.2 ml per base cycle; the pump runs k base
//                 cycles' worth each on-time, so the reservoir drains by
//                 outlets x k x 0.2 ml per on-time and pause.
// A bearing that needs less than the slowest setting delivers is planned at that
// setting and marked over-greased; one that needs more than the unit can give has no
// dates. No life is planned beyond 24 months: grease ages in the reservoir.
//
// Points that name the same Unit share one multi-point unit: one reservoir, one
// setting, one refill date. Grease per year: what the point receives.

#include "core/calcinputs.h"
#include "core/units.h"
#include "plan/date.h"
#include "plan/history.h"
#include "plan/plantfile.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace unctora::strings {
class StringTable;
}

namespace unctora::plan {

enum class PointStatus {
    Ok,         // planned; next change later than the due-soon window
    DueSoon,    // next change within the due-soon window
    Overdue,    // next change before the day of the plan
    Failed,     // the calculation failed
    Invalid,    // a cell that cannot be read, or a row that does not fit the header
    TooSmall,   // the bearing needs more than the unit can give at its fastest setting
    NotPlanned, // computed, but without the date of the last change
};
inline constexpr int kPointStatusCount = 7;
// A change this close is due soon: 30 days, but at most a quarter of the unit's life,
// so that a unit just changed is not flagged.
inline constexpr int kDueSoonDays = 30;
// The volumes a Volume_ml cell may give, and the shortest cartridge life planned: no
// point is changed more often than weekly.
inline constexpr double kMinVolumeMl = 1;
inline constexpr double kMaxVolumeMl = 100000;
inline constexpr double kMinLifeDays = 7;

// The longest life planned: grease ages in a reservoir.
inline constexpr int kMaxLifeMonths = 24;

// What a planned point still needs looked at.
enum class Attention {
    OverGreased,       // the slowest setting gives more than the bearing needs
    GreaseUnsuitable,  // the file's grease fails the suitability check
    InstalledInFuture, // the date of the last change lies after the day of the plan
    DuplicateId,       // another point of the file has the same Id
    LifeCapped,        // planned for 24 months although the grease would last longer
    SettingDiffers,    // today's inputs give another setting than the one dialled at the last change
};
inline constexpr int kAttentionCount = 6;

// A message about a point: a language key with its values, and the English template
// the command line prints. The values are in the order of the key's template.
struct PlanMessage {
    // A value that is an item of one of the language file's lists.
    struct Item {
        std::string_view list; // the list's key
        int index = 0;
    };
    std::string_view key;
    std::string_view english;
    std::vector<std::variant<long long, double, std::string, Item>> args;
    long line = 0; // of the plant file, said before the message; 0: none
};
// The message in the language of `table`, English without one (or when the
// translation does not fit its values). Numbers use decimalSeparator.
std::string messageText(const PlanMessage& m, const strings::StringTable* table = nullptr,
                        std::string_view decimalSeparator = ".");

// The nominal cartridge or reservoir volume of a lubricator model, in ml.
double nominalVolumeMl(int lubricator);

struct PointPlan {
    PointStatus status = PointStatus::Invalid;
    std::string error; // why the point is invalid, failed or too small (English)
    // Why the point has its status, when it is not planned by date.
    std::optional<PlanMessage> reason;
    struct Note {
        Attention kind;
        PlanMessage message;
    };
    std::vector<Note> attention;
    double overGreasedBy = 0; // delivered / needed, with Attention::OverGreased
    core::CalcInputs inputs;  // as used; the grease as the file names it
    double Qf = 0;            // grams per day
    std::string setting;      // what the technician sets, lines joined with "|"
    double volumeMl = 0;
    bool singlePoint = true;
    std::string unit;          // the shared unit's name; empty: a unit of its own
    bool unitLeader = true;    // the point that carries the unit's changes
    int monthsPerCartridge = 0; // the life in whole calendar months; 0: counted in days
    double lifeDays = 0;        // every unit: days one cartridge or reservoir lasts
    double neededMlPerDay = 0;  // what the bearing needs
    double deliveredMlPerDay = 0; // what it receives at the setting
    std::optional<Date> installedOn; // none when the cell is empty (and no change is recorded)
    // The point's last recorded change, when the history has one for its Id.
    std::optional<ChangeRecord> lastChange;
    // The life of the cartridge in place, when it follows the setting dialled at its
    // change rather than today's inputs; the changes after it take today's life.
    std::optional<double> dialledLifeDays;
    int dialledMonthsPerCartridge = 0; // 0: counted in days
    std::optional<Date> nextChange;
    double gramsPerYear = 0;

    bool computed() const {
        return status != PointStatus::Invalid && status != PointStatus::Failed && status != PointStatus::TooSmall;
    }
    bool has(Attention a) const;
    bool needsAttention() const { return status != PointStatus::Ok || !attention.empty(); }
    double months() const { return lifeDays / (365.2425 / 12); }
};

// Computes one point as a unit of its own; `day` is the day the plan is made for (the
// status compares the next change with it). Badge texts are in `units`, and so is
// the feed rate a VOXA 400 outlet is set to.
PointPlan evaluatePoint(const PlantPoint& point, const CsvDialect& dialect, core::Units units, Date day);
// The last change of each point, by Id (see lastChanges).
using LastChangeById = std::unordered_map<std::string, ChangeRecord>;
LastChangeById lastChangeById(const ChangeRecords& records);

// Every point of the file, the points of a shared unit together, duplicate Ids marked.
//
// With a history, a point's last recorded change stands for its InstalledOn (unless the
// cell names a later day: the cell is newer then). From that change on the cartridge
// runs at the setting dialled then: a later edit of speed or conditions does not move
// its next change, and the point is marked while today's inputs give another setting.
// A single-point unit's life is counted from the dialled months; a multi-point unit's
// from the feed rates its outlets were set to, or the pump's on-time and pause, as the
// records' badge texts read back (today's where a text does not read).
std::vector<PointPlan> evaluatePlan(const PlantFile& file, core::Units units, Date day,
                                    const LastChangeById* history = nullptr);

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
// by date and then by point; a shared unit's changes stand at its first point. A
// change already overdue is listed on its due date and
// the next ones counted from `from`, when the cartridge is changed at the latest.
std::vector<ChangeEntry> changeDates(const std::vector<PointPlan>& plan, Date from, int months);
inline constexpr int kMaxPlanMonths = 120;

} // namespace unctora::plan
