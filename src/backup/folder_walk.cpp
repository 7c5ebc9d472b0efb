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

void FolderWalk::walk(const std::string& folder, const EntryInfo& self) {
    openFolders_.push_back({self.device, self.inode});

    std::vector<Subfolder> subfolders;
    Status why = Status::Ok();
    if (auto listing = fs_.openListing(folder, why)) {
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
                // An entry that vanished since it was listed needs no backup.
                if (!entry.failure.empty()) {
                    host_.logTop(UnreadableEntryText(fullPath, entry.failure));
                    ++result_.failedCopies;
                }
                continue;
            }
            if (entry.info->kind == EntryKind::Folder) {
                if (takeSubfolder(entry.name, targetPath, *entry.info)) {
                    subfolders.push_back({entry.name, *entry.info});
                }
            } else if (entry.info->kind == EntryKind::File) {
                handleFile(fullPath, targetPath, *entry.info);
            }
        }
    } else if (!why.gone()) {
        host_.logTop(UnreadableFolderText(folder, why.reason()));
        ++result_.failedFolders;
    }

    if (settings_.includeSubDirs) {
        for (auto sub = subfolders.rbegin(); sub != subfolders.rend() && !stopped(); ++sub) {
            walk(WithTrailingSeparator(folder + sub->name, settings_.style), sub->info);
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
        const Status created = CreateFolder(fs_, targetPath);
        if (!created.ok()) {
            host_.logTop(FolderFailureText(targetPath, created.reason()));
            ++result_.failedFolders;
            return false;  // nothing below it could be copied
        }
    }
    return true;
}

bool FolderWalk::unchanged(const EntryInfo& source, const EntryInfo& copy) const {
    if (copy.size != source.size) {
        return false;  // a torn or truncated copy, whatever its time says
    }
    if (!settings_.twoSecondTimes) {
        return copy.modified.seconds == source.modified.seconds;
    }
    constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
    const std::int64_t apart =
        (copy.modified.seconds - source.modified.seconds) * kNanosecondsPerSecond +
        (copy.modified.nanoseconds - source.modified.nanoseconds);
    return apart > -2 * kNanosecondsPerSecond && apart < 2 * kNanosecondsPerSecond;
}

// A source that changes under the reader is copied again, a few times, before the pass gives up.
CopyResult FolderWalk::copy(const std::string& fullPath, const std::string& targetPath) {
    constexpr int kAttempts = 3;
    CopyResult result;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        result = fs_.copyFile(fullPath, targetPath, [&] {
            refreshIfDue(fullPath);
            return !stopped();
        });
        if (result.outcome != CopyOutcome::Changed) {
            return result;
        }
    }
    return {CopyOutcome::Failed, std::string(kChangedDuringCopyText)};
}

void FolderWalk::handleFile(const std::string& fullPath, const std::string& targetPath,
                            const EntryInfo& source) {
    // A missing copy is always a candidate, whatever the source's own time.
    const auto copied = fs_.attributes(targetPath);
    if (copied && unchanged(source, *copied)) {
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
        const CopyResult result = copy(fullPath, targetPath);
        if (result.outcome == CopyOutcome::Stopped) {
            return;
        }
        if (result.outcome == CopyOutcome::Failed) {
            host_.logTop(CopyFailureText(fullPath, result.reason));
            ++result_.failedCopies;
            return;
        }
    }
    ++result_.updatedCount;
    result_.updatedBytes += static_cast<std::int64_t>(source.size);
}

}  // namespace tarnwick
