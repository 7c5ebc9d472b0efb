#include "backup/folder_walk.h"

#include <algorithm>

#include "backup/pass_texts.h"
#include "backup/path_helpers.h"

namespace tarnwick {
namespace {

constexpr double kRefreshSeconds = 0.4;

}  // namespace

FolderWalk::FolderWalk(Settings settings, BackupHost& host, FileSystem& fs, Clock& clock,
                       double& lastRefresh, PassResult& result)
    : settings_(std::move(settings)),
      host_(host),
      fs_(fs),
      clock_(clock),
      lastRefresh_(lastRefresh),
      result_(result) {}

bool FolderWalk::stopped() {
    if (host_.stopRequested()) {
        result_.stopped = true;
    }
    return result_.stopped;
}

void FolderWalk::refreshIfDue(std::string_view path) {
    if (clock_.monotonicSeconds() - lastRefresh_ > kRefreshSeconds) {
        host_.refreshProgress(path);
        lastRefresh_ = clock_.monotonicSeconds();
    }
}

void FolderWalk::walk(const std::string& path) {
    const auto self = fs_.attributes(path);
    if (!self || self->kind != EntryKind::Folder) {
        return;
    }
    const std::string folder = WithTrailingSeparator(path, settings_.style);
    openFolders_.push_back({self->device, self->inode});

    std::vector<std::string> subfolders;
    if (auto listing = fs_.list(folder)) {
        ListedEntry entry;
        const std::size_t relativeStart = settings_.sourceRoot.size();
        while (!stopped() && listing->next(entry)) {
            const std::string fullPath = folder + entry.name;
            std::string targetPath = settings_.targetRoot;
            targetPath.append(fullPath, relativeStart);
            refreshIfDue(fullPath);
            if (stopped()) {
                break;  // the user may have pressed stop during the refresh
            }
            if (!entry.info) {
                continue;  // vanished since it was listed, or a link to nowhere
            }
            if (entry.info->kind == EntryKind::Folder) {
                if (takeSubfolder(entry.name, targetPath, *entry.info)) {
                    subfolders.push_back(entry.name);
                }
            } else if (entry.info->kind == EntryKind::File) {
                handleFile(fullPath, targetPath, *entry.info);
            }
        }
    }

    if (settings_.includeSubDirs) {
        for (auto name = subfolders.rbegin(); name != subfolders.rend() && !stopped(); ++name) {
            walk(folder + *name);
        }
    }
    openFolders_.pop_back();
}

bool FolderWalk::takeSubfolder(const std::string& name, const std::string& targetPath,
                               const EntryInfo& info) {
    if (host_.typeFilter().skipsFolder(name)) {
        return false;
    }
    const FolderId id{info.device, info.inode};
    if (std::find(openFolders_.begin(), openFolders_.end(), id) != openFolders_.end()) {
        return false;  // a link back into a folder we are inside would never end
    }
    const auto& destination = settings_.destination;
    if (destination && FolderId{destination->device, destination->inode} == id) {
        return false;  // backing the backup up into itself would grow it with every pass
    }
    if (settings_.includeSubDirs && !IsFolder(fs_, targetPath)) {
        const Status created = fs_.createFolder(targetPath);
        if (!created.ok()) {
            host_.logTop(FolderFailureText(targetPath, created.reason()));
            ++result_.failedFolders;
            return false;  // nothing below it could be copied
        }
    }
    return true;
}

void FolderWalk::handleFile(const std::string& fullPath, const std::string& targetPath,
                            const EntryInfo& source) {
    // A missing copy is always a candidate, whatever the source's own time.
    const auto copyTime = FileStamp(fs_, targetPath);
    if (copyTime && copyTime->seconds == source.modified.seconds) {
        return;
    }
    const bool selected = settings_.sizeLimitOn
                              ? static_cast<std::int64_t>(source.size) <= settings_.sizeLimitBytes
                              : host_.typeFilter().selectsFile(fullPath);
    if (!selected) {
        return;
    }
    host_.logTop(fullPath);
    if (!host_.noCopy()) {
        const CopyResult copy = fs_.copyFile(fullPath, targetPath, [&] {
            refreshIfDue(fullPath);
            return !stopped();
        });
        if (copy.outcome == CopyOutcome::Stopped) {
            return;
        }
        if (copy.outcome == CopyOutcome::Failed) {
            host_.logTop(CopyFailureText(fullPath, copy.reason));
            ++result_.failedCopies;
            return;
        }
    }
    ++result_.updatedCount;
    result_.updatedBytes += static_cast<std::int64_t>(source.size);
}

}  // namespace tarnwick
