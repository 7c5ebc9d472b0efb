#include "view-qt/control_binder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <limits>
#include <memory>

#include "view-qt/form_widgets.h"
#include "view-qt/list_box_model.h"
#include "view-qt/qt_text.h"

namespace tarnwick::qtview {
namespace {

// What every control has: enabled, visible, a hint.
void RedrawCommon(QWidget* widget, const Control& control) {
    widget->setEnabled(control.enabled());
    if (widget->isHidden() == control.visible()) {
        widget->setVisible(control.visible());
    }
    const QString tip = Text(control.toolTip());
    if (widget->toolTip() != tip) {
        widget->setToolTip(tip);
    }
}

// Shows a caption, which is also the name a screen reader reads: a frame or a tab page draws its
// caption itself, and a picture button's picture says nothing.
QString Caption(QWidget* widget, const Captioned& control) {
    QString caption = Text(control.caption());
    if (widget->accessibleName() != caption) {
        widget->setAccessibleName(caption);
    }
    return caption;
}

}  // namespace

ControlBinder::~ControlBinder() {
    for (Control* control : bound_) {
        control->setListener({});
    }
}

void ControlBinder::bind(Control& control, std::function<void()> redraw) {
    redraw();
    control.setListener(std::move(redraw));
    bound_.push_back(&control);
}

void ControlBinder::button(QAbstractButton* widget, Captioned& control, Action clicked) {
    auto redraw = [widget, &control] {
        RedrawCommon(widget, control);
        widget->setText(Caption(widget, control));
    };
    QObject::connect(widget, &QAbstractButton::clicked, widget, [clicked, redraw] {
        clicked();
        redraw();
    });
    bind(control, redraw);
}

void ControlBinder::label(QLabel* widget, Captioned& control) {
    bind(control, [widget, &control] {
        RedrawCommon(widget, control);
        widget->setText(Caption(widget, control));
    });
}

void ControlBinder::label(ClickLabel* widget, Captioned& control, Action clicked) {
    QObject::connect(widget, &ClickLabel::clicked, widget, std::move(clicked));
    label(static_cast<QLabel*>(widget), control);
}

void ControlBinder::frame(FramePanel* widget, Captioned& control) {
    bind(control, [widget, &control] {
        RedrawCommon(widget, control);
        widget->setCaption(Caption(widget, control));
    });
}

void ControlBinder::tab(QTabWidget* widget, int index, Captioned& control) {
    bind(control, [widget, index, &control] {
        widget->setTabText(index, Caption(widget->widget(index), control));
        widget->setTabToolTip(index, Text(control.toolTip()));
    });
}

void ControlBinder::text(QLineEdit* widget, TextBox& control) {
    widget->setMaxLength(std::numeric_limits<int>::max());  // no text box limits its text
    // Every change of the text reaches the model, whoever makes it (the user, a paste, a screen
    // reader, a program), except the one the redraw makes from the model itself.
    auto redrawing = std::make_shared<bool>(false);
    QObject::connect(widget, &QLineEdit::textChanged, widget,
                     [&control, redrawing](const QString& text) {
                         if (!*redrawing) {
                             control.setText(text.toStdString());
                         }
                     });
    bind(control, [widget, &control, redrawing] {
        RedrawCommon(widget, control);
        const QString text = Text(control.text());
        if (widget->text() != text) {
            *redrawing = true;
            widget->setText(text);
            *redrawing = false;
        }
    });
}

void ControlBinder::check(QCheckBox* widget, CheckBox& control, std::function<void(int)> clicked) {
    auto redraw = [widget, &control] {
        RedrawCommon(widget, control);
        widget->setText(Caption(widget, control));
        widget->setChecked(control.value() != 0);
    };
    QObject::connect(widget, &QCheckBox::clicked, widget, [clicked, redraw](bool checked) {
        clicked(checked ? 1 : 0);
        redraw();
    });
    bind(control, redraw);
}

void ControlBinder::option(QRadioButton* widget, OptionButton& control, Action clicked) {
    // The model keeps one button of a group selected; Qt's own grouping would fight it.
    widget->setAutoExclusive(false);
    auto redraw = [widget, &control] {
        RedrawCommon(widget, control);
        widget->setText(Caption(widget, control));
        widget->setChecked(control.value());
    };
    QObject::connect(widget, &QRadioButton::clicked, widget, [clicked, redraw] {
        clicked();
        redraw();
    });
    bind(control, redraw);
}

void ControlBinder::list(QAbstractItemView* widget, ListBox& control) {
    auto* rows = qobject_cast<ListBoxModel*>(widget->model());
    Q_ASSERT(rows != nullptr && &rows->box() == &control);
    // While the selection is set from the control, or moves by itself as rows come and go, it is
    // not the user's choice.
    auto redrawing = std::make_shared<bool>(false);
    QItemSelectionModel* selection = widget->selectionModel();
    QObject::connect(selection, &QItemSelectionModel::currentChanged, widget,
                     [&control, rows, redrawing](const QModelIndex& current) {
                         if (!*redrawing && !rows->changing()) {
                             control.setListIndex(current.isValid() ? current.row() : -1);
                         }
                     });
    bind(control, [widget, rows, selection, redrawing, &control] {
        *redrawing = true;
        RedrawCommon(widget, control);
        const int row = control.listIndex();
        if (row < 0) {
            if (selection->currentIndex().isValid() || selection->hasSelection()) {
                selection->clear();
            }
        } else {
            const QModelIndex index = rows->index(row);
            if (selection->currentIndex() != index || !selection->isSelected(index)) {
                selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            }
        }
        *redrawing = false;
    });
}

void ControlBinder::list(QComboBox* widget, ListBox& control, std::function<void(int)> chosen) {
    QObject::connect(widget, &QComboBox::activated, widget, std::move(chosen));
    bind(control, [widget, &control] {
        RedrawCommon(widget, control);
        if (widget->currentIndex() != control.listIndex()) {
            widget->setCurrentIndex(control.listIndex());
        }
    });
}

void ControlBinder::image(QLabel* widget, Image& control, PictureSource pictures) {
    bind(control, [widget, &control, pictures] {
        RedrawCommon(widget, control);
        const QString name = Text(control.picture());
        if (widget->property("picture").toString() != name || widget->pixmap().isNull()) {
            widget->setProperty("picture", name);
            widget->setPixmap(name.isEmpty() ? QPixmap() : pictures(control.picture()));
        }
    });
}

void ControlBinder::timer(QTimer* timer, Timer& control, Action tick) {
    timer->setInterval(control.interval());
    // A coarse timer may drift by a few seconds a tick, enough to step over the set minute of a
    // daily pass.
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(tick));
    bind(control, [timer, &control] {
        if (!control.enabled()) {
            timer->stop();
        } else if (!timer->isActive()) {
            timer->start();
        }
    });
}

}  // namespace tarnwick::qtview
