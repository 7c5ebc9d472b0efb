// The folder dialog's callback, against a window that records what the callback sends it.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view-win32/browse_directorys_only.h"

namespace tarnwick::win32view {
namespace {

struct Sent {
    UINT message;
    WPARAM flag;
    std::wstring text;
};
std::vector<Sent> sent;

LRESULT CALLBACK Recorder(HWND window, UINT message, WPARAM flag, LPARAM value) {
    if (message == 0x468 || message == 0x467) {
        sent.push_back({message, flag, reinterpret_cast<const wchar_t*>(value)});
        return 0;
    }
    return DefWindowProcA(window, message, flag, value);
}

class BrowseCallbackTest : public ::testing::Test {
  protected:
    BrowseCallbackTest() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Recorder;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TarnwickBrowseRecorder";
        RegisterClassA(&windowClass);
        dialog = CreateWindowExA(0, "TarnwickBrowseRecorder", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, windowClass.hInstance, nullptr);
        sent.clear();
    }
    ~BrowseCallbackTest() override { DestroyWindow(dialog); }

    HWND dialog;
};

TEST_F(BrowseCallbackTest, PositionsTheDialogOnTheStartFolderWhenReady) {
    ASSERT_NE(dialog, nullptr);
    SetBrowseStartFolder("C:\\windows");
    EXPECT_EQ(BrowseCallback(dialog, 1, 0, 0), 0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, 0x467u);
    EXPECT_EQ(sent[0].flag, 1u);
    EXPECT_EQ(sent[0].text, L"C:\\windows");
}

TEST_F(BrowseCallbackTest, ShowsTheSelectedFoldersPathAsStatusText) {
    LPITEMIDLIST folder = ILCreateFromPathA("C:\\windows");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(BrowseCallback(dialog, 2, reinterpret_cast<LPARAM>(folder), 0), 0);
    ILFree(folder);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, 0x468u);
    EXPECT_EQ(sent[0].flag, 0u);
    EXPECT_EQ(sent[0].text, L"C:\\windows");
}

TEST_F(BrowseCallbackTest, KeepsTheStatusTextForAFolderWithoutAPath) {
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    EXPECT_EQ(BrowseCallback(dialog, 2, reinterpret_cast<LPARAM>(computer), 0), 0);
    CoTaskMemFree(computer);
    EXPECT_EQ(BrowseCallback(dialog, 3, 0, 0), 0);
    EXPECT_TRUE(sent.empty());
}

}  // namespace
}  // namespace tarnwick::win32view
