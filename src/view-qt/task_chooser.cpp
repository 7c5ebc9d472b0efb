#include "view-qt/task_chooser.h"

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QStyle>
#include <QStyledItemDelegate>

#include "ui/dialog.h"
#include "ui/form_layout.h"
#include "view-qt/form_builder.h"
#include "view-qt/form_widgets.h"
#include "view-qt/list_box_model.h"
#include "view-qt/pictures.h"

namespace tarnwick::qtview {
namespace {

// The rows of Dir1: the folders from the root down to the folder shown, each with an open folder,
// then its subfolders one step further in, each with a closed folder. A row shows the folder's
// last name; the root shows its whole path.
class FolderRows final : public ListBoxModel {
  public:
    FolderRows(Dialog& dialog, QObject* parent)
        : ListBoxModel(dialog.Dir1, parent), dialog_(dialog) {}

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= box().listCount()) {
            return {};
        }
        const bool open = index.row() < dialog_.dir1Depth();
        if (role == Qt::DecorationRole) {
            return QApplication::style()->standardIcon(open ? QStyle::SP_DirOpenIcon
                                                            : QStyle::SP_DirClosedIcon);
        }
        if (role == Qt::DisplayRole && index.row() > 0) {
            const QString path = QString::fromStdString(box().list(index.row()));
            return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        }
        return ListBoxModel::data(index, role);
    }

    // How many steps in the row stands.
    int depth(int row) const { return std::min(row, dialog_.dir1Depth()); }

  private:
    Dialog& dialog_;
};

class IndentedRows final : public QStyledItemDelegate {
  public:
    IndentedRows(const FolderRows& rows, int indent, QObject* parent)
        : QStyledItemDelegate(parent), rows_(rows), indent_(indent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + indent_ * rows_.depth(index.row()));
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return {size.width() + indent_ * rows_.depth(index.row()), size.height()};
    }

  private:
    const FolderRows& rows_;
    int indent_;
};

}  // namespace

TaskChooser::TaskChooser(Dialog& model, const Pictures& pictures, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      model_(model) {
    setWindowTitle(QString::fromStdString(model_.caption()));
    build(pictures);
    // The model closes the dialog: by OK after loading the task, or by Cancel.
    model_.setCloseListener([this] { done(QDialog::Accepted); });
}

TaskChooser::~TaskChooser() {
    model_.setCloseListener({});
}

void TaskChooser::build(const Pictures& pictures) {
    FormBuilder builder(*this, pictures, binder_);
    // The drive list drops down; the folder list shows each folder one step further in than
    // the one above it, and opens a folder on a double click or Enter.
    builder.build(
        form::TaskChooserLayout(), model_,
        [this, &builder](const form::BoundItem& item, QWidget* parent) -> QWidget* {
            if (item.look.kind == form::Kind::DriveList) {
                auto* drives = builder.place<QComboBox>(item.look, parent);
                drives->setModel(new ListBoxModel(item.as<ListBox>(), drives));
                binder_.list(drives, item.as<ListBox>(), item.event);
                return drives;
            }
            auto* folders = builder.place<ListBoxView>(item.look, parent);
            auto* rows = new FolderRows(model_, folders);
            folders->setModel(rows);
            folders->setItemDelegate(
                new IndentedRows(*rows, builder.pixels(form::kFolderIndentTwips), folders));
            binder_.list(folders, item.as<ListBox>());
            connect(folders, &QListView::activated, this,
                    [event = item.event](const QModelIndex& index) { event(index.row()); });
            return folders;
        });
    // The first control in the Tab key's order takes the focus, as the form has it.
    builder.widget(form::TaskChooserLayout().items.front().look.name)->setFocus();
}

void TaskChooser::reject() {
    if (model_.closed()) {
        QDialog::reject();
        return;
    }
    model_.CancelButton_Click();  // its close listener ends the dialog
}

}  // namespace tarnwick::qtview
