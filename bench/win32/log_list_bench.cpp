// The log under a long pass: 100,000 lines inserted at its top, each through the window model's
// ListBox, bound as the window binds its log (an owner-drawn list box without data of its own)
// and, for comparison, bound to a list box that holds its own strings. The window handles its
// messages and paints every 500 lines, as it does at a pass's yields; the list holding strings
// paints only then too, so that the two differ in their lists alone. Prints the time each
// 10,000 lines took: a list whose cost grows with its length slows a pass down as it goes.
//   log_list_bench [LINES]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/controls.h"
#include "view-win32/control_binder.h"
#include "view-win32/form_metrics.h"
#include "view-win32/owner_draw.h"
#include "view-win32/win32_platform.h"

namespace {

using tarnwick::ListBox;
using namespace tarnwick::win32view;

constexpr int kBlock = 10000;
constexpr int kYieldEvery = 500;
constexpr int kListId = 100;

ListBox* drawnRows = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM && drawnRows != nullptr) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const int row = static_cast<int>(item.itemID);
        if (row >= 0 && row < drawnRows->listCount()) {
            DrawListRow(item, drawnRows->list(row), GetSysColor(COLOR_WINDOW));
        } else {
            FillItem(item, GetSysColor(COLOR_WINDOW));
        }
        return TRUE;
    }
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 14;
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

double Seconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Inserts the lines at the top and prints the time of each block; the total in seconds.
double Run(bool virtualList, int lines) {
    HWND window = CreateWindowExA(0, "TarnwickBench", virtualList ? "virtual" : "strings",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 920, 420, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT |
                        LBS_NOTIFY |
                        (virtualList ? LBS_NODATA | LBS_OWNERDRAWFIXED : LBS_HASSTRINGS);
    HWND list =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", style, 8, 8, 893, 336, window,
                        reinterpret_cast<HMENU>(kListId), GetModuleHandleA(nullptr), nullptr);
    HFONT font = CreateCaptionFont(9.75, false, ScreenDotsPerInch());
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    ListBox rows;
    drawnRows = &rows;
    double total = 0;
    {
        ControlBinder binder(window);
        if (virtualList) {
            binder.virtualList(list, rows);
        } else {
            binder.list(list, rows);
        }
        const double start = Seconds();
        double blockStart = start;
        if (!virtualList) {
            SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        }
        for (int i = 0; i < lines; ++i) {
            rows.insertFirst("12:00:00    D:\\备份\\文件夹\\file" + std::to_string(i) + ".txt");
            if ((i + 1) % kYieldEvery == 0) {
                binder.paintLists();
                if (!virtualList) {
                    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
                    InvalidateRect(list, nullptr, TRUE);
                }
                PumpMessages(window);
                if (!virtualList) {
                    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
                }
            }
            if ((i + 1) % kBlock == 0) {
                const double now = Seconds();
                std::printf("%-8s %7d lines: %7.1f ms for the last %d\n",
                            virtualList ? "virtual" : "strings", i + 1, (now - blockStart) * 1000,
                            kBlock);
                std::fflush(stdout);
                blockStart = now;
            }
        }
        total = Seconds() - start;
    }
    drawnRows = nullptr;
    DestroyWindow(window);
    DeleteObject(font);
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "TarnwickBench";
    RegisterClassA(&windowClass);
    const double virtualTotal = Run(true, lines);
    const double stringsTotal = Run(false, lines);
    std::printf("total for %d lines: virtual %.2f s, strings %.2f s\n", lines, virtualTotal,
                stringsTotal);
    return 0;
}
