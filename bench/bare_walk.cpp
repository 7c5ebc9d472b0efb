// The least a no-change pass can do on this machine: walk the source through open folder
// handles, read every entry's attributes, and read the attributes of each file's copy in the
// matching target folder, also through an open handle. No path is ever built or looked up from
// the root, nothing is compared or copied. Links are followed, as the pass follows them. Prints
// the number of files seen.
//   tarnwick-bare-walk SOURCE TARGET
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Counts {
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::uint64_t copiesSeen = 0;  // files whose copy in the target could be read
};

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Walks the folder open as sourceFd (the walk takes it over and closes it) alongside the target
// folder open as targetFd (-1 when the target has no such folder; closed here too).
void Walk(int sourceFd, int targetFd, Counts& counts) {
    DIR* dir = ::fdopendir(sourceFd);
    if (dir == nullptr) {
        ::close(sourceFd);
        if (targetFd >= 0) {
            ::close(targetFd);
        }
        return;
    }
    ++counts.folders;
    std::vector<std::string> subfolders;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (IsDotOrDotDot(name)) {
            continue;
        }
        struct stat source;
        if (::fstatat(sourceFd, name, &source, 0) != 0) {
            continue;
        }
        if (S_ISDIR(source.st_mode)) {
            subfolders.emplace_back(name);
        } else if (S_ISREG(source.st_mode)) {
            ++counts.files;
            struct stat copy;
            if (targetFd >= 0 && ::fstatat(targetFd, name, &copy, 0) == 0) {
                ++counts.copiesSeen;
            }
        }
    }
    for (const std::string& name : subfolders) {
        const int childSource =
            ::openat(sourceFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (childSource < 0) {
            continue;
        }
        const int childTarget =
            targetFd >= 0 ? ::openat(targetFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                          : -1;
        Walk(childSource, childTarget, counts);
    }
    ::closedir(dir);
    if (targetFd >= 0) {
        ::close(targetFd);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarnwick-bare-walk SOURCE TARGET\n");
        return 2;
    }
    const int sourceFd = ::open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (sourceFd < 0) {
        std::fprintf(stderr, "tarnwick-bare-walk: %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    const int targetFd = ::open(argv[2], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (targetFd < 0) {
        std::fprintf(stderr, "tarnwick-bare-walk: %s: %s (walking the source alone)\n", argv[2],
                     std::strerror(errno));
    }
    Counts counts;
    Walk(sourceFd, targetFd, counts);
    std::printf("%llu\n", static_cast<unsigned long long>(counts.files));
    if (counts.copiesSeen != counts.files) {
        std::fprintf(stderr, "tarnwick-bare-walk: %llu files have no copy in %s\n",
                     static_cast<unsigned long long>(counts.files - counts.copiesSeen), argv[2]);
    }
    return 0;
}
