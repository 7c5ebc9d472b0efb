#include "view-win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "common/win32_text.h"
#include "ui/form_layout.h"
#include "ui/frm_main.h"
#include "view-win32/control_id.h"
#include "view-win32/control_ids.h"
#include "view-win32/form_metrics.h"
#include "view-win32/owner_draw.h"
#include "view-win32/pictures.h"
#include "view-win32/single_instance.h"
#include "view-win32/tray_icon.h"

namespace tarnwick::win32view {
namespace {

using form::Kind;

constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

constexpr DWORD kListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

}  // namespace

// Creates a child window for every item of the form's layout, in the order of the items (which
// is also the order the Tab key goes), each at its place and bound to its control. Every child
// is a child of the window itself: a page's items stand over the tab control's page area, a
// frame's over the frame.
class MainWindow::Builder {
  public:
    Builder(MainWindow& window, FrmMain& model) : w_(window), m_(model) {}

    void build();

  private:
    HWND make(const form::BoundItem& item);
    // A child window. Every child starts a group of its own unless it continues an option group.
    HWND create(const wchar_t* className, DWORD style, const form::Look& look, DWORD exStyle = 0,
                bool continuesGroup = false);
    HWND makeTabPage(const form::BoundItem& item);
    const form::Look* find(std::string_view name) const;
    RECT pixels(const form::Look& look) const;
    // The tab page (0, 1) an item stands on; -1 for none.
    int pageOf(const form::Look& look) const;
    // The item's own colours; what is drawn on a frame's surface has the frame's background.
    void colour(int id, const form::Look& look);

    MainWindow& w_;
    FrmMain& m_;
    std::vector<form::BoundItem> items_;
    std::map<std::string_view, int> pages_;
    POINT page_ = {};
    HWND pageBackdrop_ = nullptr;
    std::vector<HWND> frames_;
    std::vector<HWND> shapes_;
    bool afterOption_ = false;
};

const form::Look* MainWindow::Builder::find(std::string_view name) const {
    for (const form::BoundItem& item : items_) {
        if (item.look.name == name) {
            return &item.look;
        }
    }
    return nullptr;
}

RECT MainWindow::Builder::pixels(const form::Look& look) const {
    form::TwipsRect twips = look.place;
    POINT origin = {0, 0};
    for (const form::Look* parent = find(look.parent); parent != nullptr;
         parent = find(parent->parent)) {
        if (parent->kind == Kind::TabPage) {
            origin = page_;
            break;
        }
        twips.left += parent->place.left;
        twips.top += parent->place.top;
    }
    RECT rect = TwipsRect(twips, w_.dpi_);
    OffsetRect(&rect, origin.x, origin.y);
    return rect;
}

int MainWindow::Builder::pageOf(const form::Look& look) const {
    for (const form::Look* parent = find(look.parent); parent != nullptr;
         parent = find(parent->parent)) {
        const auto page = pages_.find(parent->name);
        if (page != pages_.end()) {
            return page->second;
        }
    }
    return -1;
}

void MainWindow::Builder::colour(int id, const form::Look& look) {
    COLORREF background = ColourOf(look.background);
    const form::Look* parent = find(look.parent);
    const bool onSurface = look.kind == Kind::CheckBox || look.kind == Kind::Option ||
                           look.kind == Kind::Label || look.kind == Kind::Barcode ||
                           look.kind == Kind::Rectangle || look.kind == Kind::Line;
    if (background == CLR_INVALID && onSurface && parent != nullptr &&
        parent->kind == Kind::Frame) {
        background = ColourOf(parent->background);
    }
    if (background != CLR_INVALID) {
        w_.setColors(id, background, ColourOf(look.foreground));
    }
}

HWND MainWindow::Builder::create(const wchar_t* className, DWORD style, const form::Look& look,
                                 DWORD exStyle, bool continuesGroup) {
    const RECT rect = pixels(look);
    const int id = ControlId(look.name);
    HWND child = CreateWindowExW(
        exStyle, className, L"",
        style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (continuesGroup ? 0 : WS_GROUP),
        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, w_.window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), w_.instance_, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(w_.font(look.points, look.bold)),
                 FALSE);
    w_.drawn_[id] = {look.kind, std::string(look.picture), look.pictureTwips};
    colour(id, look);
    return child;
}

HWND MainWindow::Builder::makeTabPage(const form::BoundItem& item) {
    const int index = static_cast<int>(pages_.size());
    pages_[item.look.name] = index;
    const int side = TwipsToPixels(find(item.look.parent)->pictureTwips, w_.dpi_);
    ImageList_AddIcon(w_.tabPictures_, w_.pictures_.icon(std::string(item.look.picture), side));
    wchar_t empty[] = L"";
    TCITEMW tab = {};
    tab.mask = TCIF_TEXT | TCIF_IMAGE;
    tab.pszText = empty;
    tab.iImage = index;
    SendMessageW(w_.tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&tab));
    w_.binder_->tab(w_.tabs_, index, item.as<Captioned>());

    // The pages' controls are children of the window, placed over the tab control's page area,
    // on a backdrop in the window's colour, as the labels and check boxes on them are drawn: a
    // themed tab control (Wine draws one even without a visual-styles manifest) has a lighter
    // page.
    RECT area = {};
    GetClientRect(w_.tabs_, &area);
    SendMessageW(w_.tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const RECT tabs = pixels(*find(item.look.parent));
    page_ = {tabs.left + area.left, tabs.top + area.top};
    if (pageBackdrop_ == nullptr) {
        pageBackdrop_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                        0, 0, 0, 0, w_.window_, nullptr, w_.instance_, nullptr);
    }
    SetWindowPos(pageBackdrop_, nullptr, page_.x, page_.y, area.right - area.left,
                 area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return w_.tabs_;
}

HWND MainWindow::Builder::make(const form::BoundItem& item) {
    const form::Look& look = item.look;
    ControlBinder& bind = *w_.binder_;
    const bool continuesGroup = look.kind == Kind::Option && afterOption_;
    afterOption_ = look.kind == Kind::Option;
    switch (look.kind) {
        case Kind::TabControl: {
            w_.tabs_ = create(WC_TABCONTROLW, WS_TABSTOP | TCS_TABS, look);
            const int side = TwipsToPixels(look.pictureTwips, w_.dpi_);
            w_.tabPictures_ = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 2, 0);
            SendMessageW(w_.tabs_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(w_.tabPictures_));
            return w_.tabs_;
        }
        case Kind::TabPage:
            return makeTabPage(item);
        case Kind::Frame: {
            HWND frame = create(L"STATIC", SS_OWNERDRAW, look);
            frames_.push_back(frame);
            bind.label(frame, item.as<Captioned>());
            return frame;
        }
        case Kind::Rectangle:
        case Kind::Line: {
            HWND shape = create(L"STATIC", SS_OWNERDRAW, look);
            shapes_.push_back(shape);
            bind.decoration(shape);
            return shape;
        }
        case Kind::PictureButton:
        case Kind::Button: {
            HWND button = create(
                L"BUTTON",
                (look.kind == Kind::PictureButton ? BS_OWNERDRAW : BS_PUSHBUTTON) | WS_TABSTOP,
                look);
            bind.button(button, item.as<Captioned>(), item.click());
            return button;
        }
        case Kind::TextBox: {
            HWND box = create(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, look, WS_EX_CLIENTEDGE);
            bind.text(box, item.as<TextBox>());
            return box;
        }
        case Kind::CheckBox: {
            HWND box = create(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, look);
            bind.check(box, item.as<CheckBox>(), item.event);
            return box;
        }
        case Kind::Option: {
            // The Tab key stops at the first button of a group.
            HWND option = create(L"BUTTON", BS_AUTORADIOBUTTON | (continuesGroup ? 0 : WS_TABSTOP),
                                 look, 0, continuesGroup);
            bind.option(option, item.as<OptionButton>(), item.click());
            return option;
        }
        case Kind::ListBox: {
            HWND list = create(L"LISTBOX", kListStyle | (look.scrollsAcross ? WS_HSCROLL : 0), look,
                               WS_EX_CLIENTEDGE);
            bind.list(list, item.as<ListBox>());
            return list;
        }
        case Kind::Log: {
            HWND log = create(L"LISTBOX",
                              kListStyle | LBS_NODATA | LBS_OWNERDRAWFIXED |
                                  (look.scrollsAcross ? WS_HSCROLL : 0),
                              look, WS_EX_CLIENTEDGE);
            SendMessageW(log, LB_SETITEMHEIGHT, 0, w_.logRowHeight_);
            bind.virtualList(log, item.as<ListBox>());
            return log;
        }
        case Kind::Label: {
            HWND text = create(L"STATIC", SS_LEFT | (item.event ? SS_NOTIFY : 0), look);
            bind.label(text, item.as<Captioned>(),
                       item.event ? item.click() : ControlBinder::Action());
            return text;
        }
        case Kind::Image: {
            HWND image = create(L"STATIC", SS_ICON | SS_CENTERIMAGE, look);
            const Pictures* pictures = &w_.pictures_;
            const int side = TwipsToPixels(look.pictureTwips, w_.dpi_);
            bind.image(image, item.as<Image>(), [pictures, side](const std::string& name) {
                return pictures->icon(name, side);
            });
            return image;
        }
        case Kind::Barcode: {
            HWND code = create(L"STATIC", SS_OWNERDRAW, look);
            bind.drawnImage(code, item.as<Image>());
            return code;
        }
        case Kind::DriveList:
        case Kind::FolderList:
            break;
    }
    throw std::logic_error("the window has no control for " + std::string(look.name));
}

void MainWindow::Builder::build() {
    items_ = form::Bind(form::MainWindowLayout(), m_);
    for (const form::BoundItem& item : items_) {
        w_.binder_->setBuildingPage(pageOf(item.look));
        make(item);
    }
    w_.binder_->setBuildingPage(-1);

    // The shapes under the controls they lie beside, the frames under them, and the tab control
    // under everything.
    for (HWND shape : shapes_) {
        SetWindowPos(shape, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (HWND frame : frames_) {
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowPos(pageBackdrop_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(w_.tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    FrmMain* m = &m_;
    w_.binder_->timer(IDT_Timer1, m_.Timer1, [m] { m->Timer1_Timer(); });
}

MainWindow::MainWindow(HINSTANCE instance, FrmMain& model, const Pictures& pictures, TrayIcon& tray)
    : instance_(instance),
      model_(model),
      pictures_(pictures),
      tray_(tray),
      dpi_(ScreenDotsPerInch()),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"" TARNWICK_MAIN_CLASS;
    windowClass.hIcon = pictures.icon("app", GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = pictures.icon("app", GetSystemMetrics(SM_CXSMICON));
    RegisterClassExW(&windowClass);

    // The log's rows are as high as the form's text.
    const form::Layout<FrmMain>& layout = form::MainWindowLayout();
    const TEXTMETRICA metrics = FontMetrics(nullptr, font(layout.points, false));
    logRowHeight_ = metrics.tmHeight + metrics.tmExternalLeading + 1;

    RECT frame = TwipsRect(0, 0, layout.clientWidth, layout.clientHeight, dpi_);
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + std::max<int>(0, (work.right - work.left - width) / 2);
    const int top = work.top + std::max<int>(0, (work.bottom - work.top - height) / 2);
    const std::wstring caption = Widen(model.windowCaption());
    CreateWindowExW(0, L"" TARNWICK_MAIN_CLASS, caption.c_str(), kWindowStyle, left, top, width,
                    height, nullptr, nullptr, instance, this);
    tray_.setWindow(window_);
    binder_ = std::make_unique<ControlBinder>(window_);
    Builder(*this, model_).build();
    binder_->showPage(0);
}

MainWindow::~MainWindow() {
    if (!destroyed_ && window_ != nullptr) {
        destroy();
    }
    binder_.reset();
    for (auto& [size, font] : fonts_) {
        DeleteObject(font);
    }
    for (auto& [id, colors] : colors_) {
        DeleteObject(colors.brush);
    }
    if (tabPictures_ != nullptr) {
        ImageList_Destroy(tabPictures_);
    }
}

void MainWindow::setColors(int id, COLORREF background, COLORREF text) {
    auto found = colors_.find(id);
    if (found != colors_.end()) {
        DeleteObject(found->second.brush);
    }
    colors_[id] = {background, text, CreateSolidBrush(background)};
}

HFONT MainWindow::font(double points, bool bold) {
    HFONT& font = fonts_[{points, bold}];
    if (font == nullptr) {
        font = CreateCaptionFont(points, bold, dpi_);
    }
    return font;
}

void MainWindow::bringBack() {
    if (destroyed_) {
        return;
    }
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
    if (IsChild(window_, GetFocus()) == FALSE) {
        SetFocus(GetNextDlgTabItem(window_, nullptr, FALSE));  // the first control, as the form has
    }
}

void MainWindow::hide() {
    if (!destroyed_) {
        ShowWindow(window_, SW_HIDE);
    }
}

void MainWindow::minimize() {
    if (!destroyed_) {
        ShowWindow(window_, SW_MINIMIZE);
    }
}

void MainWindow::destroy() {
    if (destroyed_) {
        return;
    }
    binder_->detach();
    destroyed_ = true;
    DestroyWindow(window_);
}

int MainWindow::page() const {
    return binder_->page();
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0 && binder_ != nullptr &&
                binder_->command(reinterpret_cast<HWND>(lParam), HIWORD(wParam))) {
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE && binder_ != nullptr) {
                binder_->showPage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
                return 0;
            }
            break;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const LRESULT brush =
                colorControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            if (brush != 0) {
                return brush;
            }
            break;
        }
        case WM_DRAWITEM:
            if (drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            const auto drawn = drawn_.find(static_cast<int>(item->CtlID));
            if (drawn != drawn_.end() && drawn->second.kind == form::Kind::Log) {
                item->itemHeight = static_cast<UINT>(logRowHeight_);
                return TRUE;
            }
            break;
        }
        case WM_TIMER:
            if (binder_ != nullptr && binder_->tick(static_cast<UINT>(wParam))) {
                return 0;
            }
            break;
        case kTrayCallbackMessage:
            // The tray icon's events come as a left-button press whose low word is the mouse
            // message over the icon; so does a real press in the window, whose low word is its
            // horizontal place.
            model_.TrayIcon_Event(TrayMouseOf(LOWORD(lParam)));
            return 0;
        case kPaintListsMessage:
            if (binder_ != nullptr) {
                binder_->paintLists();
            }
            return 0;
        case kSecondStartMessage:
            model_.SecondStart_Event();
            return 0;
        case WM_ACTIVATE:
            // A window that is not a dialog forgets its focused control when another window
            // takes the focus: it is kept here and given back.
            if (LOWORD(wParam) == WA_INACTIVE) {
                focus_ = GetFocus();
            } else if (focus_ != nullptr && IsChild(window_, focus_) != FALSE) {
                SetFocus(focus_);
                return 0;
            }
            break;
        case WM_CLOSE:
            model_.Form_QueryUnload();
            return 0;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                model_.Form_QueryUnload();
            }
            return 0;
        case WM_DESTROY:
            destroyed_ = true;
            if (binder_ != nullptr) {
                binder_->detach();
            }
            PostQuitMessage(0);
            return 0;
        default:
            if (message == taskbarCreated_ && message != 0) {
                tray_.restore();
                return 0;
            }
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT MainWindow::colorControl(HDC dc, HWND control) {
    const auto found = colors_.find(GetDlgCtrlID(control));
    if (found == colors_.end()) {
        return 0;
    }
    const Colors& colors = found->second;
    SetBkColor(dc, colors.background);
    if (IsWindowEnabled(control) == FALSE) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else if (colors.text != CLR_INVALID) {
        SetTextColor(dc, colors.text);
    }
    return reinterpret_cast<LRESULT>(colors.brush);
}

bool MainWindow::drawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    const auto drawn = drawn_.find(id);
    if (drawn == drawn_.end()) {
        return false;
    }
    const auto colors = colors_.find(id);
    const COLORREF background =
        colors != colors_.end() ? colors->second.background : GetSysColor(COLOR_BTNFACE);
    const COLORREF text = colors != colors_.end() && colors->second.text != CLR_INVALID
                              ? colors->second.text
                              : GetSysColor(COLOR_WINDOWTEXT);
    switch (drawn->second.kind) {
        case form::Kind::Log:
            if (item.itemID != static_cast<UINT>(-1) &&
                static_cast<int>(item.itemID) < model_.ListMessage.listCount()) {
                DrawListRow(item, model_.ListMessage.list(static_cast<int>(item.itemID)),
                            background);
            } else {
                FillItem(item, background);
            }
            return true;
        case form::Kind::Frame:
            DrawFrame(item, background, text);
            return true;
        case form::Kind::Rectangle:
            DrawRectangleShape(item, background, text);
            return true;
        case form::Kind::Line:
            FillItem(item, text);
            return true;
        case form::Kind::Barcode:
            FillItem(item, background);
            pictures_.drawQrCode(item.hDC, item.rcItem);
            return true;
        case form::Kind::PictureButton: {
            const int side = TwipsToPixels(drawn->second.pictureTwips, dpi_);
            DrawPictureButton(item, pictures_.icon(drawn->second.picture, side), side, background);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tarnwick::win32view
