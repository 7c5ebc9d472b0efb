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
    File,    // a regular file (or, listed by path, a link to one)
    Folder,  // a folder (or, listed by path, a link to one)
    Link,    // a symbolic link inside a walked folder: backed up as a link, never followed
    Other,   // a device, pipe or socket: never copied, a pipe would block the pass for ever
};

struct EntryInfo {
    EntryKind kind = EntryKind::File;
    FileTime modified;
    std::uint64_t size = 0;  // a link's: the length of its text
    // Identifies a folder on its file system, so the walk can tell a link that leads back
    // into a folder it is already inside.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    // Windows' hidden or system attribute; never set on POSIX, where no such attribute exists.
    bool hiddenOrSystem = false;
    // POSIX permission bits, owner and group; 0 on Windows, where the attributes go with a copy.
    std::uint32_t permissions = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
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
// NotAFile: the source turned into something else (a pipe, a device) since it was listed.
enum class CopyOutcome { Copied, Stopped, Failed, Changed, NotAFile };

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

// A folder that a pass holds open while it walks or writes it. Names are entries of this folder,
// and a link among them is never followed: on POSIX the pass works on folder handles, so no write
// leaves the destination through a link planted in it, and no path length limit applies.
class OpenFolder {
  public:
    virtual ~OpenFolder() = default;

    // This folder's own attributes (its identity above all).
    virtual std::optional<EntryInfo> info() = 0;
    virtual std::unique_ptr<FolderListing> list(Status& why) = 0;
    // An entry's own attributes: a link's, not those of what it points to.
    virtual std::optional<EntryInfo> entry(const std::string& name, Status& why) = 0;
    // The attributes of the entries `names` (each named once), as `entry` reads them, a missing
    // one left empty. One listing of this folder finds them, so a name the folder does not hold
    // costs no lookup of its own, and on Windows the listing brings every attribute at once.
    virtual std::vector<std::optional<EntryInfo>> entries(
        const std::vector<std::string>& names) = 0;
    // A subfolder; a link where it should be is refused.
    virtual std::unique_ptr<OpenFolder> open(const std::string& name, Status& why) = 0;
    // Creates a subfolder that only its owner may enter, until it takes its source folder's
    // access (setAccess) once filled; one that is there by then (another pass made it) is as good
    // as made.
    virtual Status makeFolder(const std::string& name) = 0;
    // Gives an entry (or, named ".", this folder) the permission bits of `like` (never setuid or
    // setgid) and, where the process may, its owner and group; a group that cannot be kept goes
    // with the group's bits.
    virtual Status setAccess(const std::string& name, const EntryInfo& like) = 0;
    // Removes the temporary files that a pass left here when it was killed: those whose owner
    // (see TemporaryFileOwner) runs no more. One that cannot be removed waits for the next pass.
    virtual void removeLeftovers() = 0;
    // Copies the entry `name` of `source` (from the same file system) to the same name here, a
    // link as a link, so that no partial file is ever seen: the bytes go to a temporary file
    // beside the target, which is stamped with the source's modification time and only then
    // renamed over the target. A failed or abandoned copy removes the temporary file and leaves
    // the target as it was; so does a copy whose source changed meanwhile.
    virtual CopyResult copyIn(OpenFolder& source, const std::string& name,
                              const CopyProgress& keepGoing) = 0;
};

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

    // Opens a folder by its path, following links on the way: the user chose that path.
    virtual std::unique_ptr<OpenFolder> openFolder(const std::string& path, Status& why) = 0;

    // Whether a walk reads folders ahead on worker threads: on a cold disk their waits overlap.
    virtual bool readsAhead() const { return true; }

    // True where the file system holding the path keeps modification times to 2 seconds (FAT).
    virtual bool hasTwoSecondTimes(const std::string& path) = 0;

    // Creates one folder whose parent exists.
    virtual Status createFolder(const std::string& path) = 0;

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
