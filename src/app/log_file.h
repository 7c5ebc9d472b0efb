#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "backup/file_system.h"
#include "common/clock.h"

namespace tarnwick {

// The log kept on disk: every line the window logs, with its date, appended to a UTF-8 file.
// At its size limit the file is renamed to ".1" (".1" to ".2", ".2" to ".3"; the oldest
// goes), so it never grows without bound.
class LogFile {
  public:
    static constexpr std::uint64_t kRotateBytes = 1024 * 1024;
    static constexpr int kOldFiles = 3;

    explicit LogFile(std::string path, std::uint64_t rotateBytes = kRotateBytes);

    // Appends "YYYY-MM-DD hh:mm:ss", four spaces and the text as one line: a line break
    // inside the text is written as "↵". Fails with the system's reason.
    Status append(const LocalTime& time, std::string_view text);

    const std::string& path() const { return path_; }

  private:
    Status open();
    Status rotate();

    std::string path_;
    std::uint64_t rotateBytes_;
    std::ofstream out_;
    std::uint64_t size_ = 0;
};

}  // namespace tarnwick
