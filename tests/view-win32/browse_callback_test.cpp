// The folder dialog's callback, against a window that records what the callback sends it.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "view-win32/browse_directorys_only.h"

namespace tarnwick::win32view {
namespace {

std::wstring sent;  // each message the callback sends: "number,flag,text;"

LRESULT CALLBACK Recorder(HWND window, UINT message, WPARAM flag, LPARAM value) {
    if (message != BFFM_SETSELECTIONW && message != BFFM_SETSTATUSTEXTW) {
        return DefWindowProcW(window, message, flag, value);
    }
    sent += std::to_wstring(message) + L"," + std::to_wstring(flag) + L"," +
            reinterpret_cast<const wchar_t*>(value) + L";";
    return 0;
}

TEST(BrowseCallback, OpensOnTheStartFolderAndShowsOnlyRealPaths) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Recorder;
    windowClass.lpszClassName = L"TarnwickBrowseRecorder";
    RegisterClassW(&windowClass);
    HWND dialog = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    SetBrowseStartFolder("C:\\windows");
    EXPECT_EQ(BrowseCallback(dialog, BFFM_INITIALIZED, 0, 0), 0);
    LPITEMIDLIST folder = ILCreateFromPathA("C:\\windows");
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    for (LPITEMIDLIST selected : {folder, computer}) {  // My Computer has no path: no status
        EXPECT_EQ(BrowseCallback(dialog, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(selected), 0),
                  0);
        CoTaskMemFree(selected);
    }
    EXPECT_EQ(BrowseCallback(dialog, BFFM_VALIDATEFAILEDA, 0, 0), 0);
    EXPECT_EQ(sent, std::to_wstring(BFFM_SETSELECTIONW) + L",1,C:\\windows;" +
                        std::to_wstring(BFFM_SETSTATUSTEXTW) + L",0,C:\\windows;");
    DestroyWindow(dialog);
}

}  // namespace
}  // namespace tarnwick::win32view
