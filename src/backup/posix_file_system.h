#pragma once

#include <sys/types.h>
#include <sys/vfs.h>

#include <functional>
#include <memory>

#include "backup/file_system.h"

namespace tarnwick {

// The system calls through which the POSIX file system moves bytes and names. Each starts as the
// system's own; a test replaces one to make a disk fill up, a read fail halfway through a file or
// a rename be refused: faults a real disk gives rarely and never on demand.
struct PosixCalls {
    PosixCalls();

    std::function<ssize_t(int fd, void* buffer, size_t count)> read;
    std::function<ssize_t(int fd, const void* buffer, size_t count)> write;
    // copy_file_range(2) from the current offset of one descriptor to that of the other.
    std::function<ssize_t(int in, int out, size_t count)> copyFileRange;
    // openat(2) of a source file.
    std::function<int(int folder, const char* name, int flags)> openFile;
    std::function<int(int fromFolder, const char* from, int toFolder, const char* to)> rename;
    std::function<int(int folder, const char* name, mode_t mode)> mkdir;
    std::function<int(const char* path, struct statfs* info)> statfs;
};

std::unique_ptr<FileSystem> MakePosixFileSystem(PosixCalls calls = {});

}  // namespace tarnwick
