#include "plan/calendar.h"

#include "core/greases.h"
#include "core/version.h"
#include "files/fileio.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ctime>
#include <memory>

namespace unctora::plan {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

icaltimetype dateValue(Date d) {
    const std::chrono::year_month_day ymd(d);
    icaltimetype t = icaltime_null_date();
    t.year = int(ymd.year());
    t.month = int(unsigned(ymd.month()));
    t.day = int(unsigned(ymd.day()));
    t.is_date = 1;
    return t;
}

// FNV-1a: the same point gives the same UID in every export.
std::uint64_t hashOf(std::string_view s) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

std::string pointName(const PlantPoint& p, std::size_t index) {
    const std::string& id = p.cell(OwnColumn::Id);
    return id.empty() ? "#" + std::to_string(index + 1) : id;
}

std::string replacePlaceholder(const std::string& text, const std::string& value) {
    const auto at = text.find("%s");
    return at == std::string::npos ? text + " " + value : text.substr(0, at) + value + text.substr(at + 2);
}

// The column a plant file names so, when the program has one.
std::optional<std::size_t> columnNamed(std::string_view name) {
    for (std::size_t c = 0; c < plantColumnCount(); ++c)
        if (plantColumnName(c) == name)
            return c;
    return std::nullopt;
}

// The calendar library writes no day after the year 3000 (it writes zeros instead):
// later changes are left out rather than written as no date.
const Date kLastDay = Date(std::chrono::year{3000} / 12 / 31);

} // namespace

std::string calendarKey(const PlantPoint& point, std::size_t index) {
    static const std::optional<std::size_t> unit = columnNamed("Unit");
    if (unit && !point.cells[*unit].empty())
        return "unit\x1f" + point.cells[*unit];
    if (!point.cell(OwnColumn::Id).empty())
        return "id\x1f" + point.cell(OwnColumn::Id);
    return "row\x1f" + std::to_string(index + 1) + '\x1f' + point.cell(OwnColumn::Location) + '\x1f' +
           point.cell(OwnColumn::Machine);
}

std::string calendarSafe(std::string_view text, bool keepLineBreaks) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && keepLineBreaks && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i; // CR LF is one line break
            continue;
        }
        if (c == '\n' && keepLineBreaks) {
            out.push_back('\n');
            ++i;
        } else if (c < 0x20 || c == 0x7F || c == '|') {
            if (!out.empty() && out.back() != ' ' && out.back() != '\n')
                out.push_back(' ');
            ++i;
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
        } else {
            // A valid sequence stays; C1 controls (U+0080 to U+009F) become blanks and
            // broken bytes the replacement character.
            char32_t cp = 0;
            const std::size_t n = decodeUtf8(text, i, cp);
            if (!n) {
                out.append("\xEF\xBF\xBD");
                ++i;
                continue;
            }
            if (cp < 0xA0) {
                if (!out.empty() && out.back() != ' ' && out.back() != '\n')
                    out.push_back(' ');
            } else {
                out.append(text.substr(i, n));
            }
            i += n;
        }
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '\n'))
        out.pop_back();
    return out;
}

std::string calendarText(const PlantFile& file, const std::vector<PointPlan>& plan,
                         const std::vector<ChangeEntry>& changes, const CalendarTexts& texts,
                         const CalendarOptions& options) {
    std::unique_ptr<icalcomponent, ComponentFree> cal(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    const std::string prodid = "-//Talvik//Unctora " + core::VersionText() + "//EN";
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype stamp = icaltime_from_timet_with_zone(std::time(nullptr), 0, icaltimezone_get_utc_timezone());
    const int remind = std::clamp(options.remindDays, 0, CalendarOptions::kMaxRemindDays);
    for (const ChangeEntry& c : changes) {
        // Overdue: one event on the first day of the plan, not one in the past.
        const Date day = c.overdue ? std::max(options.firstDay, c.date) : c.date;
        if (day > kLastDay)
            continue;
        const PlantPoint& point = file.points[c.point];
        const PointPlan& p = plan[c.point];
        icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        char uid[96];
        std::snprintf(uid, sizeof uid, "%016llx-%d@unctora.example.com",
                      static_cast<unsigned long long>(hashOf(calendarKey(point, c.point))), c.number);
        icalcomponent_add_property(ev, icalproperty_new_uid(uid));
        icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(ev, icalproperty_new_dtstart(dateValue(day)));
        icalcomponent_add_property(ev, icalproperty_new_dtend(dateValue(day + std::chrono::days(1))));
        icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        // A shared unit's change is the unit's, named as the unit.
        const std::string summary = calendarSafe(replacePlaceholder(p.singlePoint ? texts.summary : texts.refillSummary,
                                                                    p.unit.empty() ? pointName(point, c.point) : p.unit));
        icalcomponent_add_property(ev, icalproperty_new_summary(summary.c_str()));
        std::string where = point.cell(OwnColumn::Location);
        if (!point.cell(OwnColumn::Machine).empty())
            where += (where.empty() ? "" : ", ") + point.cell(OwnColumn::Machine);
        where = calendarSafe(where);
        if (!where.empty())
            icalcomponent_add_property(ev, icalproperty_new_location(where.c_str()));
        std::string description = calendarSafe(texts.lubricator) + ": " + core::lubricatorName(p.inputs.Lubricator) +
                                  "\n" + calendarSafe(texts.grease) + ": " + core::greaseName(p.inputs.Grease) +
                                  "\n" + calendarSafe(texts.setting) + ": " + calendarSafe(p.setting);
        if (c.overdue)
            description += "\n" + calendarSafe(replacePlaceholder(texts.overdueSince, isoDate(c.date)));
        const std::string remarks = calendarSafe(point.cell(OwnColumn::Remarks), true);
        if (!remarks.empty())
            description += "\n" + remarks;
        icalcomponent_add_property(ev, icalproperty_new_description(description.c_str()));
        // The reminder, as a display alarm the given days before the day starts.
        icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icaltriggertype trigger{};
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_null_duration();
        trigger.duration.is_neg = remind > 0;
        trigger.duration.days = static_cast<unsigned>(remind);
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        icalcomponent_add_property(alarm, icalproperty_new_description(summary.c_str()));
        icalcomponent_add_component(ev, alarm);
        icalcomponent_add_component(cal.get(), ev);
    }
    char* text = icalcomponent_as_ical_string_r(cal.get());
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

void writeCalendar(const std::string& path, const PlantFile& file, const std::vector<PointPlan>& plan,
                   const std::vector<ChangeEntry>& changes, const CalendarTexts& texts,
                   const CalendarOptions& options) {
    files::writeFileAtomically(path, calendarText(file, plan, changes, texts, options));
}

} // namespace unctora::plan
