#pragma once

// The main window and the task chooser as data: every control with its kind, its parent, its
// place in twips, its caption's font, its colours and picture, and the model's control and
// handler behind it. The items stand in the order the Tab key goes, which is also the order the
// views create them. Both views build their widgets by walking these tables.
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/controls.h"

namespace tarnwick {

class Dialog;
class FrmMain;

namespace form {

enum class Kind {
    TabControl,
    TabPage,        // a page of its parent tab control: its caption and picture
    Frame,          // a captioned panel; the items whose parent it is lie on it
    PictureButton,  // a push button with its picture above its caption
    Button,
    TextBox,
    CheckBox,
    Option,  // an option button; options that follow each other form one group
    ListBox,
    Log,  // the message log: a list box of up to 100,000 lines
    Label,
    Image,
    Barcode,    // the fixed two-dimensional barcode picture
    Rectangle,  // an outline drawn on a frame, under its controls
    Line,
    DriveList,
    FolderList,
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A colour of the form: the system's own for that part of the control, a red-green-blue of the
// form's, or the system's highlight colour.
struct Colour {
    enum class Source { System, Rgb, Highlight };
    Source source = Source::System;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool isSystem() const { return source == Source::System; }
};

constexpr Colour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return {Colour::Source::Rgb, red, green, blue};
}
inline constexpr Colour kHighlight{Colour::Source::Highlight};

// Caption sizes in points.
inline constexpr double kNormalPoints = 9.75;
inline constexpr double kMediumPoints = 10.5;
inline constexpr double kLargePoints = 11.25;
inline constexpr double kHintPoints = 9.0;

// The model's control behind an item; none for a shape or the tab control itself.
using ControlRef =
    std::variant<std::monostate, Captioned*, TextBox*, CheckBox*, OptionButton*, ListBox*, Image*>;

// How an item looks and where it stands.
struct Look {
    std::string_view name{};  // an array's element with its index in brackets: "Option2(1)"
    Kind kind{};
    std::string_view parent{};  // "" for the window itself
    TwipsRect place{};          // from the parent's top left; a tab page's from its page area
    double points = kNormalPoints;
    bool bold = false;
    Colour background{};
    Colour foreground{};         // the caption's or text's colour; a shape's outline or fill
    std::string_view picture{};  // a fixed picture, by name
    int pictureTwips = 0;        // the side of the pictures the item shows
    bool wraps = false;          // a label whose text wraps
    bool scrollsAcross = false;  // a list with a horizontal scroll bar
};

template <typename Model>
struct Item {
    Look look;
    ControlRef (*control)(Model&) = nullptr;
    // The user's click, a check box's click with its new value, or the choice of a list's row;
    // null when the item has none.
    void (*event)(Model&, int value) = nullptr;
};

template <typename Model>
struct Layout {
    std::string_view name;
    int clientWidth;  // twips
    int clientHeight;
    double points;  // the captions' size where an item gives none
    std::span<const Item<Model>> items;
};

const Layout<FrmMain>& MainWindowLayout();
const Layout<Dialog>& TaskChooserLayout();

// An item as a view builds it: its look, with the control and the event of one model.
struct BoundItem {
    const Look& look;
    ControlRef control;
    std::function<void(int)> event;  // empty when the item has none

    // The model's control, of the type the item's kind has.
    template <typename T>
    T& as() const {
        return *std::get<T*>(control);
    }
    std::function<void()> click() const {
        return [event = event] { event(0); };
    }
};

template <typename Model>
std::vector<BoundItem> Bind(const Layout<Model>& layout, Model& model) {
    std::vector<BoundItem> bound;
    bound.reserve(layout.items.size());
    for (const Item<Model>& item : layout.items) {
        std::function<void(int)> event;
        if (item.event != nullptr) {
            event = [&model, handler = item.event](int value) { handler(model, value); };
        }
        bound.push_back({item.look, item.control != nullptr ? item.control(model) : ControlRef(),
                         std::move(event)});
    }
    return bound;
}

// The form is laid out in twips, 1440 to the inch: 15 to the pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;

int TwipsToPixels(int twips, double dotsPerInch);
// A rectangle's edges are converted, not its width, so that controls that touch in twips still
// touch in pixels.
PixelRect TwipsToPixels(const TwipsRect& rect, double dotsPerInch);

// Each step further in indents a row of the chooser's folder list by this much.
inline constexpr int kFolderIndentTwips = 180;

}  // namespace form
}  // namespace tarnwick
