#include "support/injected_faults.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace tarnwick::test {
namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// The path a descriptor was opened with, from /proc/self/fd.
std::string PathOfDescriptor(int fd) {
    std::error_code closed;  // answers an empty path
    return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), closed);
}

// The path of `name` in an open folder, or in the current one.
std::string PathAt(int folder, const char* name) {
    return folder == AT_FDCWD ? std::string(name) : PathOfDescriptor(folder) + "/" + name;
}

std::uint64_t OffsetOf(int fd) {
    const off_t offset = ::lseek(fd, 0, SEEK_CUR);
    return offset < 0 ? 0 : static_cast<std::uint64_t>(offset);
}

// Caps `count` at the bytes that may move from `fd`'s offset before a limit `limit` bytes into
// the file, if there is one. At the limit it records the strike, sets `error` and answers false.
bool Allowed(std::optional<std::uint64_t> limit, int fd, std::size_t& count, int error,
             InjectedFaults& faults) {
    const std::uint64_t offset = OffsetOf(fd);
    if (!limit || offset < *limit) {
        count = limit ? static_cast<std::size_t>(std::min<std::uint64_t>(count, *limit - offset))
                      : count;
        return true;
    }
    ++faults.struck;
    errno = error;
    return false;
}

}  // namespace

PosixCalls CallsWithFaults(std::shared_ptr<InjectedFaults> faults) {
    PosixCalls real;
    PosixCalls calls;

    // The limits the read and the disk-full faults put on bytes moved from `in` or to `out`.
    auto readLimit = [faults](int in) -> std::optional<std::uint64_t> {
        return !faults->readFailsIn.empty() && PathOfDescriptor(in) == faults->readFailsIn
                   ? std::optional(faults->readFailsAfter)
                   : std::nullopt;
    };
    auto writeLimit = [faults](int out) -> std::optional<std::uint64_t> {
        const std::string path = PathOfDescriptor(out);
        return !faults->diskFullIn.empty() && path.substr(0, path.find_last_of('/')) ==
                                                  WithoutTrailingSlash(faults->diskFullIn)
                   ? std::optional(faults->spaceLeft)
                   : std::nullopt;
    };

    // A writer touches the source as a copy starts reading it: same second, other nanoseconds.
    auto changeSource = [faults](int in) {
        if (faults->changes > 0 && OffsetOf(in) == 0 &&
            PathOfDescriptor(in) == faults->changesWhileRead) {
            struct stat st;
            ::fstat(in, &st);
            const struct timespec times[2] = {{0, UTIME_OMIT},
                                              {st.st_mtim.tv_sec, ++faults->struck}};
            ::utimensat(AT_FDCWD, faults->changesWhileRead.c_str(), times, 0);
            --faults->changes;
        }
    };

    calls.read = [faults, readLimit, changeSource, real](int fd, void* buffer,
                                                         size_t count) -> ssize_t {
        changeSource(fd);
        count = std::min(count, faults->maxTransfer);
        return Allowed(readLimit(fd), fd, count, EIO, *faults) ? real.read(fd, buffer, count) : -1;
    };
    calls.write = [faults, writeLimit, real](int fd, const void* buffer, size_t count) -> ssize_t {
        count = std::min(count, faults->maxTransfer);
        return Allowed(writeLimit(fd), fd, count, ENOSPC, *faults) ? real.write(fd, buffer, count)
                                                                   : -1;
    };
    calls.copyFileRange = [faults, readLimit, writeLimit, changeSource, real](
                              int in, int out, size_t count) -> ssize_t {
        if (!faults->kernelCopy) {
            errno = ENOSYS;
            return -1;
        }
        changeSource(in);
        count = std::min(count, faults->maxTransfer);
        return Allowed(readLimit(in), in, count, EIO, *faults) &&
                       Allowed(writeLimit(out), out, count, ENOSPC, *faults)
                   ? real.copyFileRange(in, out, count)
                   : -1;
    };
    calls.openFile = [faults, real](int folder, const char* name, int flags) -> int {
        if (faults->beforeOpen) {
            faults->beforeOpen(PathAt(folder, name));
        }
        return real.openFile(folder, name, flags);
    };
    calls.rename = [faults, real](int fromFolder, const char* from, int toFolder,
                                  const char* to) -> int {
        if (!faults->renameFailsTo.empty() && faults->renameFailsTo == PathAt(toFolder, to)) {
            ++faults->struck;
            errno = faults->renameError;
            return -1;
        }
        return real.rename(fromFolder, from, toFolder, to);
    };
    calls.mkdir = [faults, real](int folder, const char* name, mode_t mode) -> int {
        if (!faults->mkdirFails.empty() && WithoutTrailingSlash(faults->mkdirFails) ==
                                               WithoutTrailingSlash(PathAt(folder, name))) {
            ++faults->struck;
            if (faults->mkdirMadeAnyway) {
                real.mkdir(folder, name, mode);
            }
            errno = faults->mkdirError;
            return -1;
        }
        return real.mkdir(folder, name, mode);
    };
    calls.statfs = [faults, real](const char* path, struct statfs* info) -> int {
        const int result = real.statfs(path, info);
        if (faults->fileSystemType != 0) {
            info->f_type = faults->fileSystemType;
        }
        return result;
    };
    return calls;
}

}  // namespace tarnwick::test
