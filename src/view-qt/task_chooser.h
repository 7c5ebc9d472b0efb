#pragma once

#include <QDialog>

#include "view-qt/control_binder.h"

namespace tarnwick {
class Dialog;
}

namespace tarnwick::qtview {

class Pictures;

// The task chooser, bound to its model: a drive list, the folder tree down to the folder shown
// with its subfolders, the folder's task files, OK and Cancel. The model decides; this dialog
// only shows it and reports the user's choices.
class TaskChooser : public QDialog {
    Q_OBJECT

  public:
    TaskChooser(Dialog& model, const Pictures& pictures, QWidget* parent = nullptr);
    ~TaskChooser() override;

  public slots:
    // Esc and the window's close box close it as Cancel does.
    void reject() override;

  private:
    void build(const Pictures& pictures);

    Dialog& model_;
    ControlBinder binder_;
};

}  // namespace tarnwick::qtview
