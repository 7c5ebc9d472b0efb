#pragma once

#include <QString>
#include <QWidget>

#include "view-qt/control_binder.h"

namespace tarnwick {
class FrmMain;
}

namespace tarnwick::qtview {

class Pictures;

// The main window, bound to its model: every control of FrmMain as a widget of the same name,
// laid out in twips as the form draws it and scaled to the screen's dots per inch. Clicks and
// edits go to the model; the model's changes show.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    MainWindow(FrmMain& model, const Pictures& pictures, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window restored from the tray or the task bar, in front; minimises it.
    void bringBack();
    void minimize();
    // Closes the window for good: the program is ending.
    void closeForGood();

  protected:
    // The user's close: the model decides what happens, and ends the program when it may.
    void closeEvent(QCloseEvent* event) override;
    // The window has one size. Qt's own title bar (Wayland without the desktop's decorations)
    // draws a maximise button on every window; here a maximise is undone at once.
    void changeEvent(QEvent* event) override;

  private:
    FrmMain& model_;
    ControlBinder binder_;
    bool closingForGood_ = false;
};

}  // namespace tarnwick::qtview
