#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "cli/printable_text.h"
#include "ui/form_platform.h"

namespace tarnwick {

// The desktop as the command line has it: message boxes go to standard error as
// "TITLE: MESSAGE", and the folder browser answers with the folder the command line named.
class ConsolePlatform final : public FormPlatform {
  public:
    void showMessage(const std::string& text, const std::string& title) override {
        std::fprintf(stderr, "%s: %s\n", PrintableText(title).c_str(), PrintableText(text).c_str());
        ++messagesShown;
    }
    std::string browseForFolder(const std::string&, const std::string&) override {
        return std::exchange(nextFolder, std::string());
    }
    void showTaskChooser(Dialog&) override {}
    void setTrayIcon(const std::string&, const std::string&, TrayAction) override {}
    void processEvents() override {
        if (onEvents) {
            onEvents();
        }
    }
    void showWindow() override {}
    void hideWindow() override {}
    void minimizeWindow() override {}
    bool trayAvailable() override { return false; }
    void endProgram() override {}
    bool anotherInstanceRunning() override { return false; }

    // Runs where a window would handle its pending events (a pass's refresh).
    std::function<void()> onEvents;
    // The answer of the next folder browse.
    std::string nextFolder;
    int messagesShown = 0;
};

}  // namespace tarnwick
