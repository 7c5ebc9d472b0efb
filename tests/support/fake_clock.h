#pragma once

#include "common/clock.h"

namespace tarnwick::test {

// A clock that moves only when told, or by a fixed step at every monotonic reading.
class FakeClock final : public Clock {
  public:
    LocalTime now() override { return {date, time}; }
    double monotonicSeconds() override {
        const double now = monotonic;
        monotonic += stepPerReading;
        return now;
    }

    CalendarDate date{2026, 3, 14};
    TimeOfDay time{12, 0, 0};
    double monotonic = 1000.0;
    double stepPerReading = 0.0;
};

}  // namespace tarnwick::test
