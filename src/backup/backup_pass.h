#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backup/backup_host.h"
#include "backup/file_system.h"
#include "common/clock.h"
#include "common/path_style.h"

namespace tarnwick {

// What a pass reads from the window when it starts.
struct PassOptions {
    std::string destination;           // the destination box's text
    std::vector<std::string> sources;  // the source list's entries
    bool includeSubDirs = true;
    bool fullPath = true;  // keep each source's whole path below the destination
    bool sizeLimitOn = false;
    std::string sizeLimitText;  // kilobytes, read as a number
    PathStyle style = kHostPathStyle;
};

struct PassResult {
    std::int64_t updatedCount = 0;  // files copied (with the no-copy box: selected)
    std::int64_t updatedBytes = 0;
    std::int64_t failedCopies = 0;
    std::int64_t failedFolders = 0;
    bool stopped = false;

    bool failed() const { return failedCopies > 0 || failedFolders > 0; }
};

// The size limit in bytes from the kilobytes text; 0 or less (or no number) means the size key's
// default.
std::int64_t SizeLimitBytes(const std::string& kilobytesText);

// One backup pass over every source folder into the destination, logging through the host.
PassResult RunBackup(const PassOptions& options, BackupHost& host, FileSystem& fs, Clock& clock);

}  // namespace tarnwick
