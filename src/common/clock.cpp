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

TimeOfDay SystemClock::timeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

double SystemClock::monotonicSeconds() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count();
}

}  // namespace tarnwick
