#pragma once
// The messages the plan gives about its points: each a language key with its English
// template, and the items of the language file's lists that messages name. Shared by
// the files of the plan; messageText() (plan.h) turns one into words.

#include "plan/plan.h"

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace unctora::plan {

// The messages of the plan: language key and English template.
struct Template {
    std::string_view key, english;
};
inline constexpr Template kLine{"strPlanMsgLine", "line %d: %s"};
inline constexpr Template kFieldCount{"strPlanMsgFieldCount", "expected %d fields, found %d"};
inline constexpr Template kBadCell{"strPlanMsgBadCell", "column %s: %s"};
inline constexpr Template kBadDate{"strPlanMsgBadDate", "column InstalledOn: \"%s\" is not a date (YYYY-MM-DD)"};
inline constexpr Template kDateRange{"strPlanMsgDateRange", "column InstalledOn: %s lies outside the years 1900 to 2199"};
inline constexpr Template kBadVolume{"strPlanMsgBadVolume", "column Volume_ml: \"%s\" is not a volume from 1 to 100000 ml"};
inline constexpr Template kFailed{"strPlanMsgFailed", "the calculation failed: %s"};
inline constexpr Template kTooSmall{"strPlanMsgTooSmall",
                             "unit too small: the bearing needs %.2f ml/day, more than the %s gives at its fastest setting"};
inline constexpr Template kTooSmallShared{"strPlanMsgTooSmallShared", "unit too small: unit %s cannot serve %s"};
inline constexpr Template kOverGreased{"strPlanMsgOverGreased",
                                "over-greased \u00D7%.1f: the bearing needs %.3f ml/day, less than the %s gives at its slowest setting"};
inline constexpr Template kOverGreasedShared{"strPlanMsgOverGreasedShared",
                                      "over-greased \u00D7%.1f: the pause of unit %s is set for %s, which needs more grease"};
inline constexpr Template kUnsuitable{"strPlanMsgGreaseUnsuitable", "grease unsuitable: %s does not suit the %s"};
inline constexpr Template kNotPlanned{"strPlanMsgNotPlanned", "not planned: the date of the last change (InstalledOn) is empty"};
inline constexpr Template kFuture{"strPlanMsgFuture", "installed on %s, after the day of the plan"};
inline constexpr Template kDuplicateId{"strPlanMsgDuplicateId", "the Id \"%s\" appears more than once in the plant file"};
inline constexpr Template kLifeCapped{"strPlanMsgLifeCapped",
                               "planned for 24 months, although the grease would last %.1f: grease ages in the reservoir"};
inline constexpr Template kSettingDiffers{"strHistSettingDiffers",
                                   "the setting differs from the one dialled at the last change (%s)"};
inline constexpr Template kUnitMixed{"strPlanMsgUnitMixed", "the points of unit %s differ in their %s"};
inline constexpr Template kUnitSingle{"strPlanMsgUnitSingle", "unit %s: a %s serves one point and cannot be shared"};
inline constexpr Template kUnitBlocked{"strPlanMsgUnitBlocked", "unit %s cannot be planned: %s has no plan"};

// Items of the language file's lists that messages name.
inline constexpr std::string_view kReasonItems = "strPlanGreaseReasonItems";
inline constexpr std::string_view kReasonEnglish[] = {"lubricator", "speed", "load", "temperature"};
inline constexpr std::string_view kUnitDiffItems = "strPlanUnitDiffItems";
inline constexpr std::string_view kUnitDiffEnglish[] = {"lubricator", "grease", "volume", "power source", "outlets"};

inline PlanMessage::Item itemArg(std::string_view list, int index) { return PlanMessage::Item{list, index}; }

inline PlanMessage message(const Template& t,
                           std::vector<std::variant<long long, double, std::string, PlanMessage::Item>> args = {}) {
    return PlanMessage{t.key, t.english, std::move(args)};
}

} // namespace unctora::plan
