// The one-minute tick in each mode, and the handlers that keep the schedule consistent.
#include <stdexcept>

#include "support/window_fixture.h"

namespace tarnwick {
namespace {

class Schedule : public test::WindowTest {
  protected:
    Schedule() {
        window->txtToFolder.setText("D:\\back");
        window->IniPath = "C:\\none.ini";
        window->ResetTask();
        window->ListFromFolder.clear();
    }

    int logged(std::string_view text) const {
        int count = 0;
        for (const auto& line : window->ListMessage.items()) {
            count += line.ends_with(text) ? 1 : 0;
        }
        return count;
    }
    int passes() const { return logged("正在扫描目标文件夹…"); }
};

TEST_F(Schedule, ManualModeNeverStartsAPassAndAnIntervalOfOneAtEveryTick) {
    for (const auto& [mode, expected] :
         {std::pair{ScheduleMode::Manual, 0}, std::pair{ScheduleMode::Interval, 200}}) {
        window->clickOption1(mode);
        window->IntervalMinutes = 1;
        EXPECT_EQ(window->Timer1.enabled(), mode == ScheduleMode::Interval);
        for (int i = 0; i < 200; ++i) {
            window->Timer1_Timer();
        }
        EXPECT_EQ(passes(), expected);
        EXPECT_EQ(window->MinuteCounter, 0);
    }
}

TEST_F(Schedule, IntervalModeCountsTicksAcrossModeSwitchesAndRestartsTheCountBeforeThePass) {
    window->clickOption1(ScheduleMode::Interval);
    window->IntervalMinutes = 3;
    window->Timer1_Timer();
    window->Timer1_Timer();
    window->clickOption1(ScheduleMode::Daily);
    window->Timer1_Timer();
    window->clickOption1(ScheduleMode::Interval);
    EXPECT_EQ(passes(), 0);
    EXPECT_EQ(window->MinuteCounter, 2);
    int counterDuringPass = -1;
    platform.onProcessEvents = [&] { counterDuringPass = window->MinuteCounter; };
    clock.stepPerReading = 1.0;
    window->ListFromFolder.addItem("C:\\src");
    fs.addFile("C:\\src\\a.txt", 100, 1);
    window->Timer1_Timer();
    EXPECT_EQ(passes(), 1);
    EXPECT_EQ(counterDuringPass, 0);
    EXPECT_EQ(window->MinuteCounter, 0);
}

TEST_F(Schedule, ATickDuringAPassDoesNothingInAnyMode) {
    for (int mode : {0, 1, 2}) {
        window->clickOption1(static_cast<ScheduleMode>(mode));
        window->BackupBusy = true;
        window->MinuteCounter = 7;
        clock.time = {17, 0, 0};
        window->Timer1_Timer();
        EXPECT_EQ(window->MinuteCounter, 7) << mode;
        EXPECT_EQ(passes(), 0) << mode;
        window->BackupBusy = false;
    }
}

// Each case starts a new window, runs its ticks in daily mode and counts the passes.
TEST_F(Schedule, DailyModeRunsOncePerDayTimeEvenWhenTheTickMissesTheMinute) {
    struct Tick {
        std::int64_t day;
        TimeOfDay time;
    };
    struct Case {
        const char* what;
        const char* hour;
        const char* minute;
        std::vector<Tick> ticks;
        int passes;
    };
    const Case cases[] = {
        {"no such hour", "24", "0", {{0, {23, 59, 0}}, {1, {0, 1, 0}}}, 0},
        {"a fraction", "8.5", "0", {{0, {8, 0, 0}}, {0, {9, 0, 0}}}, 0},
        {"late tick", "17", "0", {{0, {16, 59, 59}}, {0, {17, 1, 0}}}, 1},
        {"days of sleep", "17", "0", {{0, {16, 30, 0}}, {3, {18, 0, 0}}}, 1},
        {"midnight", "0", "0", {{0, {23, 59, 30}}, {1, {0, 1, 10}}}, 1},
        {"two ticks in the minute", "17", "0", {{0, {17, 0, 1}}, {0, {17, 0, 59}}}, 1},
        {"the clock set back", "17", "0", {{0, {17, 0, 9}}, {0, {16, 59, 0}}, {0, {17, 1, 0}}}, 1},
        {"every day", "17", "0", {{0, {17, 0, 0}}, {1, {17, 0, 0}}, {2, {17, 2, 0}}}, 3},
        {"start-up after the time", "17", "0", {{0, {17, 5, 0}}, {0, {18, 0, 0}}}, 0},
    };
    for (const auto& c : cases) {
        window = std::make_unique<FrmMain>(platform, fs, clock, test::WindowsDefaults());
        window->clickOption1(ScheduleMode::Daily);
        window->Text5.setText(c.hour);
        window->Text6.setText(c.minute);
        for (const auto& tick : c.ticks) {
            clock.date.day = 14 + tick.day;
            clock.time = tick.time;
            window->Timer1_Timer();
        }
        EXPECT_EQ(passes(), c.passes) << c.what;
        EXPECT_EQ(window->MinuteCounter, 0) << c.what;
    }
}

// A dialog's event loop would hold the pass, a second start would run inside it; an exception must
// not leave the window busy.
TEST_F(Schedule, DuringAPassDialogsAreRefusedAndAnExceptionLeavesTheWindowAtRest) {
    using Command = void (FrmMain::*)();
    fs.addFile("C:\\src\\a.txt", 100, 1);
    window->ListFromFolder.addItem("C:\\src");
    clock.stepPerReading = 1.0;
    int chooserOpenings = 0;
    platform.onTaskChooser = [&](Dialog&) { ++chooserOpenings; };
    for (Command command :
         {&FrmMain::SelTask_Click, &FrmMain::CommandNewDir_Click, &FrmMain::CommandToDir_Click}) {
        platform.onProcessEvents = [this, command] {
            FrmMain& busy = *window;
            const Command click = command;
            platform.onProcessEvents = nullptr;  // destroys this closure: locals only from here
            (busy.*click)();
            EXPECT_EQ(busy.UpdateButton_Click(), FrmMain::CommandOutcome::Refused);
        };
        window->UpdateButton_Click();
        (*window.*command)();  // idle again: the dialog opens
    }
    EXPECT_EQ(logged("    正在备份，请等本次备份结束后再操作！"), 3);
    EXPECT_EQ(logged("    正在备份，请等本次备份结束后再开始备份！"), 3);
    EXPECT_EQ(passes(), 3);
    EXPECT_EQ(chooserOpenings, 1);
    EXPECT_EQ(platform.browses.size(), 2u);

    platform.onProcessEvents = [] { throw std::runtime_error("no memory"); };
    EXPECT_THROW(window->UpdateButton_Click(), std::runtime_error);
    EXPECT_FALSE(window->BackupBusy);
    EXPECT_TRUE(window->ButtonExit.visible() && window->Image1[0].visible());
    EXPECT_FALSE(window->Image1[1].visible() || window->Image1[2].visible());
}

TEST_F(Schedule, AStopWhileIdleDoesNotStopTheNextPass) {
    fs.addFile("C:\\src\\a.txt", 100, 1);
    window->ListFromFolder.addItem("C:\\src");
    window->CommStop_Click();
    window->UpdateButton_Click();
    EXPECT_FALSE(window->lastPass().stopped);
    EXPECT_EQ(window->lastPass().updatedCount, 1);
}

}  // namespace
}  // namespace tarnwick
