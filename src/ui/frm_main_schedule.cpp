// The schedule: the one-minute tick, the mode buttons, the size-limit box and the stop button.
#include "common/number_text.h"
#include "ui/frm_main.h"

namespace tarnwick {

void FrmMain::Timer1_Timer() {
    if (BackupBusy || Option1[2].value()) {
        return;
    }
    if (Option1[0].value()) {
        const TimeOfDay now = clock_.timeOfDay();
        if (now.hour == ReadNumber(Text5.text()) && now.minute == ReadNumber(Text6.text())) {
            RunBackup();
        }
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

void FrmMain::Option1_Click(int /*index*/) {
    Text5.setEnabled(Option1[0].value());
    Text6.setEnabled(Option1[0].value());
    Text4.setEnabled(Option1[1].value());
    Timer1.setEnabled(!Option1[2].value());
}

void FrmMain::Check2_Click() {
    Text3.setEnabled(Check2.value() != 0);
}

void FrmMain::CommStop_Click() {
    StopBackup = true;
}

void FrmMain::selectOption1(int index) {
    for (int i = 0; i < 3; ++i) {
        Option1[static_cast<std::size_t>(i)].setValue(i == index);
    }
}

void FrmMain::clickOption1(int index) {
    selectOption1(index);
    Option1_Click(index);
}

void FrmMain::selectOption2(int index) {
    for (int i = 0; i < 3; ++i) {
        Option2[static_cast<std::size_t>(i)].setValue(i == index);
    }
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
