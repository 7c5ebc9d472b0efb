#include "ui/controls.h"

namespace tarnwick {

void ListBox::setListIndex(int index) {
    assign(listIndex_, index >= 0 && index < listCount() ? index : -1);
}

void ListBox::addItem(std::string item) {
    items_.push_back(std::move(item));
    notifyRows(Change::Appended, listCount() - 1);
}

void ListBox::insertFirst(std::string item) {
    items_.push_front(std::move(item));
    if (listIndex_ >= 0) {
        ++listIndex_;
    }
    notifyRows(Change::InsertedFirst, 0);
}

void ListBox::setItem(int index, std::string item) {
    items_.at(static_cast<std::size_t>(index)) = std::move(item);
    notifyRows(Change::ItemChanged, index);
}

void ListBox::removeItem(int index) {
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) {
        listIndex_ = -1;
    } else if (listIndex_ > index) {
        --listIndex_;
    }
    notifyRows(Change::Removed, index);
}

void ListBox::clear() {
    items_.clear();
    listIndex_ = -1;
    notifyRows(Change::Cleared, 0);
}

void ListBox::notifyRows(Change::Kind kind, int index) {
    if (rowListener_) {
        rowListener_({kind, index});
    }
    changed();
}

}  // namespace tarnwick
