// The file system seam on Linux and other POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "backup/path_helpers.h"
#include "backup/posix_file_system.h"

namespace tarnwick {
namespace {

// The permission bits a copy keeps: never setuid or setgid.
constexpr mode_t kKeptBits = S_ISVTX | S_IRWXU | S_IRWXG | S_IRWXO;

// The system's text, in the language of the program's locale.
std::string SystemReason(int error) {
    return std::system_category().message(error);
}

// A path that does not exist reads as gone rather than failed.
Status FailureOf(int error) {
    return error == ENOENT || error == ENOTDIR ? Status::Gone(SystemReason(error))
                                               : Status::Failed(SystemReason(error));
}

bool SameTimespec(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

EntryInfo InfoFromStat(const struct stat& st) {
    EntryInfo info;
    if (S_ISDIR(st.st_mode)) {
        info.kind = EntryKind::Folder;
    } else if (S_ISREG(st.st_mode)) {
        info.kind = EntryKind::File;
    } else if (S_ISLNK(st.st_mode)) {
        info.kind = EntryKind::Link;
    } else {
        info.kind = EntryKind::Other;
    }
    info.modified = {static_cast<std::int64_t>(st.st_mtim.tv_sec),
                     static_cast<std::int32_t>(st.st_mtim.tv_nsec)};
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.device = static_cast<std::uint64_t>(st.st_dev);
    info.inode = static_cast<std::uint64_t>(st.st_ino);
    info.permissions = static_cast<std::uint32_t>(st.st_mode & kKeptBits);
    info.owner = static_cast<std::uint32_t>(st.st_uid);
    info.group = static_cast<std::uint32_t>(st.st_gid);
    return info;
}

// Gives an entry its source's access; `chown` and `chmod` act on it (by handle or by name).
// Only root may give a copy another owner; a group that cannot be kept is dropped together with
// the group's permission bits, so the copy never grants more than its source.
template <typename Chown, typename Chmod>
int KeepAccess(const EntryInfo& like, Chown chown, Chmod chmod) {
    static const bool asRoot = ::geteuid() == 0;  // asked once: a pass makes thousands of copies
    mode_t bits = like.permissions;
    if (asRoot && chown(like.owner, like.group) != 0) {
        if (chown(like.owner, static_cast<gid_t>(-1)) != 0) {
            return -1;
        }
        bits &= ~static_cast<mode_t>(S_IRWXG);
    }
    return chmod(bits);
}

// Lists a folder; `follow` reads the attributes of what a link points to rather than the link's.
class PosixFolderListing final : public FolderListing {
  public:
    PosixFolderListing(DIR* dir, bool follow)
        : dir_(dir), flags_(follow ? 0 : AT_SYMLINK_NOFOLLOW) {}
    ~PosixFolderListing() override { closedir(dir_); }

    bool next(ListedEntry& entry) override {
        while (const dirent* found = readdir(dir_)) {
            const char* name = found->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
                continue;
            }
            entry.name.assign(name);
            entry.failure.clear();
            struct stat st;
            if (fstatat(dirfd(dir_), name, &st, flags_) == 0) {
                entry.info = InfoFromStat(st);
            } else {
                entry.info.reset();
                if (errno != ENOENT) {
                    entry.failure = SystemReason(errno);
                }
            }
            return true;
        }
        return false;
    }

  private:
    DIR* dir_;
    int flags_;
};

// A listing of an open folder through a descriptor of its own, so that the folder's stays as it
// is; null with errno set when the folder cannot be listed.
DIR* OpenStream(int folder) {
    const int own = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = own < 0 ? nullptr : ::fdopendir(own);
    if (dir == nullptr && own >= 0) {
        const int error = errno;
        ::close(own);
        errno = error;
    }
    return dir;
}

// Closes a descriptor on every way out of the copy.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }
    // Closes now and reports the error a close can still bring (a full disk on some systems).
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// The file a path leads to through a chain of symbolic links; the path itself when it is no link.
std::string FinalTarget(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        char link[4096];
        const ssize_t length = ::readlink(path.c_str(), link, sizeof link);
        if (length < 0 || static_cast<std::size_t>(length) == sizeof link) {
            return path;
        }
        const std::string target(link, static_cast<std::size_t>(length));
        const bool relative = !target.starts_with('/') && path.find('/') != std::string::npos;
        path = relative ? FolderOf(path) + target : target;
    }
    return path;
}

// Gives a new file the owner, group and permission bits of the one it replaces. An owner the
// process may not give stays its own; a group it may not give is dropped with the group's bits,
// so the new file never grants more than the old one did. Answers fchmod's result.
int TakeOwnerAndMode(int fd, const struct stat& old) {
    mode_t mode = old.st_mode & 07777;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, -1, old.st_gid) != 0) {
        mode &= ~static_cast<mode_t>(S_IRWXG);
    }
    return ::fchmod(fd, mode);
}

class PosixFileLock final : public FileLock {
  public:
    explicit PosixFileLock(int fd) : fd_(fd) {}
    ~PosixFileLock() override { ::close(fd_); }  // closing releases the lock

  private:
    int fd_;
};

// A fresh name for a temporary file. It is short and never derived from the file's own name, so
// a long name cannot make it too long; it carries the process number of the pass that owns it.
std::string TemporaryName() {
    static std::atomic<unsigned> counter{0};
    static const std::string owner = ".tarnwick-" + std::to_string(::getpid()) + "-";
    return owner + std::to_string(counter++) + ".tmp";
}

// Makes a fresh entry under a temporary name (after `prefix`) with `make`, which answers like
// open or symlinkat; a link planted under that name is never followed.
template <typename Make>
int CreateTemporary(const std::string& prefix, std::string& name, Make make) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix + TemporaryName();
        const int result = make(name.c_str());
        if (result >= 0 || errno != EEXIST) {
            return result;
        }
    }
    errno = EEXIST;
    return -1;
}

// A temporary file in an open folder, or with a path prefix in the current one (AT_FDCWD).
int CreateTemporaryFile(int folder, std::string& name, const std::string& prefix = {}) {
    return CreateTemporary(prefix, name, [folder](const char* temporary) {
        return ::openat(folder, temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        0600);
    });
}

// The kernel writes blanks and other special characters of a mount point as octal escapes.
std::string DecodeMountField(const std::string& field) {
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            decoded.push_back(static_cast<char>((field[i + 1] - '0') * 64 +
                                                (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            decoded.push_back(field[i]);
        }
    }
    return decoded;
}

constexpr std::size_t kChunkBytes = 8 * 1024 * 1024;

// Moves bytes from the current offset of one descriptor to that of the other: through the kernel
// where it can, else through a buffer.
class ByteMover {
  public:
    explicit ByteMover(const PosixCalls& calls) : calls_(calls) {}

    // Moves `length` bytes (fewer when the source ends first), asking between chunks whether to
    // go on. Answers 0 or an errno value, or -1 when the copy was abandoned.
    int move(int in, int out, std::uint64_t length, const CopyProgress& keepGoing) {
        for (std::uint64_t moved = 0; moved < length;) {
            const auto want =
                static_cast<std::size_t>(std::min<std::uint64_t>(length - moved, kChunkBytes));
            ssize_t n = 0;
            if (kernelCopy_) {
                n = calls_.copyFileRange(in, out, want);
                if (n < 0 && !kernelWorked_ &&
                    (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
                     errno == EPERM)) {
                    kernelCopy_ = false;
                    continue;
                }
                kernelWorked_ = true;
            } else {
                buffer_.resize(1024 * 1024);
                n = calls_.read(in, buffer_.data(), std::min(want, buffer_.size()));
                if (n < 0 && errno == EINTR) {
                    continue;
                }
                for (ssize_t written = 0; n > 0 && written < n;) {
                    const ssize_t w = calls_.write(out, buffer_.data() + written, n - written);
                    if (w < 0 && errno != EINTR) {
                        return errno;
                    }
                    written += std::max<ssize_t>(w, 0);
                }
            }
            if (n < 0) {
                return errno;
            }
            if (n == 0) {
                return 0;  // the source shrank: the check after the copy sees it
            }
            moved += static_cast<std::uint64_t>(n);
            if (!keepGoing()) {
                return -1;
            }
        }
        return 0;
    }

  private:
    const PosixCalls& calls_;
    bool kernelCopy_ = true;
    bool kernelWorked_ = false;
    std::vector<char> buffer_;
};

// Copies the bytes read when the copy began (a file that grows meanwhile has a new time, which
// the check after the copy sees). Only the source's data is copied and its holes are skipped, so
// a sparse file stays sparse; a file with as many blocks as bytes has no holes to look for.
// Answers 0 or an errno value, or -1 when the copy was abandoned.
int CopyBytes(const PosixCalls& calls, int in, int out, const struct stat& st,
              const CopyProgress& keepGoing) {
    ByteMover mover(calls);
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (static_cast<std::uint64_t>(st.st_blocks) * 512 >= size) {
        return mover.move(in, out, size, keepGoing);
    }
    for (std::uint64_t offset = 0; offset < size;) {
        const off_t data = ::lseek(in, static_cast<off_t>(offset), SEEK_DATA);
        if (data < 0 && errno == ENXIO) {
            break;  // nothing but a hole up to the end
        }
        const off_t hole = data < 0 ? -1 : ::lseek(in, data, SEEK_HOLE);
        if (hole < 0 || ::lseek(in, data, SEEK_SET) < 0 || ::lseek(out, data, SEEK_SET) < 0) {
            return errno;
        }
        const std::uint64_t end = std::min<std::uint64_t>(static_cast<std::uint64_t>(hole), size);
        if (const int error =
                mover.move(in, out, end - static_cast<std::uint64_t>(data), keepGoing);
            error != 0) {
            return error;
        }
        offset = end;
    }
    return ::ftruncate(out, static_cast<off_t>(size)) == 0 ? 0 : errno;
}

CopyResult Failed(int error) {
    return {CopyOutcome::Failed, SystemReason(error)};
}

class PosixOpenFolder final : public OpenFolder {
  public:
    PosixOpenFolder(const PosixCalls& calls, int fd) : calls_(calls), fd_(fd) {}

    std::optional<EntryInfo> info() override {
        struct stat st;
        if (::fstat(fd_.get(), &st) != 0) {
            return std::nullopt;
        }
        return InfoFromStat(st);
    }

    std::unique_ptr<FolderListing> list(Status& why) override {
        DIR* dir = OpenStream(fd_.get());
        if (dir == nullptr) {
            why = FailureOf(errno);
            return nullptr;
        }
        return std::make_unique<PosixFolderListing>(dir, false);
    }

    std::vector<std::optional<EntryInfo>> entries(const std::vector<std::string>& names) override {
        std::vector<std::optional<EntryInfo>> found(names.size());
        auto read = [&](std::size_t index) {
            struct stat st;
            if (::fstatat(fd_.get(), names[index].c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
                found[index] = InfoFromStat(st);
            }
        };
        DIR* dir = OpenStream(fd_.get());
        if (dir == nullptr) {  // a folder that may be entered but not listed still answers by name
            for (std::size_t index = 0; index < names.size(); ++index) {
                read(index);
            }
            return found;
        }
        std::unordered_map<std::string_view, std::size_t> wanted;
        for (std::size_t index = 0; index < names.size(); ++index) {
            wanted.emplace(names[index], index);
        }
        while (const dirent* listed = ::readdir(dir)) {
            if (const auto it = wanted.find(listed->d_name); it != wanted.end()) {
                read(it->second);
            }
        }
        ::closedir(dir);
        return found;
    }

    std::optional<EntryInfo> entry(const std::string& name, Status& why) override {
        struct stat st;
        if (::fstatat(fd_.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            why = FailureOf(errno);
            return std::nullopt;
        }
        return InfoFromStat(st);
    }

    std::unique_ptr<OpenFolder> open(const std::string& name, Status& why) override {
        const int fd =
            ::openat(fd_.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            why = FailureOf(errno);
            return nullptr;
        }
        return std::make_unique<PosixOpenFolder>(calls_, fd);
    }

    void removeLeftovers() override {
        DIR* dir = OpenStream(fd_.get());
        if (dir == nullptr) {
            return;
        }
        const auto self = static_cast<unsigned long>(::getpid());
        while (const dirent* found = ::readdir(dir)) {
            const auto owner = TemporaryFileOwner(found->d_name);
            if (owner && *owner != self && ::kill(static_cast<pid_t>(*owner), 0) != 0 &&
                errno == ESRCH) {
                ::unlinkat(fd_.get(), found->d_name, 0);
            }
        }
        ::closedir(dir);
    }

    Status makeFolder(const std::string& name) override {
        if (calls_.mkdir(fd_.get(), name.c_str(), 0700) == 0) {
            return Status::Ok();
        }
        const int error = errno;
        struct stat st;
        if (error == EEXIST && ::fstatat(fd_.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(st.st_mode)) {
            return Status::Ok();
        }
        return Status::Failed(SystemReason(error));
    }

    Status setAccess(const std::string& name, const EntryInfo& like) override {
        const int folder = fd_.get();
        const char* entry = name.c_str();
        if (KeepAccess(
                like,
                [&](uid_t owner, gid_t group) {
                    return ::fchownat(folder, entry, owner, group, AT_SYMLINK_NOFOLLOW);
                },
                [&](mode_t bits) {
                    return ::fchmodat(folder, entry, bits, AT_SYMLINK_NOFOLLOW);
                }) != 0) {
            return Status::Failed(SystemReason(errno));
        }
        return Status::Ok();
    }

    CopyResult copyIn(OpenFolder& source, const std::string& name,
                      const CopyProgress& keepGoing) override {
        const int from = static_cast<PosixOpenFolder&>(source).fd_.get();
        struct stat st;
        // A pipe swapped in since the listing must not block the pass: open without waiting,
        // then make sure it is a file. A link refuses to open and is copied as a link.
        FileDescriptor in(
            calls_.openFile(from, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        if (!in.valid()) {
            const int error = errno;
            if (error == ELOOP && ::fstatat(from, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(st.st_mode)) {
                return copyLink(from, name, st);
            }
            return Failed(error);
        }
        if (::fstat(in.get(), &st) != 0) {
            return Failed(errno);
        }
        if (!S_ISREG(st.st_mode)) {
            return {CopyOutcome::NotAFile, {}};
        }
        std::string temporary;
        FileDescriptor out(CreateTemporaryFile(fd_.get(), temporary));
        if (!out.valid()) {
            return Failed(errno);
        }
        auto abandon = [&](CopyResult result) {
            out.close();
            ::unlinkat(fd_.get(), temporary.c_str(), 0);
            return result;
        };
        const int copyError = CopyBytes(calls_, in.get(), out.get(), st, keepGoing);
        if (copyError != 0) {
            return abandon(copyError < 0 ? CopyResult{CopyOutcome::Stopped, {}}
                                         : Failed(copyError));
        }
        // A source written to while it was read would leave a copy of mixed bytes stamped as
        // current; it is discarded, and the caller may try again.
        struct stat after;
        if (::fstat(in.get(), &after) != 0 || after.st_size != st.st_size ||
            !SameTimespec(after.st_mtim, st.st_mtim) || !SameTimespec(after.st_ctim, st.st_ctim)) {
            return abandon({CopyOutcome::Changed, {}});
        }
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        const int file = out.get();
        if (KeepAccess(
                InfoFromStat(st),
                [file](uid_t owner, gid_t group) { return ::fchown(file, owner, group); },
                [file](mode_t bits) { return ::fchmod(file, bits); }) != 0 ||
            ::futimens(out.get(), times) != 0 || out.close() != 0 ||
            calls_.rename(fd_.get(), temporary.c_str(), fd_.get(), name.c_str()) != 0) {
            return abandon(Failed(errno));
        }
        return {CopyOutcome::Copied, {}};
    }

  private:
    // A link is copied as a link with the same text and time; what it points to is never read.
    CopyResult copyLink(int from, const std::string& name, const struct stat& st) {
        std::string text(static_cast<std::size_t>(st.st_size) + 1, '\0');
        const ssize_t length = ::readlinkat(from, name.c_str(), text.data(), text.size());
        if (length < 0) {
            return Failed(errno);
        }
        if (static_cast<std::size_t>(length) == text.size()) {
            return {CopyOutcome::Changed, {}};  // the link grew since its attributes were read
        }
        text.resize(static_cast<std::size_t>(length));
        std::string temporary;
        const int folder = fd_.get();
        if (CreateTemporary({}, temporary, [&](const char* temporaryName) {
                return ::symlinkat(text.c_str(), folder, temporaryName);
            }) != 0) {
            return Failed(errno);
        }
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::utimensat(folder, temporary.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0 ||
            calls_.rename(folder, temporary.c_str(), folder, name.c_str()) != 0) {
            const int error = errno;
            ::unlinkat(folder, temporary.c_str(), 0);
            return Failed(error);
        }
        return {CopyOutcome::Copied, {}};
    }

    const PosixCalls& calls_;
    FileDescriptor fd_;
};

class PosixFileSystem final : public FileSystem {
  public:
    explicit PosixFileSystem(PosixCalls calls) : calls_(std::move(calls)) {}

    std::unique_ptr<FolderListing> openListing(const std::string& folder, Status& why) override {
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr) {
            why = FailureOf(errno);
            return nullptr;
        }
        return std::make_unique<PosixFolderListing>(dir, true);
    }

    std::optional<EntryInfo> readAttributes(const std::string& path, Status& why) override {
        struct stat st;
        if (path.empty() || ::stat(path.c_str(), &st) != 0) {
            why = FailureOf(path.empty() ? ENOENT : errno);
            return std::nullopt;
        }
        return InfoFromStat(st);
    }

    std::unique_ptr<OpenFolder> openFolder(const std::string& path, Status& why) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            why = FailureOf(errno);
            return nullptr;
        }
        return std::make_unique<PosixOpenFolder>(calls_, fd);
    }

    bool hasTwoSecondTimes(const std::string& path) override {
        constexpr long kFatMagic = 0x4d44;  // MSDOS_SUPER_MAGIC: vfat and msdos
        struct statfs info;
        return calls_.statfs(path.c_str(), &info) == 0 && info.f_type == kFatMagic;
    }

    Status createFolder(const std::string& path) override {
        if (calls_.mkdir(AT_FDCWD, path.c_str(), 0777) != 0) {
            return Status::Failed(SystemReason(errno));
        }
        return Status::Ok();
    }

    std::optional<std::string> readFile(const std::string& path, std::string& reason) override {
        FileDescriptor in(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (!in.valid()) {
            reason = SystemReason(errno);
            return std::nullopt;
        }
        std::string bytes;
        char buffer[65536];
        while (true) {
            const ssize_t n = calls_.read(in.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                reason = SystemReason(errno);
                return std::nullopt;
            }
            if (n == 0) {
                return bytes;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }

    Status replaceFile(const std::string& path, const std::string& bytes) override {
        const std::string target = FinalTarget(path);
        struct stat old;
        const bool replacing = ::stat(target.c_str(), &old) == 0;
        std::string temporary;
        FileDescriptor out(CreateTemporaryFile(AT_FDCWD, temporary, FolderOf(target)));
        if (!out.valid()) {
            return Status::Failed(SystemReason(errno));
        }
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t n =
                calls_.write(out.get(), bytes.data() + written, bytes.size() - written);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                break;
            }
            written += static_cast<std::size_t>(n);
        }
        // A task file is small and precious: make it durable before it replaces the old one.
        if (written < bytes.size() ||
            (replacing ? TakeOwnerAndMode(out.get(), old) : ::fchmod(out.get(), 0644)) != 0 ||
            ::fsync(out.get()) != 0 || out.close() != 0 ||
            calls_.rename(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            return Status::Failed(SystemReason(error));
        }
        return Status::Ok();
    }

    std::unique_ptr<FileLock> lockFile(const std::string& path, std::string& reason) override {
        // Every save replaces the file, so the file locked may have been replaced while this
        // waited: lock again until the path still leads to the file locked.
        while (true) {
            FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
            if (!file.valid()) {
                reason = errno == ENOENT ? std::string() : SystemReason(errno);
                return nullptr;
            }
            int locked;
            while ((locked = ::flock(file.get(), LOCK_EX)) != 0 && errno == EINTR) {
            }
            struct stat held;
            struct stat now;
            if (locked != 0 || ::fstat(file.get(), &held) != 0) {
                reason = SystemReason(errno);
                return nullptr;
            }
            if (::stat(path.c_str(), &now) == 0 && now.st_dev == held.st_dev &&
                now.st_ino == held.st_ino) {
                return std::make_unique<PosixFileLock>(file.release());
            }
        }
    }

    std::string currentFolder() override {
        std::vector<char> buffer(4096);
        while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
            if (errno != ERANGE) {
                return "/";
            }
            buffer.resize(buffer.size() * 2);
        }
        return buffer.data();
    }

    Status setCurrentFolder(const std::string& path) override {
        if (::chdir(path.c_str()) != 0) {
            return Status::Failed(SystemReason(errno));
        }
        return Status::Ok();
    }

    std::vector<std::string> roots() override {
        std::vector<std::string> found{"/"};
        std::string mounts;
        std::string ignored;
        if (auto text = readFile("/proc/self/mounts", ignored)) {
            mounts = std::move(*text);
        }
        std::size_t lineStart = 0;
        while (lineStart < mounts.size()) {
            std::size_t lineEnd = mounts.find('\n', lineStart);
            if (lineEnd == std::string::npos) {
                lineEnd = mounts.size();
            }
            const std::string line = mounts.substr(lineStart, lineEnd - lineStart);
            lineStart = lineEnd + 1;
            // Device, mount point, ...: only file systems on a real device count as drives.
            const auto firstSpace = line.find(' ');
            const auto secondSpace = line.find(' ', firstSpace + 1);
            if (!line.starts_with('/') || secondSpace == std::string::npos) {
                continue;
            }
            const std::string point =
                DecodeMountField(line.substr(firstSpace + 1, secondSpace - firstSpace - 1));
            if (std::find(found.begin(), found.end(), point) == found.end()) {
                found.push_back(point);
            }
        }
        std::sort(found.begin() + 1, found.end());
        return found;
    }

  private:
    PosixCalls calls_;
};

}  // namespace

PosixCalls::PosixCalls()
    : read(::read),
      write(::write),
      copyFileRange([](int in, int out, size_t count) {
          return ::copy_file_range(in, nullptr, out, nullptr, count, 0);
      }),
      openFile(
          [](int folder, const char* name, int flags) { return ::openat(folder, name, flags); }),
      rename(::renameat),
      mkdir(::mkdirat),
      statfs(::statfs) {}

std::unique_ptr<FileSystem> MakePosixFileSystem(PosixCalls calls) {
    return std::make_unique<PosixFileSystem>(std::move(calls));
}

std::unique_ptr<FileSystem> MakeHostFileSystem() {
    return MakePosixFileSystem();
}

}  // namespace tarnwick
