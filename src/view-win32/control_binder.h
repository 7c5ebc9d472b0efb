#pragma once

// Binds the window model's controls to the system's controls: each redraws when its control
// tells it has changed, and forwards the user's clicks, edits and choices to the model.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace tarnwick::win32view {

// Posted to the bound window when the log has new rows to show (see virtualList).
inline constexpr UINT kPaintListsMessage = WM_APP + 1;

class ControlBinder {
  public:
    using Action = std::function<void()>;
    using IconSource = std::function<HICON(const std::string& picture)>;

    // window: the parent of every bound control, which hands their notifications to command().
    explicit ControlBinder(HWND window);
    ~ControlBinder();
    ControlBinder(const ControlBinder&) = delete;
    ControlBinder& operator=(const ControlBinder&) = delete;

    // The tab page (0, 1) the controls bound from now on stand on; -1 for none. A control on a
    // page shows only while its page does.
    void setBuildingPage(int page) { buildingPage_ = page; }

    void button(HWND widget, Captioned& control, Action clicked);
    void label(HWND widget, Captioned& control, Action clicked = {});
    void tab(HWND widget, int index, Captioned& control);
    void text(HWND widget, TextBox& control);
    void check(HWND widget, CheckBox& control, std::function<void(int)> clicked);
    void option(HWND widget, OptionButton& control, Action clicked);
    // A list box holding its own strings.
    void list(HWND widget, ListBox& control);
    // An owner-drawn list box without data of its own (LBS_NODATA): its rows are drawn from the
    // model's lines, and it answers LB_GETTEXT and LB_GETTEXTLEN from them, so tools and tests
    // read it like any list box. Inserting a line costs the same at 100,000 lines as at 10; the
    // list box learns of new rows when the event loop runs again (paintLists).
    void virtualList(HWND widget, ListBox& control);
    // A drop-down list (the drive list).
    void dropDownList(HWND widget, ListBox& control, std::function<void(int)> chosen);
    void image(HWND widget, Image& control, IconSource icons);
    // A picture the window draws itself (an owner-drawn static): repainted when it changes.
    void drawnImage(HWND widget, Image& control);
    void timer(UINT id, Timer& control, Action tick);
    // A window without a control of its own (a frame's rectangle, the line): shown with its page.
    void decoration(HWND widget);

    // The messages that fill a list box or a combo box and read and set its selection, and the
    // notification of a new selection.
    struct RowMessages {
        UINT add, insert, remove, reset, getSelection, setSelection;
        int selectionChanged;
    };

    // Shows the controls of that tab page and hides the other page's.
    void showPage(int page);
    int page() const { return page_; }

    // A notification from a child control (WM_COMMAND); false when it is not a bound one.
    bool command(HWND widget, int code);
    // A WM_TIMER; false when it is not a bound timer.
    bool tick(UINT id);
    // Gives virtual lists the rows their models have gained or lost since the last call.
    void paintLists();

    // The window is going away: stop listening and touching it.
    void detach();
    bool detached() const { return detached_; }

  private:
    struct Binding {
        HWND widget = nullptr;
        Control* control = nullptr;
        int page = -1;
        bool enabled = true;
        bool shown = false;
        std::string toolTip;
        std::function<void()> redraw;
    };
    struct VirtualRows;

    Binding& add(HWND widget, Control* control);
    void listen(Binding& binding, std::function<void()> redraw);
    void redrawCommon(Binding& binding);
    bool shouldShow(const Binding& binding) const;
    void setToolTip(Binding& binding, const std::string& tip);
    void onCommand(HWND widget, std::function<void(int)> handler);
    void onClick(HWND widget, Binding* bound, Action clicked);
    void checkable(HWND widget, Captioned& control, std::function<bool()> checked, Action clicked);
    void rows(HWND widget, ListBox& control, const RowMessages& messages, Action rowsChanged,
              std::function<void(int)> chosen);

    HWND window_;
    HWND toolTips_ = nullptr;
    int buildingPage_ = -1;
    int page_ = 0;
    bool detached_ = false;
    std::vector<std::unique_ptr<Binding>> bindings_;
    std::vector<ListBox*> rowSources_;
    std::map<HWND, std::function<void(int)>> commands_;
    std::map<UINT, Action> ticks_;
    std::vector<std::unique_ptr<VirtualRows>> virtualRows_;
};

}  // namespace tarnwick::win32view
