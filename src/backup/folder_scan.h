#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "backup/file_system.h"

namespace tarnwick {

// A folder's identity on its file system: device and inode (volume and file index on Windows).
using FolderId = std::pair<std::uint64_t, std::uint64_t>;

std::optional<FolderId> IdOf(const std::optional<EntryInfo>& info);

struct ScannedEntry {
    ListedEntry source;
    std::optional<EntryInfo> copy;  // the entry of the same name in the target folder, if any
};

// What the walk needs of one folder before it handles its entries: the entries with their
// attributes, in listing order, and the attributes of their copies.
struct FolderScan {
    Status status = Status::Ok();    // the listing's; reported when the walk comes to the folder
    std::optional<FolderId> source;  // the folder that was listed
    std::optional<FolderId> target;  // the folder the copies were read from; empty: not read
    std::vector<ScannedEntry> entries;
    // False for a folder with more entries than a scan holds: `entries` then holds only its
    // subfolders, and the walk lists the folder again as it goes.
    bool complete = true;
};

// The most entries a scan holds: a bound on the memory of a folder read ahead.
constexpr std::size_t kScanEntries = 4096;

// Lists `source`, keeping at most `maxEntries` entries, and reads the copies from `target`.
FolderScan ScanFolder(OpenFolder& source, OpenFolder* target,
                      std::size_t maxEntries = kScanEntries);

// Reads the copies of a complete scan's entries from one listing of `target`.
void ReadCopies(FolderScan& scan, OpenFolder& target);

// The entries of a scanned folder with their copies, in listing order: those the scan holds, or
// for a folder too large to hold, a listing of its own with one lookup per entry.
class ScannedEntries {
  public:
    ScannedEntries(FolderScan& scan, OpenFolder& source, OpenFolder& target);
    bool next(ScannedEntry& entry);
    // Why the folder cannot be listed, where it cannot.
    const Status& status() const { return status_; }

  private:
    FolderScan& scan_;
    OpenFolder& target_;
    Status status_;
    std::unique_ptr<FolderListing> listing_;
    std::size_t position_ = 0;
};

}  // namespace tarnwick
