#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// A modification time: seconds and nanoseconds since 1970-01-01 UTC.
struct FileTime {
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;
};

enum class EntryKind {
    File,    // a regular file (or a link to one)
    Folder,  // a folder (or a link to one)
    Other,   // a device, pipe or socket: never copied, a pipe would block the pass for ever
};

struct EntryInfo {
    EntryKind kind = EntryKind::File;
    FileTime modified;
    std::uint64_t size = 0;
    // Identifies a folder on its file system, so the walk can tell a link that leads back
    // into a folder it is already inside.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    // Windows' hidden or system attribute; never set on POSIX, where no such attribute exists.
    bool hiddenOrSystem = false;
};

struct ListedEntry {
    std::string name;
    // Empty when the entry's attributes could not be read: it vanished since it was listed,
    // or `failure` says why.
    std::optional<EntryInfo> info;
    std::string failure;
};

// One open listing of a folder. "." and ".." are not delivered.
class FolderListing {
  public:
    virtual ~FolderListing() = default;
    virtual bool next(ListedEntry& entry) = 0;
};

// The outcome of an operation that can fail with the system's reason.
class Status {
  public:
    static Status Ok() { return Status(); }
    static Status Failed(std::string reason) { return Status(std::move(reason), false); }
    // The path does not exist (or no longer does).
    static Status Gone(std::string reason) { return Status(std::move(reason), true); }
    bool ok() const { return !reason_.has_value(); }
    bool gone() const { return gone_; }
    const std::string& reason() const { return *reason_; }

  private:
    Status() = default;
    Status(std::string reason, bool gone) : reason_(std::move(reason)), gone_(gone) {}
    std::optional<std::string> reason_;
    bool gone_ = false;
};

// Changed: the source's size or times moved while its bytes were read; the copy was discarded.
enum class CopyOutcome { Copied, Stopped, Failed, Changed };

struct CopyResult {
    CopyOutcome outcome = CopyOutcome::Copied;
    std::string reason;  // the system's text when the copy failed
};

// Called between the chunks of a long copy; answering false abandons the copy.
using CopyProgress = std::function<bool()>;

// Every file-system call the rules make goes through here, so tests can inject faults and each
// system brings its own implementation.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Null when the folder cannot be listed, with the reason in `why`.
    virtual std::unique_ptr<FolderListing> openListing(const std::string& folder, Status& why) = 0;
    std::unique_ptr<FolderListing> list(const std::string& folder) {
        Status ignored = Status::Ok();
        return openListing(folder, ignored);
    }

    // Empty when the path's attributes cannot be read, with the reason in `why`. A trailing
    // separator is accepted.
    virtual std::optional<EntryInfo> readAttributes(const std::string& path, Status& why) = 0;
    std::optional<EntryInfo> attributes(const std::string& path) {
        Status ignored = Status::Ok();
        return readAttributes(path, ignored);
    }

    // True where the file system holding the path keeps modification times to 2 seconds (FAT).
    virtual bool hasTwoSecondTimes(const std::string& path) = 0;

    // Creates one folder whose parent exists.
    virtual Status createFolder(const std::string& path) = 0;

    // Copies a file so that no partial file is ever seen at the target: the bytes go to a
    // temporary file beside the target, which is stamped with the source's modification time
    // and only then renamed over the target. A failed or abandoned copy removes the temporary
    // file and leaves the target as it was; so does a copy whose source changed meanwhile.
    virtual CopyResult copyFile(const std::string& source, const std::string& target,
                                const CopyProgress& keepGoing) = 0;

    // A whole small file (the task file). Empty, with the reason, when it cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path, std::string& reason) = 0;

    // Writes a whole small file so that it is either all old or all new: the bytes go to a
    // temporary file beside it, which then replaces it.
    virtual Status replaceFile(const std::string& path, const std::string& bytes) = 0;

    // The process's current folder (with a trailing separator only at a root), and changing it.
    virtual std::string currentFolder() = 0;
    virtual Status setCurrentFolder(const std::string& path) = 0;

    // The roots a folder chooser offers: drive roots on Windows; "/" and the mounted file
    // systems on POSIX.
    virtual std::vector<std::string> roots() = 0;
};

// The file system of the machine the program runs on.
std::unique_ptr<FileSystem> MakeHostFileSystem();

}  // namespace tarnwick
