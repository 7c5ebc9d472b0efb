#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "hh:mm:ss" on the 24-hour clock, as every log line begins.
std::string FormatTimeOfDay(const TimeOfDay& time);

// Where the program reads time from. Tests move a fake one instead of sleeping.
class Clock {
  public:
    virtual ~Clock() = default;
    // The local time of day, for log lines and the daily schedule.
    virtual TimeOfDay timeOfDay() = 0;
    // Minutes since 1970-01-01 00:00 counted on the local calendar, so that its remainder by
    // 1440 is the minute of the day: the daily schedule's measure of what time went by. It goes
    // back when the wall clock is set back.
    virtual std::int64_t localMinutes() = 0;
    // Seconds from an arbitrary start, never going back (the refresh rule must not break at
    // midnight or when the wall clock is set).
    virtual double monotonicSeconds() = 0;
};

class SystemClock final : public Clock {
  public:
    TimeOfDay timeOfDay() override;
    std::int64_t localMinutes() override;
    double monotonicSeconds() override;
};

}  // namespace tarnwick
