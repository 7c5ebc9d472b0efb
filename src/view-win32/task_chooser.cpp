#include "view-win32/task_chooser.h"

#include <shellapi.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "common/win32_text.h"
#include "ui/dialog.h"
#include "ui/form_layout.h"
#include "view-win32/control_id.h"
#include "view-win32/form_metrics.h"
#include "view-win32/owner_draw.h"
#include "view-win32/pictures.h"

namespace tarnwick::win32view {
namespace {

constexpr int kDropDownRows = 8;
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// An empty dialog template with the caption: the controls are made at their places in twips once
// the dialog exists.
std::vector<WORD> Template(const std::string& caption) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = kDialogStyle;
    words.push_back(0);  // no menu
    words.push_back(0);  // the system's dialog class
    for (const wchar_t c : Widen(caption)) {
        words.push_back(static_cast<WORD>(c));
    }
    words.push_back(0);
    return words;
}

HICON FolderIcon(bool open) {
    SHFILEINFOW info = {};
    const UINT flags =
        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | (open ? SHGFI_OPENICON : 0);
    SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags);
    return info.hIcon;
}

}  // namespace

TaskChooser::TaskChooser(Dialog& model, const Pictures& pictures, HINSTANCE instance,
                         int dotsPerInch)
    : model_(model), pictures_(pictures), instance_(instance), dpi_(dotsPerInch) {}

TaskChooser::~TaskChooser() {
    model_.setCloseListener({});
    binder_.reset();
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    for (HICON icon : {openFolder_, closedFolder_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

void TaskChooser::run(HWND owner) {
    std::vector<WORD> words = Template(model_.caption());
    // The model closes the dialog: by OK after loading the task, or by Cancel.
    model_.setCloseListener([this] {
        if (binder_ != nullptr) {
            binder_->detach();
        }
        EndDialog(dialog_, 0);
    });
    DialogBoxIndirectParamW(instance_, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), owner,
                            Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TaskChooser::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<TaskChooser*>(lParam);
        self->dialog_ = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<TaskChooser*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self != nullptr ? self->handle(message, wParam, lParam) : FALSE;
}

HWND TaskChooser::create(const wchar_t* className, DWORD style, const form::Look& look,
                         DWORD exStyle) {
    const RECT rect = TwipsRect(look.place, dpi_);
    HWND child = CreateWindowExW(
        exStyle, className, L"", style | WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(look.name))), instance_, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

HWND TaskChooser::make(const form::BoundItem& item) {
    const form::Look& look = item.look;
    switch (look.kind) {
        case form::Kind::PictureButton: {
            HWND button = create(L"BUTTON", BS_OWNERDRAW, look);
            buttonPictures_[ControlId(look.name)] = {std::string(look.picture), look.pictureTwips};
            binder_->button(button, item.as<Captioned>(), item.click());
            return button;
        }
        case form::Kind::DriveList: {
            // The drop-down part of the drive list reaches below the box.
            HWND drives = create(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, look);
            RECT box = {};
            GetWindowRect(drives, &box);
            const RECT closed = TwipsRect(look.place, dpi_);
            SetWindowPos(drives, nullptr, 0, 0, box.right - box.left,
                         closed.bottom - closed.top + kDropDownRows * rowHeight_,
                         SWP_NOMOVE | SWP_NOZORDER);
            binder_->dropDownList(drives, item.as<ListBox>(), item.event);
            return drives;
        }
        case form::Kind::FolderList: {
            foldersId_ = ControlId(look.name);  // its rows are measured while it is made
            HWND folders = create(L"LISTBOX",
                                  LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                                      LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                                  look, WS_EX_CLIENTEDGE);
            SendMessageW(folders, LB_SETITEMHEIGHT, 0, rowHeight_);
            binder_->list(folders, item.as<ListBox>());
            openRow_ = item.event;
            return folders;
        }
        case form::Kind::ListBox: {
            HWND files = create(L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, look,
                                WS_EX_CLIENTEDGE);
            binder_->list(files, item.as<ListBox>());
            return files;
        }
        default:
            throw std::logic_error("the chooser has no control for " + std::string(look.name));
    }
}

void TaskChooser::build() {
    const form::Layout<Dialog>& layout = form::TaskChooserLayout();
    font_ = CreateCaptionFont(layout.points, false, dpi_);
    SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    openFolder_ = FolderIcon(true);
    closedFolder_ = FolderIcon(false);
    const TEXTMETRICA metrics = FontMetrics(dialog_, font_);
    rowHeight_ = std::max<int>(metrics.tmHeight + 2, GetSystemMetrics(SM_CYSMICON) + 2);

    // The client area at its size in twips, over the middle of the owner.
    RECT frame = TwipsRect(0, 0, layout.clientWidth, layout.clientHeight, dpi_);
    AdjustWindowRectEx(&frame, kDialogStyle, FALSE, GetWindowLongW(dialog_, GWL_EXSTYLE));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT owner = {};
    HWND ownerWindow = GetWindow(dialog_, GW_OWNER);
    if (ownerWindow == nullptr || IsWindowVisible(ownerWindow) == FALSE ||
        GetWindowRect(ownerWindow, &owner) == FALSE) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &owner, 0);
    }
    SetWindowPos(dialog_, nullptr, owner.left + (owner.right - owner.left - width) / 2,
                 owner.top + (owner.bottom - owner.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    binder_ = std::make_unique<ControlBinder>(dialog_);
    HWND first = nullptr;
    for (const form::BoundItem& item : form::Bind(layout, model_)) {
        HWND control = make(item);
        first = first != nullptr ? first : control;
    }
    SetFocus(first);  // the first in the Tab key's order, as the form has it
}

INT_PTR TaskChooser::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            build();
            return FALSE;  // the focus is set
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (binder_ == nullptr || binder_->detached()) {
                return TRUE;
            }
            if (lParam != 0 && id == foldersId_ && code == LBN_DBLCLK) {
                // A double click opens the folder, as in any folder list.
                const int row = static_cast<int>(
                    SendMessageW(reinterpret_cast<HWND>(lParam), LB_GETCURSEL, 0, 0));
                if (row >= 0 && row < model_.Dir1.listCount()) {
                    openRow_(row);
                }
                return TRUE;
            }
            if (lParam != 0 && binder_->command(reinterpret_cast<HWND>(lParam), code)) {
                return TRUE;
            }
            // Enter, Esc and the close box.
            if (id == IDOK) {
                model_.OKButton_Click();
                return TRUE;
            }
            if (id == IDCANCEL) {
                model_.CancelButton_Click();
                return TRUE;
            }
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (static_cast<int>(item->CtlID) == foldersId_) {
                item->itemHeight = static_cast<UINT>(rowHeight_);
                return TRUE;
            }
            break;
        }
        case WM_DRAWITEM:
            return drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
        default:
            break;
    }
    return FALSE;
}

bool TaskChooser::drawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    const auto button = buttonPictures_.find(id);
    if (button != buttonPictures_.end()) {
        const int side = TwipsToPixels(button->second.sideTwips, dpi_);
        DrawPictureButton(item, pictures_.icon(button->second.name, side), side,
                          GetSysColor(COLOR_BTNFACE));
        return true;
    }
    if (id != foldersId_) {
        return false;
    }
    const int row = static_cast<int>(item.itemID);
    if (row < 0 || row >= model_.Dir1.listCount()) {
        FillItem(item, GetSysColor(COLOR_WINDOW));
        return true;
    }
    // The folders from the root down to the one shown, open, then its subfolders one step
    // further in, closed; each by its last name, the root by its whole path.
    const bool open = row < model_.dir1Depth();
    const int depth = std::min(row, model_.dir1Depth());
    std::string name = model_.Dir1.list(row);
    if (row > 0) {
        const std::size_t separator = name.find_last_of('\\');
        if (separator != std::string::npos && separator + 1 < name.size()) {
            name = name.substr(separator + 1);
        }
    }
    DrawListRow(item, name, GetSysColor(COLOR_WINDOW),
                depth * TwipsToPixels(form::kFolderIndentTwips, dpi_),
                open ? openFolder_ : closedFolder_, GetSystemMetrics(SM_CXSMICON));
    return true;
}

}  // namespace tarnwick::win32view
