#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// A key of the task file: its section and its name.
struct TaskKey {
    std::string_view section;
    std::string_view name;
};

namespace task_keys {

inline constexpr std::string_view kDirList = "DirList";
inline constexpr std::string_view kComm = "Comm";
inline constexpr std::string_view kFileExtYes = "FileExtYes";
inline constexpr std::string_view kFileExtNo = "FileExtNo";

inline constexpr TaskKey kDestination{kComm, "DDir"};
inline constexpr TaskKey kInterval{kComm, "TimeOut"};
inline constexpr TaskKey kIncludeSubDirs{kComm, "IncludeSubDir"};
inline constexpr TaskKey kWholePath{kComm, "ByWholeDir"};
inline constexpr TaskKey kSizeLimitOn{kComm, "LimitSize"};
inline constexpr TaskKey kSizeLimit{kComm, "SizeUp"};
inline constexpr TaskKey kScheduleMode{kComm, "TimePoint"};
inline constexpr TaskKey kHour{kComm, "TimeHour"};
inline constexpr TaskKey kMinute{kComm, "TimeMinute"};
inline constexpr TaskKey kTypeMode{kComm, "FileExtIndex"};

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
