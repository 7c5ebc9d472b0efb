#pragma once

#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

#include "ui/form_layout.h"

class QWidget;

namespace tarnwick::qtview {

class ControlBinder;
class Pictures;

// Builds a form's widgets by walking its layout: each item becomes a widget under its name, at
// its place in twips scaled to the screen, in its caption's font and its colours, bound to its
// control. Widgets are made in the order of the items, which is the order the Tab key goes.
class FormBuilder {
  public:
    // Makes the widget of an item of a kind the builder leaves to its form (the chooser's lists).
    using Extra = std::function<QWidget*(const form::BoundItem& item, QWidget* parent)>;

    FormBuilder(QWidget& form, const Pictures& pictures, ControlBinder& binder);

    template <typename Model>
    void build(const form::Layout<Model>& layout, Model& model, const Extra& extra = {}) {
        build(layout.name, QSize(layout.clientWidth, layout.clientHeight), layout.points,
              form::Bind(layout, model), extra);
    }

    // The widget of that item; null before it is built.
    QWidget* widget(std::string_view name) const;
    // A widget of the item's name at the item's place, in its font.
    template <typename W>
    W* place(const form::Look& look, QWidget* parent) const {
        auto* widget = new W(parent);
        name(widget, look);
        return widget;
    }
    int pixels(int twips) const;

  private:
    void build(std::string_view name, QSize clientTwips, double points,
               const std::vector<form::BoundItem>& items, const Extra& extra);
    QWidget* make(const form::BoundItem& item, QWidget* parent);
    QWidget* makeButton(const form::BoundItem& item, QWidget* parent);
    QWidget* makeLabel(const form::BoundItem& item, QWidget* parent);
    QWidget* makeShape(const form::Look& look, QWidget* parent);
    void name(QWidget* widget, const form::Look& look) const;
    QFont font(const form::Look& look) const;

    QWidget& form_;
    const Pictures& pictures_;
    ControlBinder& bind_;
    double dpi_;
    QString family_;
    QHash<QString, QWidget*> widgets_;
};

}  // namespace tarnwick::qtview
