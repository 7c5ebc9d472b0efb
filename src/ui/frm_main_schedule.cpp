// The schedule: the one-minute tick, the mode buttons, the size-limit box and the stop button.
#include <cmath>

#include "common/number_text.h"
#include "ui/frm_main.h"

namespace tarnwick {
namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;

// The minute of the day that the hour and minute boxes set, when they name one.
std::optional<std::int64_t> SetMinuteOfDay(const std::string& hourText,
                                           const std::string& minuteText) {
    const double hour = ReadNumber(hourText);
    const double minute = ReadNumber(minuteText);
    const bool inRange = hour >= 0 && hour <= task_keys::kHour.high && minute >= 0 &&
                         minute <= task_keys::kMinute.high;
    if (!inRange || hour != std::floor(hour) || minute != std::floor(minute)) {
        return std::nullopt;  // a fraction or a number past the clock's never matches
    }
    return static_cast<std::int64_t>(hour) * 60 + static_cast<std::int64_t>(minute);
}

}  // namespace

void FrmMain::Timer1_Timer() {
    if (BackupBusy) {
        return;
    }
    if (Option1Of(ScheduleMode::Daily).value()) {
        if (const auto due = dueDailyTime()) {
            lastDailyPass_ = *due;
            RunBackup();
        }
        return;
    }
    // Another mode: a later switch to daily mode starts afresh, as at start-up.
    lastDailyTick_.reset();
    if (Option1Of(ScheduleMode::Manual).value()) {
        return;
    }
    if (MinuteCounter < INT32_MAX) {
        ++MinuteCounter;
    }
    if (MinuteCounter >= IntervalMinutes) {
        MinuteCounter = 0;  // the count restarts before the pass, not after it
        RunBackup();
    }
}

std::optional<std::int64_t> FrmMain::dueDailyTime() {
    // Ticks come late and the machine sleeps: the set time counts when it fell anywhere from the
    // previous daily tick's minute to this one's. The first tick (or one after the clock was set
    // back) looks at its own minute only, so nothing before start-up is caught up.
    const std::int64_t now = clock_.localMinutes();
    const std::int64_t since = lastDailyTick_ && *lastDailyTick_ <= now ? *lastDailyTick_ : now;
    lastDailyTick_ = now;
    const auto setMinute = SetMinuteOfDay(Text5.text(), Text6.text());
    if (!setMinute) {
        return std::nullopt;
    }
    const std::int64_t today = now - ((now % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
    std::int64_t latest = today + *setMinute;
    if (latest > now) {
        latest -= kMinutesPerDay;
    }
    if (latest < since || latest == lastDailyPass_) {
        return std::nullopt;  // not in this stretch, or this day's time has had its pass
    }
    return latest;
}

void FrmMain::Option1_Click(int /*index*/) {
    Text5.setEnabled(Option1Of(ScheduleMode::Daily).value());
    Text6.setEnabled(Option1Of(ScheduleMode::Daily).value());
    Text4.setEnabled(Option1Of(ScheduleMode::Interval).value());
    Timer1.setEnabled(!Option1Of(ScheduleMode::Manual).value());
}

void FrmMain::Check2_Click() {
    Text3.setEnabled(Check2.value() != 0);
}

void FrmMain::CommStop_Click() {
    StopBackup = true;
}

void FrmMain::clickOption1(ScheduleMode mode) {
    SelectMode(Option1, mode);
    Option1_Click(static_cast<int>(mode));
}

void FrmMain::selectOption2(TypeMode mode) {
    SelectMode(Option2, mode);
}

void FrmMain::setCheckValue(CheckBox& box, int value) {
    const bool changed = box.value() != value;
    box.setValue(value);
    if (changed && &box == &Check2) {
        Check2_Click();
    }
}

void FrmMain::clickCheckBox(CheckBox& box, int value) {
    setCheckValue(box, value);
}

}  // namespace tarnwick
