#pragma once

#include <QPixmap>
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

class QAbstractButton;
class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTimer;
class QWidget;

namespace tarnwick::qtview {

class ClickLabel;
class FramePanel;

// Ties widgets to the model's controls. From the moment a pair is bound, every change of the
// control redraws its widget, and the user's action on the widget calls the model (a handler, or
// the plain change of a value), after which the widget is redrawn from the control: the control
// always has the last word. Forgets every listener when destroyed, so the model never calls into
// a widget that has gone.
class ControlBinder {
  public:
    using Action = std::function<void()>;
    using PictureSource = std::function<QPixmap(const std::string&)>;

    ControlBinder() = default;
    ControlBinder(const ControlBinder&) = delete;
    ControlBinder& operator=(const ControlBinder&) = delete;
    ~ControlBinder();

    void button(QAbstractButton* widget, Captioned& control, Action clicked);
    void label(QLabel* widget, Captioned& control);
    void label(ClickLabel* widget, Captioned& control, Action clicked);
    void frame(FramePanel* widget, Captioned& control);
    void tab(QTabWidget* widget, int index, Captioned& control);
    void text(QLineEdit* widget, TextBox& control);
    void check(QCheckBox* widget, CheckBox& control, std::function<void(int)> clicked);
    void option(QRadioButton* widget, OptionButton& control, Action clicked);
    // The view shows a ListBoxModel over the same list box; its selection is the list index.
    void list(QAbstractItemView* widget, ListBox& control);
    // A drop-down list over a ListBoxModel: its current row is the list index, and the user's
    // choice of a row calls `chosen` with it.
    void list(QComboBox* widget, ListBox& control, std::function<void(int)> chosen);
    // The picture's name is kept in the widget's "picture" property.
    void image(QLabel* widget, Image& control, PictureSource pictures);
    void timer(QTimer* timer, Timer& control, Action tick);

  private:
    void bind(Control& control, std::function<void()> redraw);

    std::vector<Control*> bound_;
};

}  // namespace tarnwick::qtview
