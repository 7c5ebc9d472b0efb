#include "backup/backup_pass.h"

#include "backup/folder_walk.h"
#include "backup/path_helpers.h"
#include "common/ascii_text.h"
#include "common/number_text.h"
#include "common/texts.h"
#include "task/task_keys.h"

namespace tarnwick {
namespace {

constexpr std::int64_t kDefaultSizeLimitBytes =
    static_cast<std::int64_t>(task_keys::kSizeLimit.fallback) * 1024;

// Opens (and where missing, creates) the target folder of a source, one name at a time below the
// destination, so that a link planted in the destination is never followed. Null after a failure,
// which is logged and counted.
std::unique_ptr<OpenFolder> OpenTargetRoot(FileSystem& fs, OpenFolder& destinationFolder,
                                           const std::string& destination,
                                           const std::string& relative, const PassOptions& options,
                                           BackupHost& host, PassResult& result,
                                           FolderIds& targetFolders) {
    const char separator = Separator(options.style);
    std::unique_ptr<OpenFolder> folder;
    std::string path = destination;
    for (std::size_t start = 0; start < relative.size();) {
        std::size_t end = relative.find(separator, start);
        if (end == std::string::npos) {
            end = relative.size();
        }
        const std::string name = relative.substr(start, end - start);
        start = end + 1;
        if (name.empty()) {
            continue;
        }
        path += name;
        path += separator;
        OpenFolder& parent = folder ? *folder : destinationFolder;
        Status why = Status::Ok();
        auto next = parent.open(name, why);
        if (!next && why.gone()) {
            why = parent.makeFolder(name);
            if (why.ok()) {
                next = parent.open(name, why);
            }
        }
        if (!next) {
            host.logTop(texts::FolderFailureText(path, why.reason()));
            ++result.failedFolders;
            return nullptr;
        }
        folder = std::move(next);
    }
    if (!folder) {  // the target folder is the destination itself
        Status why = Status::Ok();
        folder = fs.openFolder(destination, why);
        if (!folder) {
            host.logTop(texts::FolderFailureText(destination, why.reason()));
            ++result.failedFolders;
            return nullptr;
        }
    }
    if (const auto info = folder->info()) {
        targetFolders.insert({info->device, info->inode});
    }
    return folder;
}

}  // namespace

std::int64_t SizeLimitBytes(const std::string& kilobytesText) {
    const std::int64_t bytes = RoundToInt64(ReadNumber(kilobytesText) * 1024.0);
    return bytes > 0 ? bytes : kDefaultSizeLimitBytes;
}

PassResult RunBackup(const PassOptions& options, BackupHost& host, FileSystem& fs, Clock& clock) {
    PassResult result;
    double lastRefresh = clock.monotonicSeconds();
    const PathStyle style = options.style;

    host.passStarted();
    host.logTop(texts::kScanStartText);

    // A blank box would become a lone separator: on POSIX the root of the whole machine. The box
    // keeps its text then, so that no later pass or save takes the root for the destination.
    const std::string trimmed(TrimSpaces(options.destination));
    const std::string destination = WithTrailingSeparator(trimmed, style);
    bool destinationReady = !trimmed.empty() && IsFullPath(destination, style);
    if (!trimmed.empty()) {
        host.setDestinationText(destination);
    }
    if (!destinationReady) {
        // Relative destinations would land wherever the program happens to run.
        host.logTop(texts::InvalidDestinationText(options.destination));
        ++result.failedFolders;
    } else if (auto failure = MakeFolderWithParents(fs, destination, style)) {
        host.logTop(texts::FolderFailureText(failure->path, failure->reason));
        ++result.failedFolders;
        destinationReady = false;
    }

    std::unique_ptr<OpenFolder> destinationFolder;
    if (destinationReady) {
        Status why = Status::Ok();
        destinationFolder = fs.openFolder(destination, why);
        if (!destinationFolder) {
            host.logTop(texts::FolderFailureText(destination, why.reason()));
            ++result.failedFolders;
        }
    }

    if (destinationFolder) {
        const std::int64_t sizeLimit = SizeLimitBytes(options.sizeLimitText);
        const bool twoSecondTimes = fs.hasTwoSecondTimes(destination);
        FolderIds targetFolders;
        if (const auto info = destinationFolder->info()) {
            targetFolders.insert({info->device, info->inode});
        }
        for (std::size_t index = 0; index < options.sources.size(); ++index) {
            const std::string& entry = options.sources[index];
            if (!IsFullPath(entry, style)) {
                host.logTop(texts::InvalidSourceText(entry));
                ++result.failedFolders;
                continue;
            }
            const std::string source = WithTrailingSeparator(entry, style);
            if (source != entry) {
                host.setSourceEntry(index, source);
            }
            Status why = Status::Ok();
            const auto sourceFolder = fs.openFolder(source, why);
            if (!sourceFolder) {
                host.logTop(why.gone() ? texts::MissingSourceText(source)
                                       : texts::UnreadableFolderText(source, why.reason()));
                ++result.failedFolders;
                continue;
            }
            const std::string relative = MapTargetPath(source, options.fullPath, style);
            const auto targetFolder = OpenTargetRoot(fs, *destinationFolder, destination, relative,
                                                     options, host, result, targetFolders);
            if (!targetFolder) {
                continue;
            }
            FolderWalk::Settings settings{source,
                                          WithTrailingSeparator(destination + relative, style),
                                          options.includeSubDirs,
                                          options.sizeLimitOn,
                                          sizeLimit,
                                          style,
                                          twoSecondTimes,
                                          fs.readsAhead()};
            FolderWalk(std::move(settings), host, clock, lastRefresh, result, targetFolders)
                .walk(*sourceFolder, *targetFolder);
            if (host.stopRequested()) {
                result.stopped = true;
                break;
            }
        }
    }

    if (result.failedCopies > 0) {
        host.logTop(texts::FailedCopiesText(result.failedCopies));
    }
    if (result.failedFolders > 0) {
        host.logTop(texts::FailedFoldersText(result.failedFolders));
    }
    host.logTop(result.updatedCount > 0
                    ? texts::UpdatedSummaryText(result.updatedCount, result.updatedBytes)
                    : std::string(texts::kNothingUpdatedText));
    host.passEnded();
    return result;
}

}  // namespace tarnwick
