#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace tarnwick {

// The window's controls as plain data. Each tells its view when it changes, so a view only
// draws what the form model decided.
class Control {
  public:
    using Listener = std::function<void()>;

    void setListener(Listener listener) { listener_ = std::move(listener); }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { assign(enabled_, enabled); }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible); }
    // The hint shown while the mouse rests on the control; empty for none.
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string toolTip) { assign(toolTip_, std::move(toolTip)); }

  protected:
    template <typename T>
    void assign(T& field, T value) {
        if (field != value) {
            field = std::move(value);
            changed();
        }
    }
    void changed() {
        if (listener_) {
            listener_();
        }
    }

  private:
    Listener listener_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string toolTip_;
};

// A button, label, frame or tab: something with a caption the user reads.
class Captioned : public Control {
  public:
    explicit Captioned(std::string_view caption = {}) : caption_(caption) {}
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }

  private:
    std::string caption_;
};

using Button = Captioned;
using Label = Captioned;

class TextBox : public Control {
  public:
    explicit TextBox(std::string text = {}) : text_(std::move(text)) {}
    const std::string& text() const { return text_; }
    void setText(std::string text) { assign(text_, std::move(text)); }

  private:
    std::string text_;
};

// A check box's value is 0 (clear) or 1 (ticked).
class CheckBox : public Captioned {
  public:
    CheckBox(std::string_view caption, int value) : Captioned(caption), value_(value) {}
    int value() const { return value_; }
    void setValue(int value) { assign(value_, value); }

  private:
    int value_;
};

class OptionButton : public Captioned {
  public:
    explicit OptionButton(std::string_view caption) : Captioned(caption) {}
    bool value() const { return value_; }
    void setValue(bool value) { assign(value_, value); }

  private:
    bool value_ = false;
};

// The index of the selected button of an option group (the first when none is).
template <std::size_t N>
int SelectedIndex(const std::array<OptionButton, N>& group) {
    for (std::size_t i = 0; i < N; ++i) {
        if (group[i].value()) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

// An option group whose buttons stand in the order of a mode's values: the button of a mode, the
// selected mode, and selecting one mode's button alone.
template <typename Mode, std::size_t N>
OptionButton& ButtonOf(std::array<OptionButton, N>& group, Mode mode) {
    return group.at(static_cast<std::size_t>(mode));
}
template <typename Mode, std::size_t N>
Mode SelectedMode(const std::array<OptionButton, N>& group) {
    return static_cast<Mode>(SelectedIndex(group));
}
template <typename Mode, std::size_t N>
void SelectMode(std::array<OptionButton, N>& group, Mode mode) {
    for (std::size_t i = 0; i < N; ++i) {
        group[i].setValue(i == static_cast<std::size_t>(mode));
    }
}

// A picture control: which picture it shows, by name, and whether it shows.
class Image : public Control {
  public:
    explicit Image(std::string picture = {}) : picture_(std::move(picture)) {}
    const std::string& picture() const { return picture_; }
    void setPicture(std::string picture) { assign(picture_, std::move(picture)); }

  private:
    std::string picture_;
};

class Timer : public Control {
  public:
    explicit Timer(int intervalMs) : intervalMs_(intervalMs) {}
    int interval() const { return intervalMs_; }

  private:
    int intervalMs_;
};

// A list box. Lines can go in at both ends; the log takes 100,000 lines at its top without
// slowing, so the items live in a deque and views hear of each change by rows. Given a
// capacity, the list drops its oldest line whenever a new one would pass it.
class ListBox : public Control {
  public:
    struct Change {
        enum Kind { InsertedFirst, Appended, Removed, ItemChanged, Cleared } kind;
        int index;  // the row concerned
    };
    using RowListener = std::function<void(const Change&)>;

    void setRowListener(RowListener listener) { rowListener_ = std::move(listener); }

    int listCount() const { return static_cast<int>(items_.size()); }
    const std::string& list(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    const std::deque<std::string>& items() const { return items_; }

    // The selected row, or -1.
    int listIndex() const { return listIndex_; }
    void setListIndex(int index);

    // 0 for no limit.
    void setCapacity(int lines) { capacity_ = static_cast<std::size_t>(lines); }

    void addItem(std::string item);
    void insertFirst(std::string item);
    void setItem(int index, std::string item);
    void removeItem(int index);
    void clear();

  private:
    void notifyRows(Change::Kind kind, int index);
    void keepCapacity();

    std::deque<std::string> items_;
    // When each item came in, and how many of the first items came in at the top.
    std::deque<std::uint64_t> arrivals_;
    std::uint64_t nextArrival_ = 0;
    std::size_t insertedFirst_ = 0;
    std::size_t capacity_ = 0;
    int listIndex_ = -1;
    RowListener rowListener_;
};

}  // namespace tarnwick
