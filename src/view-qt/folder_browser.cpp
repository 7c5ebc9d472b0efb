#include "view-qt/folder_browser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/texts.h"
#include "view-qt/qt_text.h"

namespace tarnwick::qtview {

FolderBrowser::FolderBrowser(const QString& prompt, const QString& startFolder, QWidget* parent)
    : QDialog(parent),
      folders_(new QFileSystemModel(this)),
      tree_(new QTreeView(this)),
      status_(new QLabel(this)),
      ok_(new QPushButton(Text(texts::kOkButton), this)) {
    setObjectName(QStringLiteral("FolderBrowser"));
    setWindowTitle(Text(texts::kFolderBrowserCaption));
    resize(380, 420);

    auto* promptLabel = new QLabel(prompt, this);
    promptLabel->setObjectName(QStringLiteral("Prompt"));
    promptLabel->setWordWrap(true);

    folders_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    folders_->setReadOnly(true);
    folders_->setRootPath(QDir::rootPath());
    tree_->setObjectName(QStringLiteral("Folders"));
    tree_->setModel(folders_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column) {
        tree_->hideColumn(column);
    }
    tree_->setAccessibleName(prompt);

    status_->setObjectName(QStringLiteral("Status"));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(true);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton(Text(texts::kCancelButton), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(tree_, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons);

    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FolderBrowser::showSelection);
    // A relative start folder would be found from the process's current folder: not a start.
    const QModelIndex start = !startFolder.isEmpty() && QDir::isAbsolutePath(startFolder)
                                  ? folders_->index(QDir::cleanPath(startFolder))
                                  : QModelIndex();
    // Set even when there is none, or the tree would make its first row current on the focus.
    tree_->setCurrentIndex(start);
    if (start.isValid()) {
        tree_->scrollTo(start, QAbstractItemView::PositionAtCenter);
        // The folders above it are read in the background; the rows they add move it.
        const QString path = folders_->filePath(start);
        connect(folders_, &QFileSystemModel::directoryLoaded, this,
                [this, path](const QString& loaded) {
                    if (path.startsWith(loaded) && !folder().isEmpty()) {
                        tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter);
                    }
                });
    }
    showSelection();
}

QString FolderBrowser::folder() const {
    const QModelIndex current = tree_->currentIndex();
    return tree_->selectionModel()->isSelected(current) ? folders_->filePath(current) : QString();
}

void FolderBrowser::showSelection() {
    const QString path = folder();
    status_->setText(QDir::toNativeSeparators(path));
    ok_->setEnabled(!path.isEmpty());
}

}  // namespace tarnwick::qtview
