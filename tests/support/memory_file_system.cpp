#include "support/memory_file_system.h"

#include <tuple>

namespace tarnwick::test {
namespace {

class MemoryListing final : public FolderListing {
  public:
    explicit MemoryListing(std::vector<ListedEntry> entries) : entries_(std::move(entries)) {}
    bool next(ListedEntry& entry) override {
        const bool more = position_ < entries_.size();
        entry = more ? entries_[position_++] : entry;
        return more;
    }

  private:
    std::vector<ListedEntry> entries_;
    std::size_t position_ = 0;
};

// An open folder is its path: the memory holds no links to follow.
class MemoryFolder final : public OpenFolder {
  public:
    MemoryFolder(MemoryFileSystem& fs, std::string path, PathStyle style)
        : fs_(fs), path_(std::move(path)), style_(style) {}

    std::optional<EntryInfo> info() override { return fs_.attributes(path_); }
    std::unique_ptr<FolderListing> list(Status& why) override {
        return fs_.openListing(path_, why);
    }
    std::optional<EntryInfo> entry(const std::string& name, Status& why) override {
        return fs_.readAttributes(of(name), why);
    }
    std::vector<std::optional<EntryInfo>> entries(const std::vector<std::string>& names) override {
        std::vector<std::optional<EntryInfo>> found;
        for (const auto& name : names) {
            found.push_back(fs_.attributes(of(name)));
        }
        return found;
    }
    std::unique_ptr<OpenFolder> open(const std::string& name, Status& why) override {
        return fs_.openFolder(of(name), why);
    }
    Status makeFolder(const std::string& name) override {
        const Status made = fs_.createFolder(of(name));
        return made.ok() || fs_.isFolder(of(name)) ? Status::Ok() : made;
    }
    Status setAccess(const std::string&, const EntryInfo&) override { return Status::Ok(); }
    void removeLeftovers() override {}
    CopyResult copyIn(OpenFolder& source, const std::string& name,
                      const CopyProgress& keepGoing) override {
        return fs_.copyFile(static_cast<MemoryFolder&>(source).of(name), of(name), keepGoing);
    }

  private:
    std::string of(const std::string& name) const {
        return WithTrailingSeparator(path_, style_) + name;
    }

    MemoryFileSystem& fs_;
    std::string path_;
    PathStyle style_;
};

}  // namespace

std::unique_ptr<OpenFolder> MemoryFileSystem::openFolder(const std::string& path, Status& why) {
    const std::lock_guard lock(mutex_);
    if (!isFolder(path) || failing.count(key(path)) != 0) {
        why = isFolder(path) ? Status::Failed(failing.at(key(path)))
                             : Status::Gone("No such file or directory");
        return nullptr;
    }
    return std::make_unique<MemoryFolder>(*this, key(path), style_);
}

MemoryFileSystem::MemoryFileSystem(PathStyle style) : style_(style) {}

std::string MemoryFileSystem::key(const std::string& path) const {
    if (path.size() > 1 && EndsWithSeparator(path, style_) && !IsDriveRoot(path, style_)) {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

std::string MemoryFileSystem::parentOf(const std::string& key) const {
    const auto separator = key.find_last_of(Separator(style_), key.size() - 2);
    return key.substr(
        0, separator + 1 == DrivePartLength(style_) || separator == 0 ? separator + 1 : separator);
}

std::string MemoryFileSystem::nameOf(const std::string& key) const {
    return key.substr(key.find_last_of(Separator(style_)) + 1);
}

MemoryFileSystem::Node& MemoryFileSystem::make(const std::string& key, bool folder) {
    auto [it, inserted] = nodes_.try_emplace(key);
    if (inserted) {
        it->second.folder = folder;
        it->second.id = nextId_++;
        nodes_.at(parentOf(key)).children.push_back(nameOf(key));
    }
    return it->second;
}

void MemoryFileSystem::addRoot(const std::string& root) {
    const std::lock_guard lock(mutex_);
    rootList.push_back(root);
    nodes_[root] = Node{true, 0, 0, {}, {}, nextId_++};
}

void MemoryFileSystem::addFolder(const std::string& path) {
    const std::lock_guard lock(mutex_);
    const std::string k = key(path);
    if (nodes_.count(k) != 0) {
        return;
    }
    addFolder(parentOf(k));
    make(k, true);
}

void MemoryFileSystem::addFile(const std::string& path, std::int64_t mtime, std::uint64_t size,
                               std::string content) {
    const std::lock_guard lock(mutex_);
    addFolder(parentOf(path));
    Node& node = make(path, false);
    node.mtime = mtime;
    node.size = size;
    node.content = std::move(content);
}

const MemoryFileSystem::Node* MemoryFileSystem::find(const std::string& path) const {
    const auto it = nodes_.find(key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

bool MemoryFileSystem::isFolder(const std::string& path) const {
    const std::lock_guard lock(mutex_);
    return find(path) && find(path)->folder;
}

bool MemoryFileSystem::isFile(const std::string& path) const {
    const std::lock_guard lock(mutex_);
    return find(path) && !find(path)->folder;
}

void MemoryFileSystem::remove(const std::string& path) {
    const std::lock_guard lock(mutex_);
    const std::string k = key(path);
    std::erase_if(nodes_, [&](const auto& node) {
        return node.first == k || node.first.starts_with(WithTrailingSeparator(k, style_));
    });
    std::erase(nodes_.at(parentOf(k)).children, nameOf(k));
}

EntryInfo MemoryFileSystem::infoOf(const Node& node) const {
    EntryInfo info;
    info.kind = node.folder ? EntryKind::Folder : EntryKind::File;
    info.modified.seconds = node.mtime;
    info.size = node.size;
    info.device = 1;
    info.inode = node.id;
    return info;
}

std::unique_ptr<FolderListing> MemoryFileSystem::openListing(const std::string& folder,
                                                             Status& why) {
    if (onList) {
        onList(folder);
    }
    const std::lock_guard lock(mutex_);
    const Node* node = find(folder);
    if (!node || !node->folder || failing.count(key(folder)) != 0) {
        why = node ? Status::Failed(failing.at(key(folder)))
                   : Status::Gone("No such file or directory");
        return nullptr;
    }
    std::vector<ListedEntry> entries;
    const std::string prefix = WithTrailingSeparator(key(folder), style_);
    for (const auto& name : node->children) {
        ListedEntry entry{name, std::nullopt, {}};
        if (failing.count(prefix + name) != 0 && !nodes_.at(prefix + name).folder) {
            entry.failure = failing.at(prefix + name);
        } else if (vanishing.count(prefix + name) == 0) {
            entry.info = infoOf(nodes_.at(prefix + name));
        }
        entries.push_back(entry);
    }
    return std::make_unique<MemoryListing>(std::move(entries));
}

std::optional<EntryInfo> MemoryFileSystem::readAttributes(const std::string& path, Status& why) {
    const std::lock_guard lock(mutex_);
    if (!find(path) || vanishing.count(key(path)) != 0) {
        why = Status::Gone("No such file or directory");
        return std::nullopt;
    }
    return infoOf(*find(path));
}

Status MemoryFileSystem::createFolder(const std::string& path) {
    const std::lock_guard lock(mutex_);
    const std::string k = key(path);
    if (refuseCreate.count(k) != 0) {
        return Status::Failed("Access is denied.");
    }
    if (nodes_.count(k) != 0) {
        return Status::Failed("File exists");
    }
    if (nodes_.count(parentOf(k)) == 0) {
        return Status::Failed("No such file or directory");
    }
    make(k, true);
    createdFolders.push_back(path);
    return Status::Ok();
}

CopyResult MemoryFileSystem::copyFile(const std::string& source, const std::string& target,
                                      const CopyProgress& keepGoing) {
    std::unique_lock lock(mutex_);
    if (refuseCopy.count(source) != 0) {
        return {CopyOutcome::Failed, "Access is denied."};
    }
    if (nodes_.count(key(source)) == 0 || nodes_.count(parentOf(key(target))) == 0) {
        return {CopyOutcome::Failed, "No such file or directory"};
    }
    lock.unlock();  // the refresh in `keepGoing` may wait for another thread that lists
    if (!keepGoing()) {
        return {CopyOutcome::Stopped, {}};
    }
    lock.lock();
    if (!find(source)) {
        return {CopyOutcome::Failed, "No such file or directory"};
    }
    const Node copy = *find(source);
    Node& to = make(key(target), false);
    std::tie(to.mtime, to.size, to.content) = std::tie(copy.mtime, copy.size, copy.content);
    copiedFiles.push_back(source);
    return {CopyOutcome::Copied, {}};
}

std::optional<std::string> MemoryFileSystem::readFile(const std::string& path,
                                                      std::string& reason) {
    const std::lock_guard lock(mutex_);
    if (!isFile(path) || unreadable.count(path) != 0) {
        reason = find(path) ? "Permission denied" : "No such file or directory";
        return std::nullopt;
    }
    return find(path)->content;
}

Status MemoryFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    const std::lock_guard lock(mutex_);
    if (refuseWrite.count(path) != 0) {
        return Status::Failed("Permission denied");
    }
    if (!isFolder(parentOf(key(path))) || isFolder(path)) {
        return Status::Failed("No such file or directory");
    }
    Node& node = make(key(path), false);
    node.content = bytes;
    node.size = bytes.size();
    return Status::Ok();
}

// Nothing else writes this file system while a save runs: the lock only fails as a read would.
std::unique_ptr<FileLock> MemoryFileSystem::lockFile(const std::string& path, std::string& reason) {
    const std::lock_guard lock(mutex_);
    if (isFile(path) && unreadable.count(path) != 0) {
        reason = "Permission denied";
        return nullptr;
    }
    if (!isFile(path)) {
        return nullptr;
    }
    // Counts itself while held, so a test can tell when a save lets its lock go.
    struct CountedLock final : FileLock {
        explicit CountedLock(std::shared_ptr<int> held) : held_(std::move(held)) { ++*held_; }
        ~CountedLock() override { --*held_; }
        std::shared_ptr<int> held_;
    };
    return std::make_unique<CountedLock>(locksHeld);
}

Status MemoryFileSystem::setCurrentFolder(const std::string& path) {
    const std::lock_guard lock(mutex_);
    if (!isFolder(path)) {
        return Status::Failed("No such file or directory");
    }
    current = path;
    return Status::Ok();
}

}  // namespace tarnwick::test
