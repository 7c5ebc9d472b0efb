#pragma once

#include <QAbstractListModel>
#include <optional>

#include "ui/controls.h"

namespace tarnwick::qtview {

// The rows of one of the model's list boxes, for a Qt item view. The view hears of each change by
// row, so a line inserted at the top of a log of 100,000 lines costs one row, not a reload.
//
// The list box tells of a change after it has made it, while Qt wants to hear of it before: until
// Qt has been told, this model shows the rows as they stood before the change.
class ListBoxModel : public QAbstractListModel {
    Q_OBJECT

  public:
    // Follows the list box's changes from now until destroyed; the list box must outlive it.
    ListBoxModel(ListBox& box, QObject* parent);
    ~ListBoxModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    ListBox& box() const { return box_; }
    // True while a change of the list box is passed on; a view's selection moves by itself then.
    bool changing() const { return changing_; }

  private:
    void apply(const ListBox::Change& change);
    // The list box's row that Qt's row stands for; -1 for a row that has gone.
    int boxRow(int row) const;

    ListBox& box_;
    int rows_;
    bool changing_ = false;
    // The change Qt is being told of, while it still sees the rows before it.
    std::optional<ListBox::Change> untold_;
};

}  // namespace tarnwick::qtview
