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

namespace {

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

}  // namespace

TimeOfDay SystemClock::timeOfDay() {
    const std::tm local = LocalNow();
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

std::int64_t SystemClock::localMinutes() {
    const std::tm local = LocalNow();
    const std::chrono::year_month_day date{
        std::chrono::year(local.tm_year + 1900),
        std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
        std::chrono::day(static_cast<unsigned>(local.tm_mday))};
    const std::int64_t days = std::chrono::sys_days(date).time_since_epoch().count();
    return days * 1440 + local.tm_hour * 60 + local.tm_min;
}

double SystemClock::monotonicSeconds() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count();
}

}  // namespace tarnwick
