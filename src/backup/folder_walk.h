#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backup/backup_host.h"
#include "backup/backup_pass.h"
#include "backup/file_system.h"
#include "common/clock.h"

namespace tarnwick {

// The walk of one source folder and everything below it: compares each file's time with its
// copy's, copies what changed and passes the filter, creates the mirrored folders.
class FolderWalk {
  public:
    struct Settings {
        std::string sourceRoot;  // ends in a separator
        std::string targetRoot;  // ends in a separator
        bool includeSubDirs = true;
        bool sizeLimitOn = false;
        std::int64_t sizeLimitBytes = 0;
        PathStyle style = kHostPathStyle;
        // The destination folder itself is never walked into, should it lie inside a source.
        std::optional<EntryInfo> destination;
    };

    FolderWalk(Settings settings, BackupHost& host, FileSystem& fs, Clock& clock,
               double& lastRefresh, PassResult& result);

    void walk(const std::string& path);

  private:
    struct FolderId {
        std::uint64_t device;
        std::uint64_t inode;
        bool operator==(const FolderId&) const = default;
    };

    void handleFile(const std::string& fullPath, const std::string& targetPath,
                    const EntryInfo& source);
    bool takeSubfolder(const std::string& name, const std::string& targetPath,
                       const EntryInfo& info);
    void refreshIfDue(std::string_view path);
    bool stopped();

    Settings settings_;
    BackupHost& host_;
    FileSystem& fs_;
    Clock& clock_;
    double& lastRefresh_;
    PassResult& result_;
    std::vector<FolderId> openFolders_;  // the folders on the current path, for link loops
};

}  // namespace tarnwick
