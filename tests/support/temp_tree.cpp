#include "support/temp_tree.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "common/path_style.h"

namespace fs = std::filesystem;

namespace tarnwick::test {
namespace {

fs::file_time_type FromSeconds(std::int64_t seconds) {
    return std::chrono::file_clock::from_sys(
        std::chrono::sys_time<std::chrono::seconds>(std::chrono::seconds(seconds)));
}

}  // namespace

TempTree::TempTree() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("tarnwick-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            root_ = candidate.string();
        }
    }
    if (root_.empty()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
}

TempTree::~TempTree() {
    std::error_code ignored;
    // Tests make files and folders read-only; give write access back so all can be removed.
    for (auto it = fs::recursive_directory_iterator(root_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(root_, ignored);
}

std::string TempTree::path(const std::string& relative) const {
    std::string joined = root_ + Separator(kHostPathStyle) + relative;
    std::replace(joined.begin(), joined.end(), '/', Separator(kHostPathStyle));
    return joined;
}

void TempTree::write(const std::string& relative, const std::string& content, std::int64_t mtime) {
    const fs::path file = path(relative);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
    if (mtime >= 0) {
        fs::last_write_time(file, FromSeconds(mtime));
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
    std::error_code error;
    const auto time = fs::last_write_time(path(relative), error);
    if (error) {
        return -1;
    }
    const auto since = std::chrono::file_clock::to_sys(time).time_since_epoch();
    return std::chrono::floor<std::chrono::seconds>(since).count();
}

std::map<std::string, std::string> TempTree::files(const std::string& relative) const {
    std::map<std::string, std::string> found;
    const fs::path base = relative.empty() ? fs::path(root_) : fs::path(path(relative));
    if (!fs::exists(base)) {
        return found;
    }
    for (const auto& entry : fs::recursive_directory_iterator(base)) {
        if (entry.is_regular_file()) {
            std::string name = fs::relative(entry.path(), base).generic_string();
            found[name] = read(fs::relative(entry.path(), root_).generic_string());
        }
    }
    return found;
}

bool HoldsTemporaryFiles(const TempTree& tree, const std::string& relative) {
    const auto files = tree.files(relative);
    return std::any_of(files.begin(), files.end(), [](const auto& file) {
        return file.first.find(".tarnwick-") != std::string::npos;
    });
}

}  // namespace tarnwick::test
