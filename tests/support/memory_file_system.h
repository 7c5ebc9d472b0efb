#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "backup/file_system.h"
#include "common/path_style.h"

namespace tarnwick::test {

// A file system in memory, in either path style, that lists entries in the order they were made
// and can refuse chosen operations. For the rules' examples in Windows terms and for exact
// listing orders. Safe to use from several threads; tests change its settings only between passes.
class MemoryFileSystem final : public FileSystem {
  public:
    explicit MemoryFileSystem(PathStyle style);

    // A drive root ("D:\") or, in the POSIX style, "/" exists from the start.
    void addRoot(const std::string& root);
    void addFolder(const std::string& path);  // with its missing parents
    void addFile(const std::string& path, std::int64_t mtime, std::uint64_t size,
                 std::string content = {});
    void remove(const std::string& path);  // with everything below it

    bool isFolder(const std::string& path) const;
    bool isFile(const std::string& path) const;

    std::unique_ptr<FolderListing> openListing(const std::string& folder, Status& why) override;
    std::optional<EntryInfo> readAttributes(const std::string& path, Status& why) override;
    std::unique_ptr<OpenFolder> openFolder(const std::string& path, Status& why) override;
    bool hasTwoSecondTimes(const std::string&) override { return twoSecondTimes; }
    Status createFolder(const std::string& path) override;
    CopyResult copyFile(const std::string& source, const std::string& target,
                        const CopyProgress& keepGoing);
    std::optional<std::string> readFile(const std::string& path, std::string& reason) override;
    Status replaceFile(const std::string& path, const std::string& bytes) override;
    std::unique_ptr<FileLock> lockFile(const std::string& path, std::string& reason) override;
    std::string currentFolder() override { return current; }
    Status setCurrentFolder(const std::string& path) override;
    std::vector<std::string> roots() override { return rootList; }

    std::string contentOf(const std::string& path) const {
        const std::lock_guard lock(mutex_);
        return nodes_.at(key(path)).content;
    }

    std::vector<std::string> createdFolders;     // in the order they were made
    std::vector<std::string> copiedFiles;        // sources, in the order they were copied
    std::set<std::string> refuseCreate;          // folders whose creation fails
    std::set<std::string> refuseCopy;            // sources whose copy fails
    std::set<std::string> vanishing;             // entries that are listed but cannot be read
    std::map<std::string, std::string> failing;  // a folder's listing or an entry's attributes
    bool twoSecondTimes = false;
    std::set<std::string> refuseWrite;                          // files that cannot be written
    std::set<std::string> unreadable;                           // files that cannot be read
    std::vector<std::string> rootList;                          // what roots() answers
    std::string current;                                        // the current folder
    std::shared_ptr<int> locksHeld = std::make_shared<int>(0);  // file locks not yet let go
    // Runs before a folder is listed, on the thread that lists it, with no lock held.
    std::function<void(const std::string& folder)> onList;

  private:
    struct Node {
        bool folder = false;
        std::int64_t mtime = 0;
        std::uint64_t size = 0;
        std::string content;
        std::vector<std::string> children;  // names, in the order made
        std::uint64_t id = 0;
    };

    std::string key(const std::string& path) const;
    std::string parentOf(const std::string& key) const;
    std::string nameOf(const std::string& key) const;
    Node& make(const std::string& key, bool folder);
    const Node* find(const std::string& path) const;  // null when nothing is there
    EntryInfo infoOf(const Node& node) const;

    PathStyle style_;
    std::map<std::string, Node> nodes_;
    std::uint64_t nextId_ = 1;
    mutable std::recursive_mutex mutex_;
};

}  // namespace tarnwick::test
