#pragma once
// The change dates as an iCalendar file (RFC 5545) that calendar programs import:
// one all-day event per change, with a reminder some days ahead. Each event's UID is
// the point's key (its Id, or its unit's for a shared unit) and the change's number
// counted from InstalledOn, so a second import of a later plan, one made after a
// change was done, or one for another first day updates the events instead of
// doubling them.

#include "plan/plan.h"

#include <string>
#include <vector>

namespace unctora::plan {

struct CalendarTexts {
    // The event titles; "%s" stands for the point's Id (or its line when it has none).
    std::string summary = "Change the lubricator cartridge: %s";
    std::string refillSummary = "Refill the lubricator: %s"; // a multi-point unit
    std::string lubricator = "Lubricator";
    std::string grease = "Grease";
    std::string setting = "Setting";
    // "%s" stands for the day the change was due.
    std::string overdueSince = "Overdue since %s";
};

struct CalendarOptions {
    // The plan's first day: a change already overdue is an event on it.
    Date firstDay = today();
    // Days ahead of each change that the calendar reminds of it.
    int remindDays = kDefaultRemindDays;
    static constexpr int kDefaultRemindDays = 7;
    static constexpr int kMaxRemindDays = 365;
};

std::string calendarText(const PlantFile& file, const std::vector<PointPlan>& plan,
                         const std::vector<ChangeEntry>& changes, const CalendarTexts& texts,
                         const CalendarOptions& options);
// Written atomically (files::WriteError on failure; the old file stays).
void writeCalendar(const std::string& path, const PlantFile& file, const std::vector<PointPlan>& plan,
                   const std::vector<ChangeEntry>& changes, const CalendarTexts& texts,
                   const CalendarOptions& options);

// The key that names a point in the calendar: its unit's when it shares one, else its
// Id; a point without either is named by its place in the file.
std::string calendarKey(const PlantPoint& point, std::size_t index);
// Text fit for a calendar: valid UTF-8 without control characters (line breaks become
// blanks unless kept) and without the "|" that joins a setting's lines.
std::string calendarSafe(std::string_view text, bool keepLineBreaks = false);

} // namespace unctora::plan
