#include "view-win32/single_instance.h"

#include "common/win32_text.h"
#include "view-win32/control_ids.h"

namespace tarnwick::win32view {
namespace {

struct Search {
    DWORD ownProcess;
    HWND found;
};

// The main window of another process: this copy has made a window of the same class already.
BOOL CALLBACK FindOtherMainWindow(HWND window, LPARAM searchAddress) {
    auto* search = reinterpret_cast<Search*>(searchAddress);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (lstrcmpW(className, L"" TARNWICK_MAIN_CLASS) == 0 && process != search->ownProcess) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

SingleInstance::SingleInstance(std::string name) : name_("Local\\" + std::move(name)) {}

SingleInstance::~SingleInstance() {
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

bool SingleInstance::anotherRunning() {
    if (mutex_ != nullptr) {
        return false;  // this copy is the one running
    }
    mutex_ = CreateMutexW(nullptr, FALSE, Widen(name_).c_str());
    if (mutex_ == nullptr) {
        return false;  // no mutex can be had at all: run rather than refuse to start
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    CloseHandle(mutex_);
    mutex_ = nullptr;
    Search search = {GetCurrentProcessId(), nullptr};
    EnumWindows(FindOtherMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(search.found, &process);
        // The running copy may bring its window to the front: the user has just asked for it.
        AllowSetForegroundWindow(process);
        PostMessageW(search.found, kSecondStartMessage, 0, 0);
    }
    return true;
}

}  // namespace tarnwick::win32view
