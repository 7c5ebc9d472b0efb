#include "view-qt/list_box_model.h"

namespace tarnwick::qtview {

ListBoxModel::ListBoxModel(ListBox& box, QObject* parent)
    : QAbstractListModel(parent), box_(box), rows_(box.listCount()) {
    box_.setRowListener([this](const ListBox::Change& change) { apply(change); });
}

ListBoxModel::~ListBoxModel() {
    box_.setRowListener({});
}

int ListBoxModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ListBoxModel::boxRow(int row) const {
    if (!untold_) {
        return row;
    }
    switch (untold_->kind) {
        case ListBox::Change::InsertedFirst:
            return row + 1;
        case ListBox::Change::Removed:
            return row < untold_->index ? row : row == untold_->index ? -1 : row - 1;
        default:
            return row;
    }
}

QVariant ListBoxModel::data(const QModelIndex& index, int role) const {
    const int row = index.isValid() ? boxRow(index.row()) : -1;
    if (role != Qt::DisplayRole || row < 0 || row >= box_.listCount()) {
        return {};
    }
    return QString::fromStdString(box_.list(row));
}

void ListBoxModel::apply(const ListBox::Change& change) {
    const bool outer = changing_;
    changing_ = true;
    switch (change.kind) {
        case ListBox::Change::InsertedFirst:
        case ListBox::Change::Appended:
            untold_ = change;
            beginInsertRows(QModelIndex(), change.index, change.index);
            untold_.reset();
            ++rows_;
            endInsertRows();
            break;
        case ListBox::Change::Removed:
            untold_ = change;
            beginRemoveRows(QModelIndex(), change.index, change.index);
            untold_.reset();
            --rows_;
            endRemoveRows();
            break;
        case ListBox::Change::ItemChanged: {
            const QModelIndex changed = index(change.index);
            emit dataChanged(changed, changed, {Qt::DisplayRole});
            break;
        }
        case ListBox::Change::Cleared:
            beginResetModel();
            rows_ = box_.listCount();
            endResetModel();
            break;
    }
    changing_ = outer;
}

}  // namespace tarnwick::qtview
