#pragma once

#include <limits>
#include <string>
#include <string_view>

namespace tarnwick {

// The schedule modes, in the order of their option buttons; the index is what the file stores.
enum class ScheduleMode { Daily = 0, Interval = 1, Manual = 2 };
// The file type modes, in the order of their option buttons; the index is what the file stores.
enum class TypeMode { AllFiles = 0, OnlyListed = 1, AllButListed = 2 };

// A key of the task file: its section and its name and, for a number, the range a save keeps it
// in and the value that stands in for one outside it (also the window's design value).
struct TaskKey {
    std::string_view section;
    std::string_view name;
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();
    double fallback = 0;

    bool holds(double value) const { return value >= low && value <= high; }
};

namespace task_keys {

inline constexpr std::string_view kDirList = "DirList";
inline constexpr std::string_view kComm = "Comm";
inline constexpr std::string_view kFileExtYes = "FileExtYes";
inline constexpr std::string_view kFileExtNo = "FileExtNo";

inline constexpr TaskKey kDestination{kComm, "DDir"};
inline constexpr TaskKey kInterval{kComm, "TimeOut", 1, 180, 30};
inline constexpr TaskKey kIncludeSubDirs{kComm, "IncludeSubDir"};
inline constexpr TaskKey kWholePath{kComm, "ByWholeDir"};
inline constexpr TaskKey kSizeLimitOn{kComm, "LimitSize"};
// Any size above 0 KB: no double lies between 0 and the smallest one above it.
inline constexpr TaskKey kSizeLimit{kComm, "SizeUp", std::numeric_limits<double>::denorm_min(),
                                    std::numeric_limits<double>::infinity(), 300};
inline constexpr TaskKey kScheduleMode{kComm, "TimePoint", 0, 2,
                                       static_cast<double>(ScheduleMode::Manual)};
// No lower bound: a negative hour or minute is kept and never matches a time of day.
inline constexpr TaskKey kHour{kComm, "TimeHour", -std::numeric_limits<double>::infinity(), 23, 17};
inline constexpr TaskKey kMinute{kComm, "TimeMinute", -std::numeric_limits<double>::infinity(), 59,
                                 0};
inline constexpr TaskKey kTypeMode{kComm, "FileExtIndex", 0, 2,
                                   static_cast<double>(TypeMode::AllFiles)};

// The numbered lists: a Count key and the entries Dir1..DirN or FileExt1..FileExtN.
struct ListKeys {
    std::string_view section;
    std::string_view prefix;
};
inline constexpr ListKeys kSourceFolders{kDirList, "Dir"};
inline constexpr ListKeys kOnlyTypes{kFileExtYes, "FileExt"};
inline constexpr ListKeys kSkipTypes{kFileExtNo, "FileExt"};
inline constexpr std::string_view kCount = "Count";

inline std::string EntryName(const ListKeys& list, int number) {
    return std::string(list.prefix) + std::to_string(number);
}

}  // namespace task_keys
}  // namespace tarnwick
