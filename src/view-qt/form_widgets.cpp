#include "view-qt/form_widgets.h"

#include <qdrawutil.h>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace tarnwick::qtview {

FramePanel::FramePanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void FramePanel::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void FramePanel::setCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

void FramePanel::setCaptionColor(const QColor& color) {
    captionColor_ = color;
    update();
}

void FramePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(captionFont_);
    const int top = metrics.height() / 2;
    const QRect border = rect().adjusted(0, top, -1, -1);

    // An etched border: a dark line with a light one beside it.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.adjusted(1, 1, 0, 0));

    if (caption_.isEmpty()) {
        return;
    }
    const int left = 8;
    const QRect text(left, 0, metrics.horizontalAdvance(caption_) + 4, metrics.height());
    painter.fillRect(text, palette().color(QPalette::Window));
    painter.setFont(captionFont_);
    painter.setPen(captionColor_.isValid() ? captionColor_ : palette().color(QPalette::WindowText));
    painter.drawText(text, Qt::AlignCenter, caption_);
}

FormShape::FormShape(Kind kind, QColor color, int thickness, QWidget* parent)
    : QWidget(parent), kind_(kind), color_(color), thickness_(thickness) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FormShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (kind_ == Kind::Line) {
        painter.fillRect(rect(), color_);
        return;
    }
    QPen pen(color_);
    pen.setWidth(thickness_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const int inset = thickness_ / 2;
    painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void FlatButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    qDrawShadePanel(&painter, rect(), palette(), isDown(), 2);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_ToolButtonLabel, option);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void ListBoxView::paintEvent(QPaintEvent* event) {
    executeDelayedItemsLayout();
    QListView::paintEvent(event);
}

}  // namespace tarnwick::qtview
