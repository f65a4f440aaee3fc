#pragma once
// The change dates as an iCalendar file (RFC 5545) that calendar programs import:
// one all-day event per cartridge change, with a stable UID per point and date, so a
// second import of a later plan updates the events instead of doubling them.

#include "plan/plan.h"

#include <string>
#include <vector>

namespace unctora::plan {

struct CalendarTexts {
    // The event title; "%s" stands for the point's Id (or its line when it has none).
    std::string summary = "Change the lubricator cartridge: %s";
    std::string lubricator = "Lubricator";
    std::string grease = "Grease";
    std::string setting = "Setting";
    std::string overdue = "Overdue";
};

std::string calendarText(const PlantFile& file, const std::vector<PointPlan>& plan,
                         const std::vector<ChangeEntry>& changes, const CalendarTexts& texts);
// Written atomically (files::WriteError on failure; the old file stays).
void writeCalendar(const std::string& path, const PlantFile& file, const std::vector<PointPlan>& plan,
                   const std::vector<ChangeEntry>& changes, const CalendarTexts& texts);

} // namespace unctora::plan
