#pragma once

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
    // Seconds from an arbitrary start, never going back (the refresh rule must not break at
    // midnight or when the wall clock is set).
    virtual double monotonicSeconds() = 0;
};

class SystemClock final : public Clock {
  public:
    TimeOfDay timeOfDay() override;
    double monotonicSeconds() override;
};

}  // namespace tarnwick
