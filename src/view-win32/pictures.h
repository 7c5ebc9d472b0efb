#pragma once

// The program's pictures, kept in its resources under their names ("app", "busy1", "start",
// "folder-add", ...; the QR code "qrcode"): the Linux program's drawings, as icons.
#include <windows.h>

#include <map>
#include <string>
#include <utility>

namespace tarnwick::win32view {

class Pictures {
  public:
    explicit Pictures(HINSTANCE instance);
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // The icon of that name drawn for a square of side pixels; null for an unknown name. The
    // icons stay valid as long as this object.
    HICON icon(const std::string& name, int side) const;

    // Draws the QR code centred in a rectangle, as large as whole pixels per module allow (a
    // scanner needs every module the same size).
    void drawQrCode(HDC dc, const RECT& area) const;

  private:
    HINSTANCE instance_;
    HBITMAP qrCode_;
    mutable std::map<std::pair<std::string, int>, HICON> icons_;
};

// The resource name of a picture: upper case, "-" as "_" ("folder-add" is FOLDER_ADD).
std::string PictureResourceName(const std::string& picture);

}  // namespace tarnwick::win32view
