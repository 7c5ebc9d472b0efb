#include "view-win32/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/frm_main.h"
#include "view-win32/control_ids.h"
#include "view-win32/form_metrics.h"
#include "view-win32/owner_draw.h"
#include "view-win32/pictures.h"
#include "view-win32/single_instance.h"
#include "view-win32/tray_icon.h"

namespace tarnwick::win32view {
namespace {

// Caption sizes in points.
constexpr double kNormalPoints = 9.75;
constexpr double kMediumPoints = 10.5;
constexpr double kLargePoints = 11.25;
constexpr double kHintPoints = 9.0;

// Picture sides in twips: the 32-pixel pictures of the right-hand buttons, the list buttons'
// pictures, the tab pictures.
constexpr int kBigPictureTwips = 480;
constexpr int kSmallPictureTwips = 360;
constexpr int kTabPictureTwips = 240;

// The client area: 909 x 747 pixels at 96 dots per inch.
constexpr int kClientWidthTwips = 13635;
constexpr int kClientHeightTwips = 11205;

constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Where a control stands: in the window, or on a page of the tab control, or in one of the two
// frames of the second page; left, top, width, height in twips from there.
struct Place {
    enum Origin { Window, Page, Frame2, Frame1 } origin;
    int left;
    int top;
    int width;
    int height;
};

// The frames' places on the second page.
constexpr Place kFrame2Place{Place::Page, 90, 30, 7050, 3900};
constexpr Place kFrame1Place{Place::Page, 7260, 30, 4200, 2940};

}  // namespace

// Creates the controls in the order of the form (which is also the order the Tab key goes), each
// at its place and bound to its control.
class MainWindow::Builder {
  public:
    Builder(MainWindow& window, FrmMain& model) : w_(window), m_(model) {}

    void build();

  private:
    // A child window. Every child starts a group of its own unless it continues an option group.
    HWND create(const char* className, DWORD style, int id, const Place& place,
                double points = kNormalPoints, DWORD exStyle = 0, bool continuesGroup = false);
    HWND pictureButton(int id, const char* picture, const Place& place, double points);
    HWND pushButton(int id, const Place& place, double points, bool bold = false);
    HWND textBox(int id, TextBox& control, const Place& place, COLORREF color);
    HWND checkBox(int id, CheckBox& control, const Place& place, double points = kNormalPoints);
    HWND label(int id, Captioned& control, const Place& place, double points = kNormalPoints);
    HWND noteLabel(int index, const Place& place, double points = kNormalPoints);
    RECT pixels(const Place& place) const;

    void buildTabs();
    void buildFoldersPage();
    void buildOptionsPage();
    void buildRightColumn();
    void buildDestinationRow();
    void buildLogAndNote();

    MainWindow& w_;
    FrmMain& m_;
    POINT page_ = {};
    HWND frames_[2] = {};
    HWND pageBackdrop_ = nullptr;
    HWND decorations_[5] = {};
};

RECT MainWindow::Builder::pixels(const Place& place) const {
    int left = place.left;
    int top = place.top;
    if (place.origin == Place::Frame2 || place.origin == Place::Frame1) {
        const Place& frame = place.origin == Place::Frame2 ? kFrame2Place : kFrame1Place;
        left += frame.left;
        top += frame.top;
    }
    RECT rect = TwipsRect(left, top, place.width, place.height, w_.dpi_);
    if (place.origin != Place::Window) {
        OffsetRect(&rect, page_.x, page_.y);
    }
    return rect;
}

HWND MainWindow::Builder::create(const char* className, DWORD style, int id, const Place& place,
                                 double points, DWORD exStyle, bool continuesGroup) {
    const RECT rect = pixels(place);
    HWND child = CreateWindowExA(
        exStyle, className, "",
        style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (continuesGroup ? 0 : WS_GROUP),
        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, w_.window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), w_.instance_, nullptr);
    HFONT& font = w_.fonts_[points];
    if (font == nullptr) {
        font = CreateCaptionFont(points, false, w_.dpi_);
    }
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

HWND MainWindow::Builder::pictureButton(int id, const char* picture, const Place& place,
                                        double points) {
    w_.buttonPictures_[id] = picture;
    return create("BUTTON", BS_OWNERDRAW | WS_TABSTOP, id, place, points);
}

HWND MainWindow::Builder::pushButton(int id, const Place& place, double points, bool bold) {
    HWND button = create("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, id, place, points);
    if (bold) {
        if (w_.boldFont_ == nullptr) {
            w_.boldFont_ = CreateCaptionFont(points, true, w_.dpi_);
        }
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(w_.boldFont_), FALSE);
    }
    return button;
}

HWND MainWindow::Builder::textBox(int id, TextBox& control, const Place& place, COLORREF color) {
    HWND box =
        create("EDIT", ES_AUTOHSCROLL | WS_TABSTOP, id, place, kNormalPoints, WS_EX_CLIENTEDGE);
    w_.setColors(id, color);
    w_.binder_->text(box, control);
    return box;
}

HWND MainWindow::Builder::checkBox(int id, CheckBox& control, const Place& place, double points) {
    HWND box = create("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, id, place, points);
    FrmMain* m = &m_;
    CheckBox* checked = &control;
    w_.binder_->check(box, control, [m, checked](int value) { m->clickCheckBox(*checked, value); });
    return box;
}

HWND MainWindow::Builder::label(int id, Captioned& control, const Place& place, double points) {
    HWND text = create("STATIC", SS_LEFT, id, place, points);
    w_.binder_->label(text, control);
    return text;
}

HWND MainWindow::Builder::noteLabel(int index, const Place& place, double points) {
    HWND text = create("STATIC", SS_LEFT | SS_NOTIFY, IDC_LabDDir_0 + index, place, points);
    FrmMain* m = &m_;
    w_.binder_->label(text, m_.LabDDir[static_cast<std::size_t>(index)],
                      [m, index] { m->LabDDir_Click(index); });
    return text;
}

void MainWindow::Builder::build() {
    buildTabs();
    buildFoldersPage();
    buildOptionsPage();
    w_.binder_->setBuildingPage(-1);
    buildRightColumn();
    buildDestinationRow();
    buildLogAndNote();

    // The frames' line and rectangles under the controls they hold, the frames under them, and
    // the tab control under everything.
    for (HWND decoration : decorations_) {
        SetWindowPos(decoration, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (HWND frame : frames_) {
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowPos(pageBackdrop_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(w_.tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    FrmMain* m = &m_;
    w_.binder_->timer(IDT_Timer1, m_.Timer1, [m] { m->Timer1_Timer(); });
}

void MainWindow::Builder::buildTabs() {
    w_.tabs_ = create(WC_TABCONTROLA, WS_TABSTOP | TCS_TABS, IDC_SSTab1,
                      {Place::Window, 120, 120, 11640, 4500}, kLargePoints);
    const int side = TwipsToPixels(kTabPictureTwips, w_.dpi_);
    w_.tabPictures_ = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 2, 0);
    ImageList_AddIcon(w_.tabPictures_, w_.pictures_.icon("tab-folders", side));
    ImageList_AddIcon(w_.tabPictures_, w_.pictures_.icon("tab-options", side));
    SendMessageA(w_.tabs_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(w_.tabPictures_));
    for (int index = 0; index < 2; ++index) {
        char empty[] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = empty;
        item.iImage = index;
        SendMessageA(w_.tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }
    w_.binder_->tab(w_.tabs_, 0, m_.SSTab1Tab0);
    w_.binder_->tab(w_.tabs_, 1, m_.SSTab1Tab1);

    // The pages' controls are children of the window, placed over the tab control's page area.
    RECT area = {};
    GetClientRect(w_.tabs_, &area);
    SendMessageA(w_.tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const RECT tabs = pixels({Place::Window, 120, 120, 11640, 4500});
    page_ = {tabs.left + area.left, tabs.top + area.top};
    // The pages in the window's colour, as the labels and check boxes on them are drawn: a
    // themed tab control (Wine draws one even without a visual-styles manifest) has a lighter
    // page.
    pageBackdrop_ = CreateWindowExA(
        0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, page_.x, page_.y,
        area.right - area.left, area.bottom - area.top, w_.window_, nullptr, w_.instance_, nullptr);
}

void MainWindow::Builder::buildFoldersPage() {
    ControlBinder& bind = *w_.binder_;
    FrmMain* m = &m_;
    bind.setBuildingPage(0);
    HWND selTask = pushButton(IDC_SelTask, {Place::Page, 120, 120, 1560, 390}, kNormalPoints);
    bind.button(selTask, m_.SelTask, [m] { m->SelTask_Click(); });
    textBox(IDC_TextTask, m_.TextTask, {Place::Page, 1800, 135, 9600, 360}, colors::kEntry);
    label(IDC_Label1, m_.Label1, {Place::Page, 1800, 600, 3000, 300}, kMediumPoints);
    checkBox(IDC_CheckAllSub, m_.CheckAllSub, {Place::Page, 6600, 570, 4800, 360}, kLargePoints);

    struct ListButton {
        int id;
        const char* picture;
        Captioned& control;
        void (FrmMain::*click)();
        int top;
    };
    const ListButton buttons[] = {
        {IDC_CommandNewDir, "folder-add", m_.CommandNewDir, &FrmMain::CommandNewDir_Click, 990},
        {IDC_CommandDelDir, "folder-remove", m_.CommandDelDir, &FrmMain::CommandDelDir_Click, 1980},
        {IDC_CommandClearDir, "folder-clear", m_.CommandClearDir, &FrmMain::CommandClearDir_Click,
         2970},
    };
    for (const ListButton& b : buttons) {
        HWND button =
            pictureButton(b.id, b.picture, {Place::Page, 120, b.top, 1560, 930}, kMediumPoints);
        auto click = b.click;
        bind.button(button, b.control, [m, click] { (m->*click)(); });
    }
    HWND folders = create(
        "LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
        IDC_ListFromFolder, {Place::Page, 1800, 990, 9600, 2910}, kNormalPoints, WS_EX_CLIENTEDGE);
    w_.setColors(IDC_ListFromFolder, colors::kWhite);
    bind.list(folders, m_.ListFromFolder);
}

void MainWindow::Builder::buildOptionsPage() {
    ControlBinder& bind = *w_.binder_;
    FrmMain* m = &m_;
    bind.setBuildingPage(1);

    // The file types frame: three columns, only these types, all files, all but these types.
    frames_[0] = create("STATIC", SS_OWNERDRAW, IDC_Frame2, kFrame2Place, kLargePoints);
    w_.setColors(IDC_Frame2, colors::kTypes);
    bind.label(frames_[0], m_.Frame2);
    const struct {
        int id;
        Place place;
    } shapes[] = {{IDC_Shape1, {Place::Frame2, 120, 330, 2250, 3480}},
                  {IDC_Shape3, {Place::Frame2, 2460, 330, 2130, 450}},
                  {IDC_Shape2, {Place::Frame2, 4680, 330, 2250, 3480}}};
    for (std::size_t i = 0; i < 3; ++i) {
        decorations_[i + 1] = create("STATIC", SS_OWNERDRAW, shapes[i].id, shapes[i].place);
        bind.decoration(decorations_[i + 1]);
    }
    const struct {
        int option;
        int left;
        int width;
    } columns[] = {{1, 180, 2130}, {0, 2520, 2010}, {2, 4740, 2130}};
    for (const auto& column : columns) {
        const int index = column.option;
        HWND option = create(
            "BUTTON", BS_AUTORADIOBUTTON | (index == 1 ? WS_TABSTOP : 0), IDC_Option2_0 + index,
            {Place::Frame2, column.left, 390, column.width, 330}, kNormalPoints, 0, index != 1);
        w_.setColors(IDC_Option2_0 + index, colors::kTypes);
        bind.option(option, m_.Option2[static_cast<std::size_t>(index)],
                    [m, index] { m->selectOption2(index); });
    }
    const struct {
        int list;
        ListBox& listControl;
        int add;
        Captioned& addControl;
        void (FrmMain::*addClick)();
        int entry;
        TextBox& entryControl;
        int remove;
        Captioned& removeControl;
        void (FrmMain::*removeClick)();
        int left;
    } columnsWithLists[] = {
        {IDC_List3, m_.List3, IDC_Command4, m_.Command4, &FrmMain::Command4_Click, IDC_Text1,
         m_.Text1, IDC_Command5, m_.Command5, &FrmMain::Command5_Click, 180},
        {IDC_List4, m_.List4, IDC_Command6, m_.Command6, &FrmMain::Command6_Click, IDC_Text7,
         m_.Text7, IDC_Command7, m_.Command7, &FrmMain::Command7_Click, 4740},
    };
    for (const auto& c : columnsWithLists) {
        HWND list =
            create("LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, c.list,
                   {Place::Frame2, c.left, 750, 2130, 2550}, kNormalPoints, WS_EX_CLIENTEDGE);
        w_.setColors(c.list, colors::kTypeList);
        bind.list(list, c.listControl);
        HWND add = pushButton(c.add, {Place::Frame2, c.left, 3390, 360, 360}, kNormalPoints, true);
        auto addClick = c.addClick;
        bind.button(add, c.addControl, [m, addClick] { (m->*addClick)(); });
        textBox(c.entry, c.entryControl, {Place::Frame2, c.left + 390, 3390, 1350, 360},
                colors::kEntry);
        HWND remove = pushButton(c.remove, {Place::Frame2, c.left + 1770, 3390, 360, 360},
                                 kNormalPoints, true);
        auto removeClick = c.removeClick;
        bind.button(remove, c.removeControl, [m, removeClick] { (m->*removeClick)(); });
    }
    HWND code =
        create("STATIC", SS_OWNERDRAW, IDC_ImageQRCode, {Place::Frame2, 2655, 870, 1740, 1740});
    bind.drawnImage(code, m_.ImageQRCode);
    noteLabel(9, {Place::Frame2, 2490, 2700, 2070, 1110}, kHintPoints);
    w_.setColors(IDC_LabDDir_9, colors::kTypes, colors::kHint);

    // The parameters frame: subfolders, the size limit, the red line, the schedule.
    frames_[1] = create("STATIC", SS_OWNERDRAW, IDC_Frame1, kFrame1Place, kMediumPoints);
    w_.setColors(IDC_Frame1, colors::kParameters, GetSysColor(COLOR_HIGHLIGHT));
    bind.label(frames_[1], m_.Frame1);
    checkBox(IDC_Check1, m_.Check1, {Place::Frame1, 150, 360, 3000, 330});
    checkBox(IDC_Check2, m_.Check2, {Place::Frame1, 150, 780, 1860, 330});
    textBox(IDC_Text3, m_.Text3, {Place::Frame1, 2040, 780, 840, 330}, colors::kEntry);
    noteLabel(8, {Place::Frame1, 2940, 810, 1140, 300});
    decorations_[0] =
        create("STATIC", SS_OWNERDRAW, IDC_Line2, {Place::Frame1, 90, 1260, 4020, 45});
    bind.decoration(decorations_[0]);
    for (int i = 0; i < 3; ++i) {
        HWND option =
            create("BUTTON", BS_AUTORADIOBUTTON | (i == 0 ? WS_TABSTOP : 0), IDC_Option1_0 + i,
                   {Place::Frame1, 150, 1440 + 480 * i, 1860, 330}, kNormalPoints, 0, i != 0);
        bind.option(option, m_.Option1[static_cast<std::size_t>(i)],
                    [m, i] { m->clickOption1(i); });
    }
    textBox(IDC_Text5, m_.Text5, {Place::Frame1, 2040, 1440, 540, 330}, colors::kEntry);
    noteLabel(5, {Place::Frame1, 2610, 1470, 270, 300});
    textBox(IDC_Text6, m_.Text6, {Place::Frame1, 2910, 1440, 540, 330}, colors::kEntry);
    noteLabel(7, {Place::Frame1, 3480, 1470, 270, 300});
    textBox(IDC_Text4, m_.Text4, {Place::Frame1, 2040, 1920, 540, 330}, colors::kEntry);
    noteLabel(4, {Place::Frame1, 2610, 1950, 1500, 300});
    for (int id : {IDC_Check1, IDC_Check2, IDC_LabDDir_8, IDC_Option1_0, IDC_Option1_1,
                   IDC_Option1_2, IDC_LabDDir_5, IDC_LabDDir_7, IDC_LabDDir_4}) {
        w_.setColors(id, colors::kParameters);
    }
    checkBox(IDC_CheckNoCopy, m_.CheckNoCopy, {Place::Page, 7260, 3090, 4200, 360});
}

void MainWindow::Builder::buildRightColumn() {
    ControlBinder& bind = *w_.binder_;
    FrmMain* m = &m_;
    HWND start = pictureButton(IDC_UpdateButton, "start", {Place::Window, 11880, 120, 1635, 960},
                               kNormalPoints);
    bind.button(start, m_.UpdateButton, [m] { m->UpdateButton_Click(); });
    HWND stop =
        pictureButton(IDC_CommStop, "stop", {Place::Window, 11880, 1140, 1635, 960}, kNormalPoints);
    bind.button(stop, m_.CommStop, [m] { m->CommStop_Click(); });
    HWND save = pictureButton(IDC_SaveConfig, "save", {Place::Window, 11880, 2160, 1635, 960},
                              kNormalPoints);
    bind.button(save, m_.SaveConfig, [m] { m->SaveConfig_Click(); });
    HWND hide = pictureButton(IDC_ButtonExit, "hide", {Place::Window, 11880, 3180, 1635, 960},
                              kLargePoints);
    w_.setColors(IDC_ButtonExit, colors::kHide);
    bind.button(hide, m_.ButtonExit, [m] { m->ButtonExit_Click(); });
    HWND clear =
        pushButton(IDC_CommandClear, {Place::Window, 11880, 4230, 1635, 390}, kNormalPoints, true);
    bind.button(clear, m_.CommandClear, [m] { m->CommandClear_Click(); });
}

void MainWindow::Builder::buildDestinationRow() {
    ControlBinder& bind = *w_.binder_;
    FrmMain* m = &m_;
    HWND toDir = pushButton(IDC_CommandToDir, {Place::Window, 120, 4740, 1500, 420}, kMediumPoints);
    bind.button(toDir, m_.CommandToDir, [m] { m->CommandToDir_Click(); });
    textBox(IDC_txtToFolder, m_.txtToFolder, {Place::Window, 1710, 4770, 9000, 360},
            colors::kDestination);
    checkBox(IDC_CheckFullFodler, m_.CheckFullFodler, {Place::Window, 10830, 4740, 2685, 420},
             kLargePoints);
}

void MainWindow::Builder::buildLogAndNote() {
    ControlBinder& bind = *w_.binder_;
    HWND log = create("LISTBOX",
                      LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                          WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                      IDC_ListMessage, {Place::Window, 120, 5280, 13395, 5040}, kNormalPoints,
                      WS_EX_CLIENTEDGE);
    SendMessageA(log, LB_SETITEMHEIGHT, 0, w_.logRowHeight_);
    w_.setColors(IDC_ListMessage, colors::kLog);
    bind.virtualList(log, m_.ListMessage);

    // Band 4: three pictures on one spot, and the note beside them.
    const Pictures* pictures = &w_.pictures_;
    const int side = TwipsToPixels(kBigPictureTwips, w_.dpi_);
    for (int i = 0; i < 3; ++i) {
        HWND image = create("STATIC", SS_ICON | SS_CENTERIMAGE, IDC_Image1_0 + i,
                            {Place::Window, 180, 10500, 480, 480});
        bind.image(
            image, m_.Image1[static_cast<std::size_t>(i)],
            [pictures, side](const std::string& name) { return pictures->icon(name, side); });
    }
    noteLabel(6, {Place::Window, 780, 10380, 12735, 780});
}

MainWindow::MainWindow(HINSTANCE instance, FrmMain& model, const Pictures& pictures, TrayIcon& tray)
    : instance_(instance),
      model_(model),
      pictures_(pictures),
      tray_(tray),
      dpi_(ScreenDotsPerInch()),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = TARNWICK_MAIN_CLASS;
    windowClass.hIcon = pictures.icon("app", GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = pictures.icon("app", GetSystemMetrics(SM_CXSMICON));
    RegisterClassExA(&windowClass);

    // The log's rows are as high as its font's text.
    HFONT font = CreateCaptionFont(kNormalPoints, false, dpi_);
    fonts_[kNormalPoints] = font;
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    logRowHeight_ = metrics.tmHeight + metrics.tmExternalLeading + 1;

    RECT frame = TwipsRect(0, 0, kClientWidthTwips, kClientHeightTwips, dpi_);
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + std::max<int>(0, (work.right - work.left - width) / 2);
    const int top = work.top + std::max<int>(0, (work.bottom - work.top - height) / 2);
    const std::string caption = ToAnsi(model.windowCaption());
    CreateWindowExA(0, TARNWICK_MAIN_CLASS, caption.c_str(), kWindowStyle, left, top, width, height,
                    nullptr, nullptr, instance, this);
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
    for (auto& [points, font] : fonts_) {
        DeleteObject(font);
    }
    if (boldFont_ != nullptr) {
        DeleteObject(boldFont_);
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

HICON MainWindow::picture(const std::string& name, int sideTwips) const {
    return pictures_.icon(name, TwipsToPixels(sideTwips, dpi_));
}

void MainWindow::show() {
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
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
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
                binder_->showPage(static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0)));
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
            if (item->CtlID == IDC_ListMessage) {
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
            model_.TrayIcon_Event(LOWORD(lParam));
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
    return DefWindowProcA(window_, message, wParam, lParam);
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
    switch (id) {
        case IDC_ListMessage:
            if (item.itemID != static_cast<UINT>(-1) &&
                static_cast<int>(item.itemID) < model_.ListMessage.listCount()) {
                DrawListRow(item, model_.ListMessage.list(static_cast<int>(item.itemID)),
                            colors::kLog);
            } else {
                FillItem(item, colors::kLog);
            }
            return true;
        case IDC_Frame1:
        case IDC_Frame2:
            DrawFrame(
                item, colors_[id].background,
                colors_[id].text != CLR_INVALID ? colors_[id].text : GetSysColor(COLOR_WINDOWTEXT));
            return true;
        case IDC_Shape1:
        case IDC_Shape2:
        case IDC_Shape3:
            DrawRectangleShape(item, colors::kTypes, colors::kBlack);
            return true;
        case IDC_Line2:
            FillItem(item, colors::kLine);
            return true;
        case IDC_ImageQRCode:
            FillItem(item, colors::kTypes);
            pictures_.drawQrCode(item.hDC, item.rcItem);
            return true;
        default:
            break;
    }
    const auto picture = buttonPictures_.find(id);
    if (picture != buttonPictures_.end()) {
        const bool big = id == IDC_UpdateButton || id == IDC_CommStop || id == IDC_SaveConfig ||
                         id == IDC_ButtonExit;
        const int sideTwips = big ? kBigPictureTwips : kSmallPictureTwips;
        const auto colors = colors_.find(id);
        DrawPictureButton(
            item, this->picture(picture->second, sideTwips), TwipsToPixels(sideTwips, dpi_),
            colors != colors_.end() ? colors->second.background : GetSysColor(COLOR_BTNFACE));
        return true;
    }
    return false;
}

}  // namespace tarnwick::win32view
