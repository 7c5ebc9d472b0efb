#include "view-qt/form_builder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <stdexcept>

#include "view-qt/control_binder.h"
#include "view-qt/form_metrics.h"
#include "view-qt/form_widgets.h"
#include "view-qt/list_box_model.h"
#include "view-qt/pictures.h"

namespace tarnwick::qtview {
namespace {

using form::Kind;

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const form::Colour& colour) {
    if (colour.isSystem()) {
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(role, ColourOf(colour, palette, role));
    widget->setPalette(palette);
}

}  // namespace

FormBuilder::FormBuilder(QWidget& form, const Pictures& pictures, ControlBinder& binder)
    : form_(form),
      pictures_(pictures),
      bind_(binder),
      dpi_(DotsPerInch(&form)),
      family_(CaptionFamily()) {}

QWidget* FormBuilder::widget(std::string_view name) const {
    return widgets_.value(Latin(name), nullptr);
}

int FormBuilder::pixels(int twips) const {
    return TwipsToPixels(twips, dpi_);
}

void FormBuilder::name(QWidget* widget, const form::Look& look) const {
    widget->setObjectName(Latin(look.name));
    widget->setGeometry(TwipsRect(look.place, dpi_));
    if (look.kind != Kind::Frame && look.kind != Kind::TabControl) {
        widget->setFont(font(look));  // their fonts are their captions', not their contents'
    }
}

QFont FormBuilder::font(const form::Look& look) const {
    return CaptionFont(family_, look.points, look.bold);
}

void FormBuilder::build(std::string_view name, QSize clientTwips, double points,
                        const std::vector<form::BoundItem>& items, const Extra& extra) {
    form_.setObjectName(Latin(name));
    form_.setFont(CaptionFont(family_, points));
    form_.setFixedSize(TwipsRect({0, 0, clientTwips.width(), clientTwips.height()}, dpi_).size());
    for (const form::BoundItem& item : items) {
        QWidget* parent = item.look.parent.empty() ? &form_ : widget(item.look.parent);
        QWidget* made = parent != nullptr ? make(item, parent) : nullptr;
        if (made == nullptr && parent != nullptr && extra) {
            made = extra(item, parent);
        }
        if (made == nullptr) {
            throw std::logic_error("the form has no widget for " + std::string(item.look.name));
        }
        widgets_.insert(Latin(item.look.name), made);
    }
}

QWidget* FormBuilder::make(const form::BoundItem& item, QWidget* parent) {
    const form::Look& look = item.look;
    switch (look.kind) {
        case Kind::TabControl: {
            auto* tabs = place<QTabWidget>(look, parent);
            tabs->tabBar()->setFont(font(look));
            tabs->setIconSize(QSize(pixels(look.pictureTwips), pixels(look.pictureTwips)));
            return tabs;
        }
        case Kind::TabPage: {
            auto* tabs = qobject_cast<QTabWidget*>(parent);
            auto* page = new QWidget(tabs);
            page->setObjectName(Latin(look.name));
            const int index = tabs->addTab(page, pictures_.icon(Latin(look.picture)), {});
            bind_.tab(tabs, index, item.as<Captioned>());
            return page;
        }
        case Kind::Frame: {
            auto* frame = place<FramePanel>(look, parent);
            frame->setCaptionFont(font(look));
            SetColour(frame, QPalette::Window, look.background);
            if (!look.foreground.isSystem()) {
                frame->setCaptionColor(
                    ColourOf(look.foreground, frame->palette(), QPalette::WindowText));
            }
            bind_.frame(frame, item.as<Captioned>());
            return frame;
        }
        case Kind::PictureButton:
        case Kind::Button:
            return makeButton(item, parent);
        case Kind::TextBox: {
            auto* box = place<QLineEdit>(look, parent);
            SetColour(box, QPalette::Base, look.background);
            bind_.text(box, item.as<TextBox>());
            return box;
        }
        case Kind::CheckBox: {
            auto* box = place<QCheckBox>(look, parent);
            bind_.check(box, item.as<CheckBox>(), item.event);
            return box;
        }
        case Kind::Option: {
            auto* option = place<QRadioButton>(look, parent);
            bind_.option(option, item.as<OptionButton>(), item.click());
            return option;
        }
        case Kind::ListBox:
        case Kind::Log: {
            auto* list = place<ListBoxView>(look, parent);
            list->setModel(new ListBoxModel(item.as<ListBox>(), list));
            list->setUniformItemSizes(true);
            list->setEditTriggers(QAbstractItemView::NoEditTriggers);
            SetColour(list, QPalette::Base, look.background);
            bind_.list(list, item.as<ListBox>());
            return list;
        }
        case Kind::Label:
            return makeLabel(item, parent);
        case Kind::Image:
        case Kind::Barcode: {
            auto* image = place<QLabel>(look, parent);
            image->setAlignment(Qt::AlignCenter);
            const int side = pixels(look.pictureTwips);
            const Pictures* pictures = &pictures_;
            QWidget* form = &form_;
            bind_.image(image, item.as<Image>(), [pictures, form, side](const std::string& name) {
                return pictures->pixmap(name, side, form->devicePixelRatioF());
            });
            return image;
        }
        case Kind::Rectangle:
        case Kind::Line:
            return makeShape(look, parent);
        case Kind::DriveList:
        case Kind::FolderList:
            break;
    }
    return nullptr;
}

QWidget* FormBuilder::makeButton(const form::BoundItem& item, QWidget* parent) {
    const form::Look& look = item.look;
    QAbstractButton* button = nullptr;
    if (look.kind == Kind::PictureButton) {
        // A button with a face colour of its own shows it flat, as the system draws it.
        QToolButton* tool = look.background.isSystem() ? place<QToolButton>(look, parent)
                                                       : place<FlatButton>(look, parent);
        tool->setIcon(pictures_.icon(Latin(look.picture)));
        tool->setIconSize(QSize(pixels(look.pictureTwips), pixels(look.pictureTwips)));
        tool->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        SetColour(tool, QPalette::Button, look.background);
        button = tool;
    } else {
        button = place<QPushButton>(look, parent);
    }
    bind_.button(button, item.as<Captioned>(), item.click());
    return button;
}

QWidget* FormBuilder::makeLabel(const form::BoundItem& item, QWidget* parent) {
    const form::Look& look = item.look;
    QLabel* label = nullptr;
    if (item.event) {
        auto* clickable = place<ClickLabel>(look, parent);
        bind_.label(clickable, item.as<Captioned>(), item.click());
        label = clickable;
    } else {
        label = place<QLabel>(look, parent);
        bind_.label(label, item.as<Captioned>());
    }
    if (look.wraps) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    SetColour(label, QPalette::WindowText, look.foreground);
    return label;
}

QWidget* FormBuilder::makeShape(const form::Look& look, QWidget* parent) {
    const QColor colour = ColourOf(look.foreground, parent->palette(), QPalette::WindowText);
    const QRect place = TwipsRect(look.place, dpi_);
    // A rectangle's outline is one pixel wide; a line is as thick as it is high.
    auto* shape = look.kind == Kind::Line
                      ? new FormShape(FormShape::Kind::Line, colour, place.height(), parent)
                      : new FormShape(FormShape::Kind::Rectangle, colour, 1, parent);
    shape->setObjectName(Latin(look.name));
    shape->setGeometry(place);
    return shape;
}

}  // namespace tarnwick::qtview
