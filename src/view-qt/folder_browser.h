#pragma once

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace tarnwick::qtview {

// The folder browser: the prompt above a tree of the file system's folders, the selected folder's
// full path under it, OK and Cancel. It opens with the start folder selected and in view; with no
// start folder (or one that is not a full path) nothing is selected, and OK waits for a choice.
class FolderBrowser : public QDialog {
    Q_OBJECT

  public:
    FolderBrowser(const QString& prompt, const QString& startFolder, QWidget* parent = nullptr);

    // The selected folder's full path, or "" while none is.
    QString folder() const;

    QTreeView* tree() const { return tree_; }

  private:
    void showSelection();

    QFileSystemModel* folders_;
    QTreeView* tree_;
    QLabel* status_;
    QPushButton* ok_;
};

}  // namespace tarnwick::qtview
