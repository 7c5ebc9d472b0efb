// The one-minute tick in each mode, and the handlers that keep the schedule consistent.
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

    int passes() const {
        int count = 0;
        for (const auto& line : window->ListMessage.items()) {
            count += line.ends_with("正在扫描目标文件夹…") ? 1 : 0;
        }
        return count;
    }
};

TEST_F(Schedule, ManualModeNeverStartsAPassAndStopsTheTimer) {
    window->clickOption1(2);
    EXPECT_FALSE(window->Timer1.enabled());
    for (int i = 0; i < 200; ++i) {
        window->Timer1_Timer();
    }
    EXPECT_EQ(passes(), 0);
    EXPECT_EQ(window->MinuteCounter, 0);
}

TEST_F(Schedule, IntervalModeCountsTicksAndRestartsTheCountBeforeThePass) {
    window->clickOption1(1);
    window->IntervalMinutes = 3;
    window->Timer1_Timer();
    window->Timer1_Timer();
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

TEST_F(Schedule, AnIntervalOfOneStartsAPassAtEveryTick) {
    window->clickOption1(1);
    window->IntervalMinutes = 1;
    for (int i = 0; i < 4; ++i) {
        window->Timer1_Timer();
    }
    EXPECT_EQ(passes(), 4);
}

TEST_F(Schedule, ATickDuringAPassDoesNothingInAnyMode) {
    for (int mode : {0, 1, 2}) {
        window->clickOption1(mode);
        window->BackupBusy = true;
        window->MinuteCounter = 7;
        clock.time = {17, 0, 0};
        window->Timer1_Timer();
        EXPECT_EQ(window->MinuteCounter, 7) << mode;
        EXPECT_EQ(passes(), 0) << mode;
        window->BackupBusy = false;
    }
}

TEST_F(Schedule, SwitchingModesKeepsTheCountReached) {
    window->clickOption1(1);
    window->Timer1_Timer();
    window->Timer1_Timer();
    window->clickOption1(0);
    window->Timer1_Timer();
    window->clickOption1(1);
    EXPECT_EQ(window->MinuteCounter, 2);
    for (int i = 0; i < 27; ++i) {
        window->Timer1_Timer();
    }
    EXPECT_EQ(passes(), 0);
    window->Timer1_Timer();  // the 30th counted tick
    EXPECT_EQ(passes(), 1);
}

TEST_F(Schedule, TimePointModeMatchesHourAndMinuteAsNumbers) {
    struct Case {
        const char* hour;
        const char* minute;
        TimeOfDay now;
        bool starts;
    };
    const Case cases[] = {
        {"17", "0", {17, 0, 30}, true},   {"17", "0", {17, 1, 0}, false},
        {"08", "5", {8, 5, 0}, true},     {"", "", {0, 0, 0}, true},
        {"24", "0", {0, 0, 0}, false},    {"8.5", "0", {8, 0, 0}, false},
        {" 9 ", "3 0", {9, 30, 0}, true}, {"9", "30", {21, 30, 0}, false},
    };
    window->clickOption1(0);
    int expected = 0;
    for (const auto& c : cases) {
        window->Text5.setText(c.hour);
        window->Text6.setText(c.minute);
        clock.time = c.now;
        window->Timer1_Timer();
        expected += c.starts ? 1 : 0;
        EXPECT_EQ(passes(), expected) << c.hour << ":" << c.minute;
    }
    EXPECT_EQ(window->MinuteCounter, 0);
}

TEST_F(Schedule, AStopWhileIdleDoesNotStopTheNextPass) {
    fs.addFile("C:\\src\\a.txt", 100, 1);
    window->ListFromFolder.addItem("C:\\src");
    window->CommStop_Click();
    window->UpdateButton_Click();
    EXPECT_FALSE(window->lastPass().stopped);
    EXPECT_EQ(window->lastPass().updatedCount, 1);
}

TEST_F(Schedule, TheSizeBoxFollowsItsCheckBox) {
    window->clickCheckBox(window->Check2, 1);
    EXPECT_TRUE(window->Text3.enabled());
    window->clickCheckBox(window->Check2, 0);
    EXPECT_FALSE(window->Text3.enabled());
}

TEST_F(Schedule, AScheduledPassRefusesABlankDestination) {
    fs.addFile("C:\\src\\a.txt", 100, 1);
    window->ListFromFolder.addItem("C:\\src");
    window->txtToFolder.setText("  ");
    window->clickOption1(1);
    window->IntervalMinutes = 1;
    window->Timer1_Timer();
    EXPECT_TRUE(fs.copiedFiles.empty());
    EXPECT_EQ(window->ListMessage.list(2), "09:30:05    存放备份的文件夹无效:  ");
    EXPECT_TRUE(window->lastPass().failed());
}

}  // namespace
}  // namespace tarnwick
