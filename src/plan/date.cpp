#include "plan/date.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace unctora::plan {

namespace {

bool digits(std::string_view s, int& v) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return std::from_chars(s.data(), s.data() + s.size(), v).ec == std::errc();
}

} // namespace

std::optional<Date> parseIsoDate(std::string_view t) {
    int y = 0, m = 0, d = 0;
    if (t.size() != 10 || t[4] != '-' || t[7] != '-' || !digits(t.substr(0, 4), y) ||
        !digits(t.substr(5, 2), m) || !digits(t.substr(8, 2), d) || y < 1900)
        return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::year{y}, std::chrono::month{unsigned(m)},
                                          std::chrono::day{unsigned(d)}};
    if (!ymd.ok())
        return std::nullopt;
    return Date(ymd);
}

std::string isoDate(Date d) {
    const std::chrono::year_month_day ymd(d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", int(ymd.year()), unsigned(ymd.month()),
                  unsigned(ymd.day()));
    return buf;
}

Date addMonths(Date d, int months) {
    const std::chrono::year_month_day ymd(d);
    const std::chrono::year_month ym =
        std::chrono::year_month(ymd.year(), ymd.month()) + std::chrono::months(months);
    const std::chrono::day last = std::chrono::year_month_day_last(ym.year(), std::chrono::month_day_last(ym.month())).day();
    return Date(std::chrono::year_month_day(ym.year(), ym.month(), std::min(ymd.day(), last)));
}

Date today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date(std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                            std::chrono::month{unsigned(local.tm_mon + 1)},
                                            std::chrono::day{unsigned(local.tm_mday)}});
}

} // namespace unctora::plan
