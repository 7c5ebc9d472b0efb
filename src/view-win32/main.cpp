// tarnwick.exe: the Windows program, a Win32 view of the window's model.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "view-win32/program.h"

namespace {

// Lays the window out at the screen's real dots per inch instead of letting the system stretch a
// 96-dot picture. The call exists from Windows Vista on.
void DeclareDpiAware() {
    HMODULE user = GetModuleHandleA("user32.dll");
    using Function = BOOL(WINAPI*)();
    auto function = user != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
                                          GetProcAddress(user, "SetProcessDPIAware")))
                                    : nullptr;
    if (function != nullptr) {
        function();
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DeclareDpiAware();
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's folder dialog wants COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int exitCode = 0;
    {
        tarnwick::win32view::Program program(instance);
        if (program.start()) {
            exitCode = program.run();
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
