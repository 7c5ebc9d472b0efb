#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "backup/file_system.h"
#include "backup/posix_file_system.h"

namespace tarnwick::test {

// Faults for the POSIX file system's system calls, chosen by path. Each is off until a test names
// a file; the real call does the work everywhere else, so what fails is the real copy, write or
// rename, halfway through the real bytes. Every member has a default, so that a test names only
// the faults it injects.
struct InjectedFaults {
    // Reading this source file fails with EIO once `readFailsAfter` bytes were read.
    std::string readFailsIn{};
    std::uint64_t readFailsAfter = 0;

    // Every file written in this folder (a copy's temporary file, a saved task file) runs out of
    // space once it holds `spaceLeft` bytes. Give the folder without its trailing separator.
    std::string diskFullIn{};
    std::uint64_t spaceLeft = 0;

    // Each of the first `changes` copies of this source file sees it written to, within the same
    // second, as its bytes are read.
    std::string changesWhileRead{};
    int changes = 0;

    // Renaming a temporary file over this target fails with `renameError`.
    std::string renameFailsTo{};
    int renameError = EACCES;

    // Creating this folder (with or without its trailing separator) fails with `mkdirError`.
    std::string mkdirFails{};
    int mkdirError = EACCES;
    bool mkdirMadeAnyway = false;  // ...after another process made it first

    // What statfs answers as the file system's type, when not 0.
    long fileSystemType = 0;

    // Runs just before a source file is opened for its copy, with its path: to make it vanish,
    // or turn into a pipe.
    std::function<void(const std::string& path)> beforeOpen{};

    // False: copy_file_range answers ENOSYS, as on systems without it, and every copy goes
    // through read and write.
    bool kernelCopy = true;
    // The most bytes one read, write or copy_file_range moves: short transfers, which the system
    // may give at any time.
    std::size_t maxTransfer = std::numeric_limits<std::size_t>::max();

    // How often an injected fault struck.
    int struck = 0;
};

// The system calls of a POSIX file system that obey `faults`, which the caller keeps alive and may
// change between calls.
PosixCalls CallsWithFaults(std::shared_ptr<InjectedFaults> faults);

}  // namespace tarnwick::test
