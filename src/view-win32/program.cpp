#include "view-win32/program.h"

#include "view-win32/main_window.h"

namespace tarnwick::win32view {

Program::Program(HINSTANCE instance)
    : fileSystem_(MakeHostFileSystem()),
      pictures_(instance),
      tray_(pictures_),
      singleInstance_("Tarnwick.SingleInstance"),
      platform_(instance, pictures_, tray_, singleInstance_),
      model_(platform_, *fileSystem_, clock_, MakeHostDefaults()),
      window_(std::make_unique<MainWindow>(instance, model_, pictures_, tray_)) {
    platform_.setWindow(window_.get());
}

Program::~Program() {
    platform_.setWindow(nullptr);
    window_.reset();
}

bool Program::start() {
    return model_.Form_Load() && !platform_.ended();
}

int Program::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchOne(message, window_->handle());
    }
    return static_cast<int>(message.wParam);
}

}  // namespace tarnwick::win32view
