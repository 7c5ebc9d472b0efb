#include "common/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tarnwick {

std::string FormatTimeOfDay(const TimeOfDay& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour % 100, time.minute % 100,
                  time.second % 100);
    return text;
}

std::string FormatDate(const CalendarDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

LocalTime SystemClock::now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
            {local.tm_hour, local.tm_min, local.tm_sec}};
}

std::int64_t Clock::localMinutes() {
    const LocalTime local = now();
    const std::chrono::year_month_day date{
        std::chrono::year(local.date.year),
        std::chrono::month(static_cast<unsigned>(local.date.month)),
        std::chrono::day(static_cast<unsigned>(local.date.day))};
    const std::int64_t days = std::chrono::sys_days(date).time_since_epoch().count();
    return days * 1440 + local.time.hour * 60 + local.time.minute;
}

double SystemClock::monotonicSeconds() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count();
}

}  // namespace tarnwick
