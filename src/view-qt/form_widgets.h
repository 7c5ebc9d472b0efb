#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QListView>
#include <QString>
#include <QToolButton>
#include <QWidget>

namespace tarnwick::qtview {

// A frame: a filled panel with an etched border that its caption interrupts at the top left.
// Its caption has a font and colour of its own; the controls inside keep the frame's font.
class FramePanel : public QWidget {
    Q_OBJECT

  public:
    explicit FramePanel(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QFont captionFont() const { return captionFont_; }
    void setCaptionFont(const QFont& font);
    QColor captionColor() const { return captionColor_; }
    void setCaptionColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
    QFont captionFont_;
    QColor captionColor_;
};

// A rectangle or a line drawn over the form: a shape, not a control. Mouse events go through it
// to whatever lies beneath.
class FormShape : public QWidget {
    Q_OBJECT

  public:
    enum class Kind { Rectangle, Line };
    FormShape(Kind kind, QColor color, int thickness, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    int thickness() const { return thickness_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Kind kind_;
    QColor color_;
    int thickness_;
};

// A label that tells when the left button is released over it.
class ClickLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture button with a face colour of its own, drawn flat in its palette's button colour
// with a raised edge (sunken while pressed), as the system draws it: a style would shade it.
class FlatButton : public QToolButton {
    Q_OBJECT

  public:
    explicit FlatButton(QWidget* parent = nullptr) : QToolButton(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A list box's view. QListView forgets its layout at every inserted row and paints from a layout
// it makes later, on a timer; during a pass the paint comes first, so the log would show empty
// while lines pour in at its top. This view lays out before it paints, as QTreeView does.
class ListBoxView : public QListView {
    Q_OBJECT

  public:
    explicit ListBoxView(QWidget* parent = nullptr) : QListView(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarnwick::qtview
