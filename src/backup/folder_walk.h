#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "backup/backup_host.h"
#include "backup/backup_pass.h"
#include "backup/file_system.h"
#include "backup/folder_scan.h"
#include "common/clock.h"

namespace tarnwick {

using FolderIds = std::set<FolderId>;

class ReadAhead;

// The walk of one source folder and everything below it: compares each file's time with its
// copy's, copies what changed and passes the filter, creates the mirrored folders. Both sides
// are walked through open folders, so a link planted in the destination is never written
// through and no path length limit applies. Worker threads read the folders ahead of the walk
// (see ReadAhead); the walk itself decides and writes on the calling thread, in its own order.
class FolderWalk {
  public:
    struct Settings {
        std::string sourceRoot;  // ends in a separator
        std::string targetRoot;  // ends in a separator
        bool includeSubDirs = true;
        bool sizeLimitOn = false;
        std::int64_t sizeLimitBytes = 0;
        PathStyle style = kHostPathStyle;
        // The destination keeps times to 2 seconds (FAT): closer times count as equal.
        bool twoSecondTimes = false;
        // Whether worker threads read the folders ahead of the walk (see FileSystem::readsAhead).
        bool readAhead = true;
    };

    // `targetFolders` holds the destination and every target folder the pass has opened: the
    // walk never enters one of them, should a source lead there, and adds the ones it opens.
    FolderWalk(Settings settings, BackupHost& host, Clock& clock, double& lastRefresh,
               PassResult& result, FolderIds& targetFolders);

    // Walks the source root into the target root.
    void walk(OpenFolder& source, OpenFolder& target);

  private:
    struct Subfolder {
        std::string name;
        EntryInfo info;
    };

    void walk(const std::string& folder, OpenFolder& source, OpenFolder& target,
              const std::optional<FolderId>& targetId);
    void walkSubfolder(const std::string& folder, const Subfolder& sub, OpenFolder& source,
                       OpenFolder& target);
    std::string targetPathOf(const std::string& fullPath) const;
    void keepAccess(const std::string& targetPath, OpenFolder& target, const EntryInfo& source,
                    const std::optional<EntryInfo>& copy);
    std::unique_ptr<FolderScan> scan(const std::string& folder, OpenFolder& source,
                                     OpenFolder& target, const std::optional<FolderId>& targetId);
    void handleFile(const std::string& fullPath, const ScannedEntry& entry,
                    OpenFolder& sourceFolder, OpenFolder& targetFolder);
    bool takeSubfolder(const std::string& targetPath, const ScannedEntry& entry,
                       OpenFolder& target);
    bool unchanged(const EntryInfo& source, const EntryInfo& copy) const;
    CopyResult copy(const std::string& fullPath, const std::string& name, OpenFolder& source,
                    OpenFolder& target);
    void refreshIfDue(std::string_view path);
    bool stopped();

    Settings settings_;
    BackupHost& host_;
    Clock& clock_;
    double& lastRefresh_;
    PassResult& result_;
    FolderIds& targetFolders_;
    // Each folder is walked once per source, however many junctions or mounts lead to it.
    FolderIds visited_;
    ReadAhead* readAhead_ = nullptr;  // while a walk runs
};

}  // namespace tarnwick
