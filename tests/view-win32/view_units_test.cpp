// The Win32 view's own small rules: twips to pixels, the tray tip's record field, the log list's
// answers to ANSI callers, the pictures' resource names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/controls.h"
#include "view-win32/control_binder.h"
#include "view-win32/form_metrics.h"
#include "view-win32/pictures.h"
#include "view-win32/tray_icon.h"

namespace tarnwick::win32view {
namespace {

TEST(TwipsToPixels, RoundsAndKeepsTouchingControlsTouching) {
    EXPECT_EQ(TwipsToPixels(13635, 96), 909);
    EXPECT_EQ(TwipsToPixels(13635, 144), 1364);  // 909.0 * 1.5, rounded
    // Two buttons of the right-hand column, at 120 dpi where a twip is not a whole pixel.
    EXPECT_EQ(TwipsRect(11880, 120, 1635, 1017, 120).bottom,
              TwipsRect(11880, 1137, 1635, 960, 120).top);
}

TEST(TrayTipText, CutsToSixtyThreeUnitsNeverHalfACharacter) {
    // Whatever the system's code page, the Chinese tip reaches the record.
    EXPECT_EQ(TrayTipText("正在扫描目标文件夹……"), L"正在扫描目标文件夹……");
    EXPECT_EQ(TrayTipText(std::string(70, 'a')), std::wstring(63, L'a'));
    // U+20000 takes two UTF-16 units: it fits after 61 letters, not after 62.
    EXPECT_EQ(TrayTipText(std::string(61, 'a') + "\xF0\xA0\x80\x80").size(), 63u);
    EXPECT_EQ(TrayTipText(std::string(62, 'a') + "\xF0\xA0\x80\x80"), std::wstring(62, L'a'));
}

TEST(LogList, AnswersAnsiCallersInTheCodePage) {
    ListBox rows;
    rows.addItem("05:00:00    程序启动！");
    // A message-only list box, which needs no display.
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", LBS_NODATA | LBS_OWNERDRAWFIXED, 0, 0, 10, 10,
                                HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    ControlBinder binder(list);
    binder.virtualList(list, rows);
    char ansi[64] = {};
    char expected[64] = {};
    WideCharToMultiByte(CP_ACP, 0, L"05:00:00    程序启动！", -1, expected, sizeof(expected),
                        nullptr, nullptr);
    EXPECT_GT(SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(ansi)), 0);
    EXPECT_STREQ(ansi, expected);
    binder.detach();
    DestroyWindow(list);
}

TEST(PictureResourceName, UpperCaseWithUnderscores) {
    EXPECT_EQ(PictureResourceName("folder-add"), "FOLDER_ADD");
}

}  // namespace
}  // namespace tarnwick::win32view
