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
        // The destination keeps times to 2 seconds (FAT): closer times count as equal.
        bool twoSecondTimes = false;
    };

    FolderWalk(Settings settings, BackupHost& host, FileSystem& fs, Clock& clock,
               double& lastRefresh, PassResult& result);

    // Walks a folder (its path ending in a separator) whose attributes were read.
    void walk(const std::string& folder, const EntryInfo& self);

  private:
    struct FolderId {
        std::uint64_t device;
        std::uint64_t inode;
        bool operator==(const FolderId&) const = default;
    };
    struct Subfolder {
        std::string name;
        EntryInfo info;
    };

    void handleFile(const std::string& fullPath, const std::string& targetPath,
                    const EntryInfo& source);
    bool unchanged(const EntryInfo& source, const EntryInfo& copy) const;
    CopyResult copy(const std::string& fullPath, const std::string& targetPath);
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
