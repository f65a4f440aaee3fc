#pragma once
// Calendar dates of the plant plan: ISO 8601 "YYYY-MM-DD" in files, whole days in
// arithmetic.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace unctora::plan {

using Date = std::chrono::sys_days;

// "2026-12-10" and nothing else (no time, no blanks inside); years 1900 to 9999.
std::optional<Date> parseIsoDate(std::string_view text);
std::string isoDate(Date d);
// Whole calendar months later; a day that the month lacks becomes its last day
// (31 January + 1 month = 28 or 29 February).
Date addMonths(Date d, int months);
Date today();

} // namespace unctora::plan
