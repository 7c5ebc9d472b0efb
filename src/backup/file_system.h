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
    // Empty when the entry's attributes could not be read (it vanished since it was listed,
    // or it is a link to nowhere).
    std::optional<EntryInfo> info;
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
    static Status Failed(std::string reason) { return Status(std::move(reason)); }
    bool ok() const { return !reason_.has_value(); }
    const std::string& reason() const { return *reason_; }

  private:
    Status() = default;
    explicit Status(std::string reason) : reason_(std::move(reason)) {}
    std::optional<std::string> reason_;
};

enum class CopyOutcome { Copied, Stopped, Failed };

struct CopyResult {
    CopyOutcome outcome = CopyOutcome::Copied;
    std::string reason;  // the system's text when the copy failed
};

// An advisory lock on a small file, held until it is destroyed.
class FileLock {
  public:
    virtual ~FileLock() = default;
};

// Called between the chunks of a long copy; answering false abandons the copy.
using CopyProgress = std::function<bool()>;

// Every file-system call the rules make goes through here, so tests can inject faults and each
// system brings its own implementation.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Null when the folder cannot be listed.
    virtual std::unique_ptr<FolderListing> list(const std::string& folder) = 0;

    // Empty when the path's attributes cannot be read. A trailing separator is accepted.
    virtual std::optional<EntryInfo> attributes(const std::string& path) = 0;

    // Creates one folder whose parent exists.
    virtual Status createFolder(const std::string& path) = 0;

    // Copies a file so that no partial file is ever seen at the target: the bytes go to a
    // temporary file beside the target, which is stamped with the source's modification time
    // and only then renamed over the target. A failed or abandoned copy removes the temporary
    // file and leaves the target as it was.
    virtual CopyResult copyFile(const std::string& source, const std::string& target,
                                const CopyProgress& keepGoing) = 0;

    // A whole small file (the task file). Empty, with the reason, when it cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path, std::string& reason) = 0;

    // Writes a whole small file so that it is either all old or all new: the bytes go to a
    // temporary file beside it, which then replaces it. Through a symbolic link the file it
    // leads to is replaced and the link stays; the file keeps its permission bits and, where
    // the process may change them, its owner and group.
    virtual Status replaceFile(const std::string& path, const std::string& bytes) = 0;

    // Waits for and takes the lock that serialises the read, change and replace of a small file
    // (the task file) between processes and threads. Null with an empty reason when there is no
    // file yet; null with the reason when the lock cannot be taken.
    virtual std::unique_ptr<FileLock> lockFile(const std::string& path, std::string& reason) = 0;

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
