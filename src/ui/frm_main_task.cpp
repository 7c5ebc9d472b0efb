// Loading and saving the task, and the two task commands.
#include <algorithm>
#include <utility>

#include "backup/path_helpers.h"
#include "common/ascii_text.h"
#include "common/number_text.h"
#include "common/texts.h"
#include "task/task_file_text.h"
#include "task/task_keys.h"
#include "task/task_values.h"
#include "ui/frm_main.h"

namespace tarnwick {
namespace {

namespace keys = task_keys;

std::string Read(const TaskFileText& task, const TaskKey& key) {
    return task.read(key.section, key.name);
}

double ReadNumberOf(const TaskFileText& task, const TaskKey& key) {
    return ReadNumber(Read(task, key));
}

int FallbackInt(const TaskKey& key) {
    return static_cast<int>(key.fallback);
}

// A check box takes 0 or 1; any other number stored for it reads as ticked.
int CheckValue(const TaskFileText& task, const TaskKey& key) {
    return RoundToInt16(ReadNumberOf(task, key)) != 0 ? 1 : 0;
}

// The highest entry number, up to `count`, among the keys of a list's section; 0 when none.
std::size_t HighestEntryPresent(const TaskFileText& task, const keys::ListKeys& list,
                                std::size_t count) {
    const std::string prefix = UpperCase(list.prefix);
    std::size_t highest = 0;
    for (const auto& name : task.keys(list.section)) {
        const std::string_view digits =
            std::string_view(name).substr(name.starts_with(prefix) ? prefix.size() : name.size());
        // Only the spelling a read of "Dir" + number finds: digits without a leading zero.
        if (digits.empty() || digits.size() > 19 || digits.front() == '0' ||
            digits.find_first_not_of("0123456789") != std::string_view::npos) {
            continue;
        }
        const std::size_t number = std::stoull(std::string(digits));
        if (number <= count && number > highest) {
            highest = number;
        }
    }
    return highest;
}

// The entries of a numbered list. A count above the number of lines in the file cannot have been
// written by a save: it reads as the highest numbered entry present, so a mangled count never
// fills memory with empty entries and no entry in the file is lost.
std::vector<std::string> ReadList(const TaskFileText& task, const keys::ListKeys& list) {
    const std::int32_t count = RoundToInt32(ReadNumber(task.read(list.section, keys::kCount)));
    std::size_t entries = count > 0 ? static_cast<std::size_t>(count) : 0;
    if (entries > task.lineCount()) {
        entries = HighestEntryPresent(task, list, entries);
    }
    std::vector<std::string> values;
    values.reserve(entries);
    for (std::size_t i = 1; i <= entries; ++i) {
        values.push_back(task.read(list.section, keys::EntryName(list, static_cast<int>(i))));
    }
    return values;
}

void Fill(ListBox& box, const std::vector<std::string>& values) {
    box.clear();
    for (const auto& value : values) {
        box.addItem(value);
    }
}

std::vector<std::string> Entries(const ListBox& box) {
    return {box.items().begin(), box.items().end()};
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

bool FrmMain::taskFileExists(const std::string& path) {
    // Only normal files count; a path ending in a separator names a folder, which counts when it
    // holds at least one normal file.
    if (EndsWithSeparator(path, defaults_.style)) {
        auto listing = fs_.list(path);
        ListedEntry entry;
        while (listing && listing->next(entry)) {
            if (entry.info && entry.info->kind == EntryKind::File && !entry.info->hiddenOrSystem) {
                return true;
            }
        }
        return false;
    }
    const auto info = fs_.attributes(path);
    return info && info->kind == EntryKind::File && !info->hiddenOrSystem;
}

void FrmMain::ResetTask() {
    IniPath = FoldDoubledSeparators(IniPath, defaults_.style);
    if (!taskFileExists(IniPath)) {
        loadDefaults();
    } else {
        std::string reason;
        auto bytes = fs_.readFile(IniPath, reason);
        if (!bytes && !EndsWithSeparator(IniPath, defaults_.style)) {
            platform_.showMessage(IniPath + " (" + reason + ")",
                                  std::string(texts::kReadFailedTitle));
        }
        applyTaskFile(TaskFileText(bytes.value_or(std::string())));
    }
    BuildTypeFilter();
}

void FrmMain::applyTaskFile(const TaskFileText& task) {
    const std::string destination = Read(task, keys::kDestination);
    if (!destination.empty()) {
        txtToFolder.setText(destination);
    }
    const std::int32_t interval = RoundToInt32(ReadNumberOf(task, keys::kInterval));
    IntervalMinutes = keys::kInterval.holds(interval) ? interval : FallbackInt(keys::kInterval);
    setCheckValue(Check1, CheckValue(task, keys::kIncludeSubDirs));
    setCheckValue(CheckFullFodler, CheckValue(task, keys::kWholePath));
    setCheckValue(Check2, CheckValue(task, keys::kSizeLimitOn));
    const double sizeLimit = ReadNumberOf(task, keys::kSizeLimit);
    if (keys::kSizeLimit.holds(sizeLimit)) {
        Text3.setText(FormatNumber(sizeLimit));
    }
    // Above 2 means by hand; so does a negative mode, the choice that starts nothing unasked.
    const std::int16_t mode = RoundToInt16(ReadNumberOf(task, keys::kScheduleMode));
    clickOption1(static_cast<ScheduleMode>(
        keys::kScheduleMode.holds(mode) ? mode : FallbackInt(keys::kScheduleMode)));
    // A load takes any hour before the next one past the range (23.5 loads; a save corrects it).
    const double hour = ReadNumberOf(task, keys::kHour);
    if (hour < keys::kHour.high + 1) {
        Text5.setText(FormatNumber(hour));
    }
    const double minute = ReadNumberOf(task, keys::kMinute);
    if (minute < keys::kMinute.high + 1) {
        Text6.setText(FormatNumber(minute));
    }
    const std::vector<std::string> folders = ReadList(task, keys::kSourceFolders);
    ListFromFolder.clear();
    ListMessage.clear();
    for (const auto& folder : folders) {
        ListFromFolder.addItem(folder);
        LogFolderTarget(folder);
    }
    // A type mode out of range reads as "all files", the choice that leaves nothing out.
    const std::int16_t typeMode = RoundToInt16(ReadNumberOf(task, keys::kTypeMode));
    selectOption2(static_cast<TypeMode>(
        keys::kTypeMode.holds(typeMode) ? typeMode : FallbackInt(keys::kTypeMode)));
    Fill(List3, ReadList(task, keys::kOnlyTypes));
    Fill(List4, ReadList(task, keys::kSkipTypes));
}

void FrmMain::loadDefaults() {
    MinuteCounter = 0;
    IntervalMinutes = FallbackInt(keys::kInterval);
    ListFromFolder.addItem(defaults_.desktopFolder);
    ListFromFolder.addItem(defaults_.documentsFolder);
    for (const char* type : {".wps", ".doc", ".xls"}) {
        List3.addItem(type);
    }
    for (const char* type : {".bak", ".tmp", ".swp"}) {
        List4.addItem(type);
    }
}

void FrmMain::BuildTypeFilter() {
    Filter =
        tarnwick::BuildTypeFilter(SelectedMode<TypeMode>(Option2), Entries(List3), Entries(List4));
}

FrmMain::CommandOutcome FrmMain::SaveTask() {
    // The corrections the save makes to the boxes come first, so that what is checked and
    // written is what the window shows afterwards. A save refused for a value changes nothing
    // else; a file that cannot be written is reported once the window holds the saved task.
    const std::pair<TextBox*, const TaskKey*> boxes[] = {{&Text4, &keys::kInterval},
                                                         {&Text3, &keys::kSizeLimit},
                                                         {&Text5, &keys::kHour},
                                                         {&Text6, &keys::kMinute}};
    for (const auto& [box, key] : boxes) {
        if (!key->holds(ReadNumber(box->text()))) {
            box->setText(FormatNumber(key->fallback));
        }
    }

    const std::string path = FoldDoubledSeparators(TextTask.text(), defaults_.style);
    std::string reason;
    // Held to the end of the save, so that another save of the same file in the meantime
    // cannot be undone by this one. It is let go before any message: a message waits for the
    // user, and other saves (on Windows, those of every task file) would wait with it.
    auto lock = fs_.lockFile(path, reason);
    if (!lock && !reason.empty()) {
        platform_.showMessage(path + " (" + reason + ")", std::string(texts::kSaveFailedTitle));
        return CommandOutcome::WriteFailed;
    }
    auto existing = fs_.readFile(path, reason);
    if (!existing && fs_.attributes(path)) {
        // It is there but cannot be read: writing now would throw away whatever else it holds.
        lock.reset();
        platform_.showMessage(path + " (" + reason + ")", std::string(texts::kSaveFailedTitle));
        return CommandOutcome::WriteFailed;
    }
    TaskFileText task(existing.value_or(std::string()));
    // Every value must be storable before anything is written, so a refusal leaves no trace.
    std::vector<std::string_view> values = {txtToFolder.text(), Text3.text(), Text4.text(),
                                            Text5.text(), Text6.text()};
    for (const ListBox* list : {&ListFromFolder, &List3, &List4}) {
        values.insert(values.end(), list->items().begin(), list->items().end());
    }
    for (const auto value : values) {
        if (HasLineBreak(value) || !task.canStore(ProtectedValue(value))) {
            lock.reset();
            if (!refuseLineBreak(value)) {
                tell(texts::kNotInCodePage, value);
            }
            return CommandOutcome::Refused;
        }
    }
    IniPath = path;
    IntervalMinutes = RoundToInt32(ReadNumber(Text4.text()));
    BuildTypeFilter();

    auto write = [&task](const TaskKey& key, std::string_view value) {
        task.write(key.section, key.name, ProtectedValue(value));
    };
    auto writeList = [&task](const keys::ListKeys& list, const ListBox& box) {
        task.write(list.section, keys::kCount, std::to_string(box.listCount()));
        for (int i = 0; i < box.listCount(); ++i) {
            task.write(list.section, keys::EntryName(list, i + 1), ProtectedValue(box.list(i)));
        }
    };
    writeList(keys::kSourceFolders, ListFromFolder);
    write(keys::kTypeMode, std::to_string(SelectedIndex(Option2)));
    writeList(keys::kOnlyTypes, List3);
    writeList(keys::kSkipTypes, List4);
    write(keys::kDestination, txtToFolder.text());
    write(keys::kInterval, Text4.text());
    write(keys::kIncludeSubDirs, std::to_string(Check1.value()));
    write(keys::kWholePath, std::to_string(CheckFullFodler.value()));
    write(keys::kSizeLimitOn, std::to_string(Check2.value()));
    write(keys::kSizeLimit, Text3.text());
    write(keys::kScheduleMode, std::to_string(SelectedIndex(Option1)));
    write(keys::kHour, Text5.text());
    write(keys::kMinute, Text6.text());

    // The default task file's own folder is the program's to make.
    if (IniPath == defaults_.taskFile) {
        const std::size_t separator = IniPath.find_last_of(Separator(defaults_.style));
        if (separator != std::string::npos && separator > 0) {
            MakeFolderWithParents(fs_, IniPath.substr(0, separator), defaults_.style);
        }
    }
    const Status saved = fs_.replaceFile(IniPath, task.bytes());
    if (!saved.ok()) {
        lock.reset();
        platform_.showMessage(IniPath + " (" + saved.reason() + ")",
                              std::string(texts::kSaveFailedTitle));
        return CommandOutcome::WriteFailed;
    }
    return CommandOutcome::Done;
}

FrmMain::CommandOutcome FrmMain::SaveConfig_Click() {
    if (IsBlank(txtToFolder.text())) {
        txtToFolder.setText(defaults_.blankDestinationReplacement);
        tell(texts::kBlankFolder);
        return CommandOutcome::Refused;
    }
    if (!IsLocalDiskPath(txtToFolder.text(), defaults_.style)) {
        txtToFolder.setText(defaults_.backFolder);
        tell(texts::kNotLocal);
        return CommandOutcome::Refused;
    }
    return SaveTask();
}

FrmMain::CommandOutcome FrmMain::UpdateButton_Click() {
    if (IsBlank(txtToFolder.text())) {
        txtToFolder.setText(defaults_.blankDestinationReplacement);
        tell(texts::kBlankFolder);
        return CommandOutcome::Refused;
    }
    if (BackupBusy) {
        logFirst(texts::kBusyRefusedLine);
        return CommandOutcome::Refused;
    }
    RunBackup();
    return CommandOutcome::Done;
}

bool FrmMain::refuseLineBreak(std::string_view value) {
    if (!HasLineBreak(value)) {
        return false;
    }
    std::string shown(value);
    std::replace(shown.begin(), shown.end(), '\n', ' ');
    std::replace(shown.begin(), shown.end(), '\r', ' ');
    tell(texts::kLineBreak, shown);
    return true;
}

}  // namespace tarnwick
