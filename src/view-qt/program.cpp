#include "view-qt/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "view-qt/main_window.h"

namespace tarnwick::qtview {
namespace {

FileSystem& Chosen(FileSystem* given, std::unique_ptr<FileSystem>& own) {
    if (given != nullptr) {
        return *given;
    }
    own = MakeHostFileSystem();
    return *own;
}

}  // namespace

Program::Program(ProgramSetup setup)
    : pictures_(setup.qrText),
      tray_(pictures_, std::move(setup.trayAvailable)),
      instance_(setup.runtimeFolder),
      platform_(setup.dialogs != nullptr ? *setup.dialogs : systemDialogs_, tray_, instance_,
                pictures_),
      model_(platform_, Chosen(setup.fileSystem, hostFileSystem_),
             setup.clock != nullptr ? *setup.clock : systemClock_, std::move(setup.defaults)),
      window_(std::make_unique<MainWindow>(model_, pictures_)) {
    platform_.setWindow(window_.get());
    QObject::connect(&tray_, &TrayIcon::mouseMessage, window_.get(),
                     [this](TrayMouse event) { model_.TrayIcon_Event(event); });
    QObject::connect(&instance_, &SingleInstance::showRequested, window_.get(),
                     [this] { model_.SecondStart_Event(); });
}

Program::~Program() {
    platform_.setWindow(nullptr);
}

bool Program::start() {
    return model_.Form_Load() && !platform_.ended();
}

void PrepareApplication(QApplication& app) {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("tarnwick"));
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

}  // namespace tarnwick::qtview
