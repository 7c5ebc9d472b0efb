#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct CalendarDate {
    int year = 2000;
    int month = 1;
    int day = 1;
};

struct LocalTime {
    CalendarDate date;
    TimeOfDay time;
};

// "hh:mm:ss" on the 24-hour clock, as every log line begins.
std::string FormatTimeOfDay(const TimeOfDay& time);
// "YYYY-MM-DD", as every line of the log file begins.
std::string FormatDate(const CalendarDate& date);

// Where the program reads time from. Tests move a fake one instead of sleeping.
class Clock {
  public:
    virtual ~Clock() = default;
    // The local date and time, read at once so that the two always belong together.
    virtual LocalTime now() = 0;
    // The local time of day, for log lines and the daily schedule.
    TimeOfDay timeOfDay() { return now().time; }
    // Minutes since 1970-01-01 00:00 counted on the local calendar, so that its remainder by
    // 1440 is the minute of the day: the daily schedule's measure of what time went by. It goes
    // back when the wall clock is set back.
    std::int64_t localMinutes();
    // Seconds from an arbitrary start, never going back (the refresh rule must not break at
    // midnight or when the wall clock is set).
    virtual double monotonicSeconds() = 0;
};

class SystemClock final : public Clock {
  public:
    LocalTime now() override;
    double monotonicSeconds() override;
};

}  // namespace tarnwick
