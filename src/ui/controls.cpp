#include "ui/controls.h"

namespace tarnwick {

void ListBox::setListIndex(int index) {
    assign(listIndex_, index >= 0 && index < listCount() ? index : -1);
}

void ListBox::addItem(std::string item) {
    items_.push_back(std::move(item));
    arrivals_.push_back(nextArrival_++);
    notifyRows(Change::Appended, listCount() - 1);
    keepCapacity();
}

void ListBox::insertFirst(std::string item) {
    items_.push_front(std::move(item));
    arrivals_.push_front(nextArrival_++);
    ++insertedFirst_;
    if (listIndex_ >= 0) {
        ++listIndex_;
    }
    notifyRows(Change::InsertedFirst, 0);
    keepCapacity();
}

void ListBox::setItem(int index, std::string item) {
    items_.at(static_cast<std::size_t>(index)) = std::move(item);
    notifyRows(Change::ItemChanged, index);
}

void ListBox::removeItem(int index) {
    items_.erase(items_.begin() + index);
    arrivals_.erase(arrivals_.begin() + index);
    if (static_cast<std::size_t>(index) < insertedFirst_) {
        --insertedFirst_;
    }
    if (listIndex_ == index) {
        listIndex_ = -1;
    } else if (listIndex_ > index) {
        --listIndex_;
    }
    notifyRows(Change::Removed, index);
}

void ListBox::clear() {
    items_.clear();
    arrivals_.clear();
    insertedFirst_ = 0;
    listIndex_ = -1;
    notifyRows(Change::Cleared, 0);
}

// Lines put in at the top stand newest first above those added at the bottom, which stand
// oldest first: the oldest line is the last of the one run or the first of the other.
void ListBox::keepCapacity() {
    if (capacity_ == 0 || items_.size() <= capacity_) {
        return;
    }
    std::size_t oldest = insertedFirst_;
    if (insertedFirst_ > 0 &&
        (insertedFirst_ == items_.size() || arrivals_[insertedFirst_ - 1] < arrivals_[oldest])) {
        oldest = insertedFirst_ - 1;
    }
    removeItem(static_cast<int>(oldest));
}

void ListBox::notifyRows(Change::Kind kind, int index) {
    if (rowListener_) {
        rowListener_({kind, index});
    }
    changed();
}

}  // namespace tarnwick
