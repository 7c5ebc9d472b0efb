#pragma once

#include "common/clock.h"

namespace tarnwick::test {

// A clock that moves only when told, or by a fixed step at every monotonic reading.
class FakeClock final : public Clock {
  public:
    TimeOfDay timeOfDay() override { return time; }
    std::int64_t localMinutes() override { return day * 1440 + time.hour * 60 + time.minute; }
    double monotonicSeconds() override {
        const double now = monotonic;
        monotonic += stepPerReading;
        return now;
    }

    std::int64_t day = 0;
    TimeOfDay time{12, 0, 0};
    double monotonic = 1000.0;
    double stepPerReading = 0.0;
};

}  // namespace tarnwick::test
