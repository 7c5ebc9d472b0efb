#include "backup/folder_walk.h"

#include <algorithm>
#include <optional>

#include "backup/path_helpers.h"
#include "backup/read_ahead.h"
#include "common/texts.h"

namespace tarnwick {
namespace {

constexpr double kRefreshSeconds = 0.4;

}  // namespace

FolderWalk::FolderWalk(Settings settings, BackupHost& host, Clock& clock, double& lastRefresh,
                       PassResult& result, FolderIds& targetFolders)
    : settings_(std::move(settings)),
      host_(host),
      clock_(clock),
      lastRefresh_(lastRefresh),
      result_(result),
      targetFolders_(targetFolders) {}

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

void FolderWalk::walk(OpenFolder& source, OpenFolder& target) {
    const auto self = source.info();
    if (self) {
        visited_.insert({self->device, self->inode});
    }
    {
        std::optional<ReadAhead> readAhead;
        if (settings_.readAhead) {
            readAhead.emplace(source, target, settings_.sourceRoot, Separator(settings_.style));
            readAhead_ = &*readAhead;
        }
        walk(settings_.sourceRoot, source, target, IdOf(target.info()));
        readAhead_ = nullptr;
    }
    if (self) {
        keepAccess(settings_.targetRoot, target, *self, target.info());
    }
}

std::string FolderWalk::targetPathOf(const std::string& fullPath) const {
    std::string targetPath = settings_.targetRoot;
    targetPath.append(fullPath, settings_.sourceRoot.size());
    return targetPath;
}

// The folder as read ahead, unless it is not the folder the walk has open now (it was replaced
// meanwhile) or its copies were read from another target folder (the walk has just made it).
std::unique_ptr<FolderScan> FolderWalk::scan(const std::string& folder, OpenFolder& source,
                                             OpenFolder& target,
                                             const std::optional<FolderId>& targetId) {
    auto scan = readAhead_ != nullptr ? readAhead_->take(folder) : nullptr;
    if (!scan || !scan->source || scan->source != IdOf(source.info())) {
        return std::make_unique<FolderScan>(ScanFolder(source, &target));
    }
    if (scan->complete && (!scan->target || scan->target != targetId)) {
        ReadCopies(*scan, target);
    }
    return scan;
}

void FolderWalk::walk(const std::string& folder, OpenFolder& source, OpenFolder& target,
                      const std::optional<FolderId>& targetId) {
    target.removeLeftovers();
    std::vector<Subfolder> subfolders;
    const auto read = scan(folder, source, target, targetId);
    ScannedEntries entries(*read, source, target);
    ScannedEntry entry;
    while (!stopped() && entries.next(entry)) {
        const ListedEntry& listed = entry.source;
        const std::string fullPath = folder + listed.name;
        refreshIfDue(fullPath);
        if (stopped()) {
            break;  // the user may have pressed stop during the refresh
        }
        if (!listed.info) {
            // An entry that vanished since it was listed needs no backup.
            if (!listed.failure.empty()) {
                host_.logTop(texts::UnreadableEntryText(fullPath, listed.failure));
                ++result_.failedCopies;
            }
            continue;
        }
        if (TemporaryFileOwner(listed.name)) {
            // The copies were read before the walk removed the leftovers of earlier passes.
            Status ignored = Status::Ok();
            entry.copy = target.entry(listed.name, ignored);
        }
        if (listed.info->kind == EntryKind::Folder) {
            if (takeSubfolder(targetPathOf(fullPath), entry, target)) {
                subfolders.push_back({listed.name, *listed.info});
            }
        } else if (listed.info->kind != EntryKind::Other) {
            handleFile(fullPath, entry, source, target);
        }
    }
    if (!entries.status().ok() && !entries.status().gone()) {
        host_.logTop(texts::UnreadableFolderText(folder, entries.status().reason()));
        ++result_.failedFolders;
    }

    if (settings_.includeSubDirs) {
        for (auto sub = subfolders.rbegin(); sub != subfolders.rend() && !stopped(); ++sub) {
            walkSubfolder(folder, *sub, source, target);
        }
    }
}

void FolderWalk::walkSubfolder(const std::string& folder, const Subfolder& sub, OpenFolder& source,
                               OpenFolder& target) {
    const std::string path = WithTrailingSeparator(folder + sub.name, settings_.style);
    Status why = Status::Ok();
    auto sourceFolder = source.open(sub.name, why);
    if (!sourceFolder) {
        if (!why.gone()) {  // a folder that vanished since the listing needs no backup
            host_.logTop(texts::UnreadableFolderText(path, why.reason()));
            ++result_.failedFolders;
        }
        return;
    }
    // Never through a link planted where the target folder belongs.
    auto targetFolder = target.open(sub.name, why);
    if (!targetFolder) {
        host_.logTop(texts::FolderFailureText(targetPathOf(folder + sub.name), why.reason()));
        ++result_.failedFolders;
        return;
    }
    const auto targetInfo = targetFolder->info();
    if (targetInfo) {
        targetFolders_.insert({targetInfo->device, targetInfo->inode});
    }
    walk(path, *sourceFolder, *targetFolder, IdOf(targetInfo));
    keepAccess(targetPathOf(folder + sub.name), *targetFolder, sub.info, targetInfo);
}

// A folder takes its source's access once it is filled, so that a read-only source folder does
// not keep its own copy from being filled on the first pass.
void FolderWalk::keepAccess(const std::string& targetPath, OpenFolder& target,
                            const EntryInfo& source, const std::optional<EntryInfo>& copy) {
    if (copy && copy->permissions != source.permissions) {
        const Status kept = target.setAccess(".", source);
        if (!kept.ok()) {
            host_.logTop(texts::FolderFailureText(targetPath, kept.reason()));
            ++result_.failedFolders;
        }
    }
}

bool FolderWalk::takeSubfolder(const std::string& targetPath, const ScannedEntry& entry,
                               OpenFolder& target) {
    const std::string& name = entry.source.name;
    const EntryInfo& info = *entry.source.info;
    if (host_.typeFilter().skipsFolder(name)) {
        return false;
    }
    const std::pair id{info.device, info.inode};
    // A junction back into a folder already walked, or into the backup itself, would grow the
    // walk (and the backup) with every pass.
    if (!visited_.insert(id).second || targetFolders_.count(id) != 0) {
        return false;
    }
    if (settings_.includeSubDirs) {
        const auto& existing = entry.copy;
        const Status made = existing && existing->kind == EntryKind::Folder
                                ? Status::Ok()
                                : target.makeFolder(name);
        if (!made.ok()) {
            host_.logTop(texts::FolderFailureText(targetPath, made.reason()));
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
CopyResult FolderWalk::copy(const std::string& fullPath, const std::string& name,
                            OpenFolder& source, OpenFolder& target) {
    constexpr int kAttempts = 3;
    CopyResult result;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        result = target.copyIn(source, name, [&] {
            refreshIfDue(fullPath);
            return !stopped();
        });
        if (result.outcome != CopyOutcome::Changed) {
            return result;
        }
    }
    return {CopyOutcome::Failed, std::string(texts::kChangedDuringCopyText)};
}

void FolderWalk::handleFile(const std::string& fullPath, const ScannedEntry& entry,
                            OpenFolder& sourceFolder, OpenFolder& targetFolder) {
    const std::string& name = entry.source.name;
    const EntryInfo& source = *entry.source.info;
    // A missing copy is always a candidate, whatever the source's own time.
    const auto& copied = entry.copy;
    if (copied && copied->kind == source.kind && unchanged(source, *copied)) {
        // A change of access alone reaches the copy without copying or logging it.
        if (copied->permissions != source.permissions && source.kind == EntryKind::File) {
            const Status kept = targetFolder.setAccess(name, source);
            if (!kept.ok()) {
                host_.logTop(texts::CopyFailureText(fullPath, kept.reason()));
                ++result_.failedCopies;
            }
        }
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
        const CopyResult result = copy(fullPath, name, sourceFolder, targetFolder);
        if (result.outcome == CopyOutcome::Stopped || result.outcome == CopyOutcome::NotAFile) {
            return;
        }
        if (result.outcome == CopyOutcome::Failed) {
            host_.logTop(texts::CopyFailureText(fullPath, result.reason));
            ++result_.failedCopies;
            return;
        }
    }
    ++result_.updatedCount;
    result_.updatedBytes += static_cast<std::int64_t>(source.size);
}

}  // namespace tarnwick
