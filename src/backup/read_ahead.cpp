#include "backup/read_ahead.h"

namespace tarnwick {
namespace {

// A folder the walk owns, shared with the workers without being owned by them.
std::shared_ptr<OpenFolder> Borrowed(OpenFolder& folder) {
    return std::shared_ptr<OpenFolder>(std::shared_ptr<void>(), &folder);
}

}  // namespace

ReadAhead::ReadAhead(OpenFolder& source, OpenFolder& target, std::string root, char separator,
                     Limits limits)
    : limits_(limits),
      separator_(separator),
      root_(std::make_shared<Handles>(Handles{Borrowed(source), Borrowed(target)})) {
    auto node = std::make_shared<Node>();
    node->path = std::move(root);
    byPath_[node->path] = order_.insert(order_.end(), node);
    for (std::size_t i = 0; i < limits_.workers; ++i) {
        workers_.emplace_back([this] { work(); });
    }
}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (auto& worker : workers_) {
        worker.join();
    }
}

// The first folder not yet read, in the walk's order; the one the walk comes to next is read even
// when the read-ahead is full, else the walk would wait for ever.
ReadAhead::Order::iterator ReadAhead::nextToRead() {
    for (auto it = order_.begin(); it != order_.end(); ++it) {
        if ((*it)->state == State::Waiting) {
            return it == order_.begin() || held_ < limits_.entriesAhead ? it : order_.end();
        }
    }
    return order_.end();
}

void ReadAhead::work() {
    std::unique_lock lock(mutex_);
    while (true) {
        Order::iterator next;
        changed_.wait(lock, [&] { return stopping_ || (next = nextToRead()) != order_.end(); });
        if (stopping_) {
            return;
        }
        const std::shared_ptr<Node> node = *next;
        node->state = State::Reading;
        node->held = 1;
        ++held_;
        lock.unlock();
        const auto own = open(*node);
        auto scan = std::make_unique<FolderScan>();
        if (own->source) {  // else the walk finds out for itself why the folder cannot be opened
            *scan = ScanFolder(*own->source, own->target.get(), limits_.folderEntries);
        }
        lock.lock();
        finish(*node, std::move(scan), own);
        changed_.notify_all();
    }
}

std::shared_ptr<ReadAhead::Handles> ReadAhead::open(const Node& node) {
    if (!node.parent) {
        return root_;
    }
    auto own = std::make_shared<Handles>();
    Status why = Status::Ok();
    own->source = node.parent->source->open(node.name, why);
    if (own->source && node.parent->target) {
        own->target = node.parent->target->open(node.name, why);
    }
    return own;
}

// Hands a read folder to the walk and puts its subfolders next in line, in the walk's order.
void ReadAhead::finish(Node& node, std::unique_ptr<FolderScan> scan,
                       const std::shared_ptr<Handles>& own) {
    node.parent.reset();
    if (node.dropped) {
        held_ -= node.held;
        return;
    }
    const auto position = byPath_.at(node.path);
    const auto after = std::next(position);
    for (auto entry = scan->entries.rbegin(); entry != scan->entries.rend(); ++entry) {
        if (own->source && entry->source.info && entry->source.info->kind == EntryKind::Folder) {
            auto child = std::make_shared<Node>();
            child->name = entry->source.name;
            child->path = node.path + child->name + separator_;
            child->parent = own;
            byPath_[child->path] = order_.insert(after, child);
        }
    }
    const std::size_t entries = scan->entries.size();
    node.held += entries;
    held_ += entries;
    node.scan = std::move(scan);
    node.state = State::Read;
}

void ReadAhead::dropFirst() {
    const std::shared_ptr<Node> node = order_.front();
    node->dropped = true;
    if (node->state == State::Read) {
        held_ -= node->held;
    }
    byPath_.erase(node->path);
    order_.pop_front();
}

std::unique_ptr<FolderScan> ReadAhead::take(const std::string& path) {
    std::unique_lock lock(mutex_);
    const auto found = byPath_.find(path);
    if (found == byPath_.end()) {
        return nullptr;
    }
    const auto position = found->second;
    while (order_.begin() != position) {
        dropFirst();
    }
    changed_.notify_all();  // the folder may wait to be read: it is first now
    changed_.wait(lock, [&] { return (*position)->state == State::Read; });
    const std::shared_ptr<Node> node = *position;
    held_ -= node->held;
    byPath_.erase(path);  // not by `found`: the workers' inserts may have rehashed the map
    order_.erase(position);
    changed_.notify_all();
    return std::move(node->scan);
}

}  // namespace tarnwick
