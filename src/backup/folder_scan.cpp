#include "backup/folder_scan.h"

#include <algorithm>
#include <string>

namespace tarnwick {
namespace {

bool IsSubfolder(const ListedEntry& entry) {
    return entry.info && entry.info->kind == EntryKind::Folder;
}

}  // namespace

std::optional<FolderId> IdOf(const std::optional<EntryInfo>& info) {
    return info ? std::optional<FolderId>({info->device, info->inode}) : std::nullopt;
}

FolderScan ScanFolder(OpenFolder& source, OpenFolder* target, std::size_t maxEntries) {
    FolderScan scan;
    scan.source = IdOf(source.info());
    const auto listing = source.list(scan.status);
    if (!listing) {
        return scan;
    }
    ListedEntry entry;
    while (listing->next(entry)) {
        if (scan.complete && scan.entries.size() == maxEntries) {
            scan.complete = false;
            std::erase_if(scan.entries,
                          [](const ScannedEntry& held) { return !IsSubfolder(held.source); });
        }
        if (scan.complete || IsSubfolder(entry)) {
            scan.entries.push_back({entry, std::nullopt});
        }
    }
    if (scan.complete && target != nullptr) {
        ReadCopies(scan, *target);
    }
    return scan;
}

void ReadCopies(FolderScan& scan, OpenFolder& target) {
    std::vector<std::string> names;
    for (const auto& entry : scan.entries) {
        if (entry.source.info) {
            names.push_back(entry.source.name);
        }
    }
    auto copies = target.entries(names);
    auto copy = copies.begin();
    for (auto& entry : scan.entries) {
        entry.copy = entry.source.info ? std::move(*copy++) : std::nullopt;
    }
    scan.target = IdOf(target.info());
}

ScannedEntries::ScannedEntries(FolderScan& scan, OpenFolder& source, OpenFolder& target)
    : scan_(scan), target_(target), status_(scan.status) {
    if (status_.ok() && !scan.complete) {
        listing_ = source.list(status_);
    }
}

bool ScannedEntries::next(ScannedEntry& entry) {
    if (!status_.ok()) {
        return false;
    }
    if (scan_.complete) {
        if (position_ == scan_.entries.size()) {
            return false;
        }
        entry = std::move(scan_.entries[position_++]);
        return true;
    }
    if (!listing_->next(entry.source)) {
        return false;
    }
    Status ignored = Status::Ok();
    entry.copy = entry.source.info ? target_.entry(entry.source.name, ignored) : std::nullopt;
    return true;
}

}  // namespace tarnwick
