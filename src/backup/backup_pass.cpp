#include "backup/backup_pass.h"

#include "backup/folder_walk.h"
#include "backup/pass_texts.h"
#include "backup/path_helpers.h"
#include "common/number_text.h"

namespace tarnwick {
namespace {

constexpr std::int64_t kDefaultSizeLimitBytes = 300 * 1024;

std::string TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// The target folder of a source: the destination, the mapped part and a separator, without
// doubling the separator when the mapped part is empty.
std::string TargetRootOf(const std::string& destination, const std::string& source,
                         const PassOptions& options) {
    std::string target = destination + MapTargetPath(source, options.fullPath, options.style);
    return WithTrailingSeparator(std::move(target), options.style);
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
    host.logTop(kScanStartText);

    const std::string destination = WithTrailingSeparator(TrimSpaces(options.destination), style);
    host.setDestinationText(destination);

    // Relative or blank destinations would land wherever the program happens to run.
    bool destinationReady = IsFullPath(destination, style);
    if (!destinationReady) {
        host.logTop(InvalidDestinationText(options.destination));
        ++result.failedFolders;
    } else if (auto failure = MakeFolderWithParents(fs, destination, style)) {
        host.logTop(FolderFailureText(failure->path, failure->reason));
        ++result.failedFolders;
        destinationReady = false;
    }

    if (destinationReady) {
        const std::int64_t sizeLimit = SizeLimitBytes(options.sizeLimitText);
        const auto destinationInfo = fs.attributes(destination);
        for (std::size_t index = 0; index < options.sources.size(); ++index) {
            const std::string& entry = options.sources[index];
            if (!IsFullPath(entry, style)) {
                host.logTop(InvalidSourceText(entry));
                continue;
            }
            const std::string source = WithTrailingSeparator(entry, style);
            if (source != entry) {
                host.setSourceEntry(index, source);
            }
            const std::string targetRoot = TargetRootOf(destination, source, options);
            if (auto failure = MakeFolderWithParents(fs, targetRoot, style)) {
                host.logTop(FolderFailureText(failure->path, failure->reason));
                ++result.failedFolders;
                continue;
            }
            FolderWalk::Settings settings{
                source,    targetRoot, options.includeSubDirs, options.sizeLimitOn,
                sizeLimit, style,      destinationInfo};
            FolderWalk(std::move(settings), host, fs, clock, lastRefresh, result).walk(source);
            if (host.stopRequested()) {
                result.stopped = true;
                break;
            }
        }
    }

    if (result.failedCopies > 0) {
        host.logTop(FailedCopiesText(result.failedCopies));
    }
    host.logTop(result.updatedCount > 0
                    ? UpdatedSummaryText(result.updatedCount, result.updatedBytes)
                    : std::string(kNothingUpdatedText));
    host.passEnded();
    return result;
}

}  // namespace tarnwick
