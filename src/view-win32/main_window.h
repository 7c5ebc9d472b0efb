#pragma once

// The main window: every control of the model as a child window at its place in twips, drawn in
// the form's colours and fonts, with their events forwarded to the model.
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/form_layout.h"
#include "view-win32/control_binder.h"

namespace tarnwick {
class FrmMain;
}

namespace tarnwick::win32view {

class Pictures;
class TrayIcon;

class MainWindow {
  public:
    // Creates the window hidden, with every control bound to the model.
    MainWindow(HINSTANCE instance, FrmMain& model, const Pictures& pictures, TrayIcon& tray);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    ControlBinder& binder() { return *binder_; }
    int dotsPerInch() const { return dpi_; }

    // Shows the window restored and in front.
    void bringBack();
    void hide();
    void minimize();
    // Closes the window for good; the message loop ends with it.
    void destroy();

    // The tab page shown (0 or 1).
    int page() const;

  private:
    struct Colors {
        COLORREF background;
        COLORREF text;
        HBRUSH brush;
    };
    // What the window needs to draw an owner-drawn item.
    struct Drawn {
        form::Kind kind;
        std::string picture;
        int pictureTwips;
    };
    class Builder;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT colorControl(HDC dc, HWND control);
    bool drawItem(const DRAWITEMSTRUCT& item);
    void setColors(int id, COLORREF background, COLORREF text = CLR_INVALID);
    // The captions' font at that size and weight, made once.
    HFONT font(double points, bool bold);

    HINSTANCE instance_;
    FrmMain& model_;
    const Pictures& pictures_;
    TrayIcon& tray_;
    int dpi_;
    UINT taskbarCreated_;
    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
    HWND focus_ = nullptr;
    HIMAGELIST tabPictures_ = nullptr;
    std::map<std::pair<double, bool>, HFONT> fonts_;
    int logRowHeight_ = 16;
    std::map<int, Colors> colors_;
    std::map<int, Drawn> drawn_;
    std::unique_ptr<ControlBinder> binder_;
    bool destroyed_ = false;
};

}  // namespace tarnwick::win32view
