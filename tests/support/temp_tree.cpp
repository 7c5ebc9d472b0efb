#include "support/temp_tree.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tarnwick::test {

TempTree::TempTree() {
    std::string pattern = (fs::temp_directory_path() / "tarnwick-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    root_ = pattern;
}

TempTree::~TempTree() {
    std::error_code ignored;
    // Tests make folders read-only; give write access back so everything can be removed.
    for (auto it = fs::recursive_directory_iterator(root_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(root_, ignored);
}

void TempTree::write(const std::string& relative, const std::string& content, std::int64_t mtime) {
    const fs::path file = path(relative);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
    if (mtime >= 0) {
        const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
        utimensat(AT_FDCWD, file.c_str(), times, 0);
    }
}

void TempTree::makeFolder(const std::string& relative) {
    fs::create_directories(path(relative));
}

std::string TempTree::read(const std::string& relative) const {
    std::ifstream in(path(relative), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempTree::exists(const std::string& relative) const {
    return fs::exists(path(relative));
}

std::int64_t TempTree::mtime(const std::string& relative) const {
    struct stat st;
    if (stat(path(relative).c_str(), &st) != 0) {
        return -1;
    }
    return st.st_mtim.tv_sec;
}

std::map<std::string, std::string> TempTree::files(const std::string& relative) const {
    std::map<std::string, std::string> found;
    const fs::path base = relative.empty() ? fs::path(root_) : fs::path(path(relative));
    if (!fs::exists(base)) {
        return found;
    }
    for (const auto& entry : fs::recursive_directory_iterator(base)) {
        if (entry.is_regular_file()) {
            const std::string name = fs::relative(entry.path(), base).string();
            found[name] = read((fs::relative(entry.path(), root_)).string());
        }
    }
    return found;
}

}  // namespace tarnwick::test
