#pragma once

#include <condition_variable>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "backup/file_system.h"
#include "backup/folder_scan.h"

namespace tarnwick {

struct ReadAheadLimits {
    std::size_t workers = 4;  // waits for the disk overlap, so more than the cores help
    // Entries read ahead and not yet taken, summed over the folders (an empty one counts one).
    // The folder the walk waits for is read even beyond that.
    std::size_t entriesAhead = 8192;
    std::size_t folderEntries = kScanEntries;  // the most one scan holds
};

// Reads ahead, on worker threads, the folders a walk is going to come to: each one's listing with
// the attributes of its entries and of their copies. On a cold disk most of a pass is waiting for
// such reads one after another; several in flight overlap the waits. Folders are read in the
// walk's order (its files first, then its subfolders from the last listed to the first, each to
// its full depth), and the walk takes them one by one as it comes to them, so it still decides
// everything itself, in its own order. Workers never write; they open folders relative to the
// folders they opened before, as the walk does.
class ReadAhead {
  public:
    using Limits = ReadAheadLimits;

    // Starts from the root of a walk, read through the walk's own open folders, which outlive
    // this. `root` is its path; a subfolder's is its parent's, its name and `separator`.
    ReadAhead(OpenFolder& source, OpenFolder& target, std::string root, char separator,
              Limits limits = {});
    // Abandons what was not taken and waits for the workers to finish the reads they are in.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The scan of the folder at `path`, once read; null when none is read ahead for it. Every
    // folder read ahead before it and not taken is dropped with everything below it: the walk
    // passed it over.
    std::unique_ptr<FolderScan> take(const std::string& path);

  private:
    // Where a folder's subfolders are opened from.
    struct Handles {
        std::shared_ptr<OpenFolder> source;
        std::shared_ptr<OpenFolder> target;  // null where the target folder is missing
    };
    enum class State { Waiting, Reading, Read };
    struct Node {
        std::string path;
        std::string name;
        std::shared_ptr<Handles> parent;  // released once the folder is opened
        State state = State::Waiting;
        bool dropped = false;
        std::size_t held = 0;  // what it counts against `entriesAhead`
        std::unique_ptr<FolderScan> scan;
    };
    using Order = std::list<std::shared_ptr<Node>>;

    void work();
    Order::iterator nextToRead();
    std::shared_ptr<Handles> open(const Node& node);
    void finish(Node& node, std::unique_ptr<FolderScan> scan, const std::shared_ptr<Handles>& own);
    void dropFirst();

    const Limits limits_;
    const char separator_;
    std::shared_ptr<Handles> root_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Order order_;  // the folders known and not taken, in the walk's order
    std::unordered_map<std::string, Order::iterator> byPath_;
    std::size_t held_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace tarnwick
