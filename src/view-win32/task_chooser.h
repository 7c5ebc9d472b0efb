#pragma once

// The task chooser: a modal dialog with the drive list, the folder list and the list of the
// folder's "*.ini" files at their places in twips, bound to the Dialog model.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/form_layout.h"
#include "view-win32/control_binder.h"

namespace tarnwick {
class Dialog;
}

namespace tarnwick::win32view {

class Pictures;

class TaskChooser {
  public:
    TaskChooser(Dialog& model, const Pictures& pictures, HINSTANCE instance, int dotsPerInch);
    ~TaskChooser();
    TaskChooser(const TaskChooser&) = delete;
    TaskChooser& operator=(const TaskChooser&) = delete;

    // Shows the dialog over its owner and returns once it has closed.
    void run(HWND owner);

  private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void build();
    HWND create(const wchar_t* className, DWORD style, const form::Look& look, DWORD exStyle = 0);
    HWND make(const form::BoundItem& item);
    bool drawItem(const DRAWITEMSTRUCT& item);

    Dialog& model_;
    const Pictures& pictures_;
    HINSTANCE instance_;
    int dpi_;
    HWND dialog_ = nullptr;
    HFONT font_ = nullptr;
    HICON openFolder_ = nullptr;
    HICON closedFolder_ = nullptr;
    int rowHeight_ = 16;
    struct Picture {
        std::string name;
        int sideTwips;
    };
    std::map<int, Picture> buttonPictures_;
    int foldersId_ = 0;
    std::function<void(int)> openRow_;
    std::unique_ptr<ControlBinder> binder_;
};

}  // namespace tarnwick::win32view
