#include "plan/calendar.h"

#include "core/greases.h"
#include "core/version.h"
#include "files/fileio.h"

#include <libical/ical.h>

#include <cstdint>
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

} // namespace

std::string calendarText(const PlantFile& file, const std::vector<PointPlan>& plan,
                         const std::vector<ChangeEntry>& changes, const CalendarTexts& texts) {
    std::unique_ptr<icalcomponent, ComponentFree> cal(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    const std::string prodid = "-//Talvik//Unctora " + core::VersionText() + "//EN";
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype stamp = icaltime_from_timet_with_zone(std::time(nullptr), 0, icaltimezone_get_utc_timezone());
    for (const ChangeEntry& c : changes) {
        const PlantPoint& point = file.points[c.point];
        const PointPlan& p = plan[c.point];
        icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        const std::string key = point.cell(OwnColumn::Id) + '\x1f' + point.cell(OwnColumn::Location) + '\x1f' +
                                point.cell(OwnColumn::Machine);
        char uid[96];
        std::snprintf(uid, sizeof uid, "%s-%016llx@unctora.example.com", isoDate(c.date).c_str(),
                      static_cast<unsigned long long>(hashOf(key)));
        icalcomponent_add_property(ev, icalproperty_new_uid(uid));
        icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(ev, icalproperty_new_dtstart(dateValue(c.date)));
        icalcomponent_add_property(ev, icalproperty_new_dtend(dateValue(c.date + std::chrono::days(1))));
        icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        // A shared unit's change is the unit's, named as the unit.
        const std::string& unit = plan[c.point].unit;
        const std::string summary = replacePlaceholder(texts.summary, unit.empty() ? pointName(point, c.point) : unit);
        icalcomponent_add_property(ev, icalproperty_new_summary(summary.c_str()));
        std::string where = point.cell(OwnColumn::Location);
        if (!point.cell(OwnColumn::Machine).empty())
            where += (where.empty() ? "" : ", ") + point.cell(OwnColumn::Machine);
        if (!where.empty())
            icalcomponent_add_property(ev, icalproperty_new_location(where.c_str()));
        std::string description = texts.lubricator + ": " + core::lubricatorName(p.inputs.Lubricator) + "\n" +
                                  texts.grease + ": " + core::greaseName(p.inputs.Grease) + "\n" +
                                  texts.setting + ": " + p.setting;
        if (c.overdue)
            description += "\n" + texts.overdue;
        if (!point.cell(OwnColumn::Remarks).empty())
            description += "\n" + point.cell(OwnColumn::Remarks);
        icalcomponent_add_property(ev, icalproperty_new_description(description.c_str()));
        icalcomponent_add_component(cal.get(), ev);
    }
    char* text = icalcomponent_as_ical_string_r(cal.get());
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

void writeCalendar(const std::string& path, const PlantFile& file, const std::vector<PointPlan>& plan,
                   const std::vector<ChangeEntry>& changes, const CalendarTexts& texts) {
    files::writeFileAtomically(path, calendarText(file, plan, changes, texts));
}

} // namespace unctora::plan
