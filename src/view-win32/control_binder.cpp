#include "view-win32/control_binder.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win32_text.h"
#include "view-win32/form_metrics.h"

namespace tarnwick::win32view {
namespace {

constexpr int kToolTipWidth = 400;
constexpr char kRowsProperty[] = "TarnwickRows";
constexpr char kOldProcProperty[] = "TarnwickListProc";

constexpr ControlBinder::RowMessages kListBoxRows{LB_ADDSTRING,    LB_INSERTSTRING, LB_DELETESTRING,
                                                  LB_RESETCONTENT, LB_GETCURSEL,    LB_SETCURSEL,
                                                  LBN_SELCHANGE};
constexpr ControlBinder::RowMessages kComboBoxRows{
    CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
    CB_GETCURSEL, CB_SETCURSEL,    CBN_SELCHANGE};

bool HasStyle(HWND widget, LONG style) {
    return (GetWindowLongW(widget, GWL_STYLE) & style) != 0;
}

// Answers the queries of an owner-drawn list box without data from the model's lines: its rows'
// texts, and their count, which the list box itself learns only when the event loop comes round
// to it (a query sent by another process is answered first).
LRESULT CALLBACK VirtualListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* rows = static_cast<const ListBox*>(GetPropA(list, kRowsProperty));
    auto* old = reinterpret_cast<WNDPROC>(GetPropA(list, kOldProcProperty));
    const int row = static_cast<int>(wParam);
    switch (message) {
        case LB_GETCOUNT:
            if (rows != nullptr) {
                return rows->listCount();
            }
            break;
        case LB_GETTEXTLEN:
            if (rows != nullptr) {
                return row >= 0 && row < rows->listCount()
                           ? static_cast<LRESULT>(Widen(rows->list(row)).size())
                           : LB_ERR;
            }
            break;
        case LB_GETTEXT:
            if (rows != nullptr) {
                if (row < 0 || row >= rows->listCount() || lParam == 0) {
                    return LB_ERR;
                }
                const std::wstring text = Widen(rows->list(row));
                auto* buffer = reinterpret_cast<wchar_t*>(lParam);
                std::copy(text.begin(), text.end(), buffer);
                buffer[text.size()] = L'\0';
                return static_cast<LRESULT>(text.size());
            }
            break;
        case WM_NCDESTROY:
            RemovePropA(list, kRowsProperty);
            RemovePropA(list, kOldProcProperty);
            SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            break;
        default:
            break;
    }
    return CallWindowProcW(old, list, message, wParam, lParam);
}

// A list box that scrolls sideways scrolls as far as its widest row reaches. For the short lists
// (source folders, file types) every row is measured at each change.
void FitWidestRow(HWND list, const ListBox& rows) {
    if (!HasStyle(list, WS_HSCROLL)) {
        return;
    }
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const auto& row : rows.items()) {
        const std::wstring text = Widen(row);
        SIZE size = {};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest > 0 ? widest + 8 : 0), 0);
}

// Shows the caption where the control's text differs from it; answers whether it did.
bool ShowCaption(HWND widget, const std::string& caption) {
    if (WindowText(widget) == caption) {
        return false;
    }
    SetWindowTextW(widget, Widen(caption).c_str());
    return true;
}

}  // namespace

// The width of a line in character cells, as a font of Chinese characters shows it: one for a
// character of the ASCII range, two for any other. Cheap enough for every line of a long pass.
std::size_t Cells(const std::string& utf8) {
    std::size_t cells = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            cells += 1;
        } else if (byte >= 0xC0) {
            cells += 2;  // the lead byte of a character beyond ASCII
        }
    }
    return cells;
}

// What a virtual list keeps between events: whether the list box waits for its new count, and the
// widest row for the horizontal scroll bar.
struct ControlBinder::VirtualRows {
    HWND list = nullptr;
    ListBox* model = nullptr;
    bool pending = false;
    std::size_t widestCells = 0;
    int widest = 0;
    HDC measure = nullptr;
    HFONT font = nullptr;

    ~VirtualRows() {
        if (measure != nullptr) {
            DeleteDC(measure);
        }
    }

    void forget() {
        widestCells = 0;
        widest = 0;
        SendMessageW(list, LB_SETHORIZONTALEXTENT, 0, 0);
    }

    // Only a row that may be the widest is measured in the font.
    void measureRow(int row) {
        const std::string& text = model->list(row);
        const std::size_t cells = Cells(text);
        if (cells <= widestCells) {
            return;
        }
        widestCells = cells;
        if (measure == nullptr) {
            measure = CreateCompatibleDC(nullptr);
        }
        const auto listFont = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
        if (listFont != font) {
            font = listFont;
            SelectObject(measure, font);
        }
        const std::wstring wide = Widen(text);
        SIZE size = {};
        GetTextExtentPoint32W(measure, wide.data(), static_cast<int>(wide.size()), &size);
        if (size.cx > widest) {
            widest = size.cx;
            SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
        }
    }

    // The list box takes the model's count and selection and repaints.
    void update() {
        pending = false;
        SendMessageW(list, LB_SETCOUNT, static_cast<WPARAM>(model->listCount()), 0);
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(model->listIndex()), 0);
        InvalidateRect(list, nullptr, TRUE);
    }
};

ControlBinder::ControlBinder(HWND window) : window_(window) {}

ControlBinder::~ControlBinder() {
    detach();
}

void ControlBinder::detach() {
    if (detached_) {
        return;
    }
    detached_ = true;
    for (auto& binding : bindings_) {
        if (binding->control != nullptr) {
            binding->control->setListener({});
        }
    }
    for (ListBox* list : rowSources_) {
        list->setRowListener({});
    }
}

ControlBinder::Binding& ControlBinder::add(HWND widget, Control* control) {
    auto binding = std::make_unique<Binding>();
    binding->widget = widget;
    binding->control = control;
    binding->page = buildingPage_;
    binding->enabled = IsWindowEnabled(widget) != FALSE;
    binding->shown = HasStyle(widget, WS_VISIBLE);
    bindings_.push_back(std::move(binding));
    return *bindings_.back();
}

void ControlBinder::listen(Binding& binding, std::function<void()> redraw) {
    binding.redraw = std::move(redraw);
    binding.redraw();
    Binding* bound = &binding;
    if (binding.control != nullptr) {
        binding.control->setListener([this, bound] {
            if (!detached_) {
                bound->redraw();
            }
        });
    }
}

bool ControlBinder::shouldShow(const Binding& binding) const {
    const bool visible = binding.control == nullptr || binding.control->visible();
    return visible && (binding.page < 0 || binding.page == page_);
}

void ControlBinder::redrawCommon(Binding& binding) {
    if (binding.control != nullptr && binding.control->enabled() != binding.enabled) {
        binding.enabled = binding.control->enabled();
        EnableWindow(binding.widget, binding.enabled ? TRUE : FALSE);
    }
    const bool show = shouldShow(binding);
    if (show != binding.shown) {
        binding.shown = show;
        ShowWindow(binding.widget, show ? SW_SHOWNA : SW_HIDE);
    }
    if (binding.control != nullptr && binding.control->toolTip() != binding.toolTip) {
        setToolTip(binding, binding.control->toolTip());
    }
}

void ControlBinder::setToolTip(Binding& binding, const std::string& tip) {
    if (toolTips_ == nullptr) {
        toolTips_ =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, nullptr, nullptr);
        SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, kToolTipWidth);
    }
    std::wstring text = Widen(tip);
    TOOLINFOW tool = {};
    // The size without the last field: comctl32 before version 6 refuses the larger record.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(binding.widget);
    tool.lpszText = text.data();
    if (binding.toolTip.empty()) {
        SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (tip.empty()) {
        SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    binding.toolTip = tip;
}

void ControlBinder::onCommand(HWND widget, std::function<void(int)> handler) {
    commands_[widget] = std::move(handler);
}

bool ControlBinder::command(HWND widget, int code) {
    if (detached_) {
        return false;
    }
    const auto found = commands_.find(widget);
    if (found == commands_.end()) {
        return false;
    }
    // A copy: the handler may end the window and this binder's maps with it.
    const auto handler = found->second;
    handler(code);
    return true;
}

bool ControlBinder::tick(UINT id) {
    if (detached_) {
        return false;
    }
    const auto found = ticks_.find(id);
    if (found == ticks_.end()) {
        return false;
    }
    const Action tick = found->second;
    tick();
    return true;
}

// A click on a button, check box or option button goes to the model; the control then shows at
// once what the model made of it.
void ControlBinder::onClick(HWND widget, Binding* bound, Action clicked) {
    onCommand(widget, [this, clicked, bound](int code) {
        if (code == BN_CLICKED) {
            clicked();
            if (!detached_) {
                bound->redraw();
            }
        }
    });
}

void ControlBinder::button(HWND widget, Captioned& control, Action clicked) {
    Binding& binding = add(widget, &control);
    Binding* bound = &binding;
    onClick(widget, bound, std::move(clicked));
    listen(binding, [this, bound, &control] {
        redrawCommon(*bound);
        ShowCaption(bound->widget, control.caption());
    });
}

void ControlBinder::label(HWND widget, Captioned& control, Action clicked) {
    Binding& binding = add(widget, &control);
    Binding* bound = &binding;
    if (clicked) {
        onCommand(widget, [clicked](int code) {
            if (code == STN_CLICKED) {
                clicked();
            }
        });
    }
    listen(binding, [this, bound, &control] {
        redrawCommon(*bound);
        if (ShowCaption(bound->widget, control.caption())) {
            // Owner-drawn statics (the frames) are not repainted by a new text of their own.
            InvalidateRect(bound->widget, nullptr, TRUE);
        }
    });
}

void ControlBinder::tab(HWND widget, int index, Captioned& control) {
    Binding& binding = add(widget, &control);
    listen(binding, [widget, index, &control] {
        std::wstring text = Widen(control.caption());
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(widget, TCM_SETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    });
}

void ControlBinder::text(HWND widget, TextBox& control) {
    Binding& binding = add(widget, &control);
    Binding* bound = &binding;
    SendMessageW(widget, EM_SETLIMITTEXT, 0, 0);  // no text box limits its text
    // While the box takes the model's text, its change notification is not the user's edit.
    auto settingText = std::make_shared<bool>(false);
    onCommand(widget, [&control, widget, settingText](int code) {
        if (code == EN_CHANGE && !*settingText) {
            control.setText(WindowText(widget));
        }
    });
    listen(binding, [this, bound, &control, settingText] {
        redrawCommon(*bound);
        if (WindowText(bound->widget) != control.text()) {
            *settingText = true;
            SetWindowTextW(bound->widget, Widen(control.text()).c_str());
            *settingText = false;
        }
    });
}

void ControlBinder::check(HWND widget, CheckBox& control, std::function<void(int)> clicked) {
    checkable(
        widget, control, [&control] { return control.value() != 0; },
        [widget, clicked] {
            clicked(SendMessageW(widget, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        });
}

void ControlBinder::option(HWND widget, OptionButton& control, Action clicked) {
    checkable(
        widget, control, [&control] { return control.value(); }, std::move(clicked));
}

void ControlBinder::checkable(HWND widget, Captioned& control, std::function<bool()> checked,
                              Action clicked) {
    Binding& binding = add(widget, &control);
    Binding* bound = &binding;
    onClick(widget, bound, std::move(clicked));
    listen(binding, [this, bound, &control, checked] {
        redrawCommon(*bound);
        ShowCaption(bound->widget, control.caption());
        SendMessageW(bound->widget, BM_SETCHECK, checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    });
}

void ControlBinder::list(HWND widget, ListBox& control) {
    rows(
        widget, control, kListBoxRows, [widget, &control] { FitWidestRow(widget, control); },
        [&control](int row) { control.setListIndex(row); });
    FitWidestRow(widget, control);
}

// The rows of a list box or a combo box that keeps its own strings, kept in step with the model's
// rows, and its selection with the model's.
void ControlBinder::rows(HWND widget, ListBox& control, const RowMessages& messages,
                         Action rowsChanged, std::function<void(int)> chosen) {
    Binding& binding = add(widget, &control);
    Binding* bound = &binding;
    const auto put = [widget, &control](UINT message, WPARAM at, int row) {
        SendMessageW(widget, message, at,
                     reinterpret_cast<LPARAM>(Widen(control.list(row)).c_str()));
    };
    for (int row = 0; row < control.listCount(); ++row) {
        put(messages.add, 0, row);
    }
    control.setRowListener([widget, messages, put, rowsChanged](const ListBox::Change& change) {
        const auto row = static_cast<WPARAM>(change.index);
        switch (change.kind) {
            case ListBox::Change::Appended:
                put(messages.add, 0, change.index);
                break;
            case ListBox::Change::InsertedFirst:
                put(messages.insert, 0, 0);
                break;
            case ListBox::Change::Removed:
                SendMessageW(widget, messages.remove, row, 0);
                break;
            case ListBox::Change::ItemChanged:
                SendMessageW(widget, messages.remove, row, 0);
                put(messages.insert, row, change.index);
                break;
            case ListBox::Change::Cleared:
                SendMessageW(widget, messages.reset, 0, 0);
                break;
        }
        if (rowsChanged) {
            rowsChanged();
        }
    });
    rowSources_.push_back(&control);
    onCommand(widget, [widget, messages, chosen](int code) {
        if (code == messages.selectionChanged) {
            chosen(static_cast<int>(SendMessageW(widget, messages.getSelection, 0, 0)));
        }
    });
    listen(binding, [this, bound, messages, &control] {
        redrawCommon(*bound);
        if (SendMessageW(bound->widget, messages.getSelection, 0, 0) != control.listIndex()) {
            SendMessageW(bound->widget, messages.setSelection,
                         static_cast<WPARAM>(control.listIndex()), 0);
        }
    });
}

void ControlBinder::virtualList(HWND widget, ListBox& control) {
    Binding& binding = add(widget, &control);
    Binding* bound = &binding;
    auto rows = std::make_unique<VirtualRows>();
    rows->list = widget;
    rows->model = &control;
    VirtualRows* state = rows.get();
    virtualRows_.push_back(std::move(rows));

    // The owner-drawn list box without data keeps no strings, and the system copies a string
    // across processes only for a list box whose style says it has them.
    SetWindowLongW(widget, GWL_STYLE, GetWindowLongW(widget, GWL_STYLE) | LBS_HASSTRINGS);
    SetPropA(widget, kRowsProperty, &control);
    SetPropA(widget, kOldProcProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(widget, GWLP_WNDPROC)));
    SetWindowLongPtrW(widget, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(VirtualListProc));

    for (int row = 0; row < control.listCount(); ++row) {
        state->measureRow(row);
    }
    state->update();
    control.setRowListener([this, state](const ListBox::Change& change) {
        // The list box hears of its rows once the event loop runs again (at the pass's next
        // yield at the latest), with all of them at once: told row by row, it would cost far
        // more than the rows.
        if (!state->pending) {
            state->pending = true;
            PostMessageW(window_, kPaintListsMessage, 0, 0);
        }
        if (change.kind == ListBox::Change::Cleared) {
            state->forget();
        } else if (change.kind != ListBox::Change::Removed) {
            state->measureRow(change.index);
        }
    });
    rowSources_.push_back(&control);
    onCommand(widget, [widget, &control](int code) {
        if (code == LBN_SELCHANGE) {
            control.setListIndex(static_cast<int>(SendMessageW(widget, LB_GETCURSEL, 0, 0)));
        }
    });
    listen(binding, [this, bound, state, &control] {
        redrawCommon(*bound);
        // While rows wait, so does the selection: the list box has not the rows it names yet.
        if (!state->pending &&
            SendMessageW(bound->widget, LB_GETCURSEL, 0, 0) != control.listIndex()) {
            SendMessageW(bound->widget, LB_SETCURSEL, static_cast<WPARAM>(control.listIndex()), 0);
        }
    });
}

void ControlBinder::paintLists() {
    if (detached_) {
        return;
    }
    for (auto& rows : virtualRows_) {
        if (rows->pending) {
            rows->update();
        }
    }
}

void ControlBinder::dropDownList(HWND widget, ListBox& control, std::function<void(int)> chosen) {
    rows(widget, control, kComboBoxRows, {}, std::move(chosen));
}

void ControlBinder::image(HWND widget, Image& control, IconSource icons) {
    Binding& binding = add(widget, &control);
    Binding* bound = &binding;
    auto shown = std::make_shared<std::string>();
    listen(binding, [this, bound, &control, icons, shown] {
        redrawCommon(*bound);
        if (*shown != control.picture()) {
            *shown = control.picture();
            SendMessageW(bound->widget, STM_SETICON,
                         reinterpret_cast<WPARAM>(icons(control.picture())), 0);
        }
    });
}

void ControlBinder::drawnImage(HWND widget, Image& control) {
    Binding& binding = add(widget, &control);
    Binding* bound = &binding;
    listen(binding, [this, bound] {
        redrawCommon(*bound);
        InvalidateRect(bound->widget, nullptr, TRUE);
    });
}

void ControlBinder::timer(UINT id, Timer& control, Action tick) {
    ticks_[id] = std::move(tick);
    Binding& binding = add(window_, &control);
    binding.page = -1;
    auto running = std::make_shared<bool>(false);
    const HWND window = window_;
    listen(binding, [window, id, &control, running] {
        if (control.enabled() && !*running) {
            *running = SetTimer(window, id, static_cast<UINT>(control.interval()), nullptr) != 0;
        } else if (!control.enabled() && *running) {
            KillTimer(window, id);
            *running = false;
        }
    });
}

void ControlBinder::decoration(HWND widget) {
    Binding& binding = add(widget, nullptr);
    Binding* bound = &binding;
    listen(binding, [this, bound] { redrawCommon(*bound); });
}

void ControlBinder::showPage(int page) {
    page_ = page;
    for (auto& binding : bindings_) {
        if (binding->page >= 0) {
            redrawCommon(*binding);
        }
    }
}

}  // namespace tarnwick::win32view
