#include "view-qt/task_chooser.h"

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>

#include "ui/dialog.h"
#include "view-qt/form_metrics.h"
#include "view-qt/form_widgets.h"
#include "view-qt/list_box_model.h"
#include "view-qt/pictures.h"

namespace tarnwick::qtview {
namespace {

constexpr int kIndentPixels = 12;
constexpr int kButtonPicture = 24;

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
    IndentedRows(const FolderRows& rows, QObject* parent)
        : QStyledItemDelegate(parent), rows_(rows) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + kIndentPixels * rows_.depth(index.row()));
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return {size.width() + kIndentPixels * rows_.depth(index.row()), size.height()};
    }

  private:
    const FolderRows& rows_;
};

QToolButton* PictureButton(const QString& name, const QIcon& icon, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(kButtonPicture, kButtonPicture));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return button;
}

}  // namespace

TaskChooser::TaskChooser(Dialog& model, const Pictures& pictures, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      model_(model) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QString::fromStdString(model_.caption()));
    setFont(CaptionFont(CaptionFamily(), 9.75));
    build(pictures);
    // The model closes the dialog: by OK after loading the task, or by Cancel.
    model_.setCloseListener([this] { done(QDialog::Accepted); });
}

TaskChooser::~TaskChooser() {
    model_.setCloseListener({});
}

void TaskChooser::build(const Pictures& pictures) {
    const double dpi = DotsPerInch(parentWidget());
    setFixedSize(TwipsRect(0, 0, 6870, 5640, dpi).size());

    auto* drives = new QComboBox(this);
    drives->setObjectName(QStringLiteral("Drive1"));
    drives->setModel(new ListBoxModel(model_.Drive1, drives));
    drives->setGeometry(TwipsRect(120, 0, 4095, 300, dpi));
    binder_.list(drives, model_.Drive1, [this](int row) { model_.selectDrive(row); });

    auto* folders = new ListBoxView(this);
    folders->setObjectName(QStringLiteral("Dir1"));
    auto* folderRows = new FolderRows(model_, folders);
    folders->setModel(folderRows);
    folders->setItemDelegate(new IndentedRows(*folderRows, folders));
    folders->setGeometry(TwipsRect(120, 360, 4095, 5130, dpi));
    binder_.list(folders, model_.Dir1);
    connect(folders, &QListView::activated, this,
            [this](const QModelIndex& index) { model_.openFolder(model_.Dir1.list(index.row())); });

    auto* files = new ListBoxView(this);
    files->setObjectName(QStringLiteral("File1"));
    files->setModel(new ListBoxModel(model_.File1, files));
    files->setUniformItemSizes(true);
    files->setGeometry(TwipsRect(4320, 0, 2535, 4590, dpi));
    binder_.list(files, model_.File1);

    QToolButton* ok =
        PictureButton(QStringLiteral("OKButton"), pictures.icon(QStringLiteral("ok")), this);
    ok->setGeometry(TwipsRect(4440, 4680, 1095, 855, dpi));
    binder_.button(ok, model_.OKButton, [this] { model_.OKButton_Click(); });
    QToolButton* cancel = PictureButton(QStringLiteral("CancelButton"),
                                        pictures.icon(QStringLiteral("cancel")), this);
    cancel->setGeometry(TwipsRect(5760, 4680, 975, 855, dpi));
    binder_.button(cancel, model_.CancelButton, [this] { model_.CancelButton_Click(); });

    setTabOrder(ok, cancel);
    setTabOrder(cancel, drives);
    setTabOrder(drives, folders);
    setTabOrder(folders, files);
    ok->setFocus();
}

void TaskChooser::reject() {
    if (model_.closed()) {
        QDialog::reject();
        return;
    }
    model_.CancelButton_Click();  // its close listener ends the dialog
}

}  // namespace tarnwick::qtview
