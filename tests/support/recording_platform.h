#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/form_platform.h"

namespace tarnwick::test {

// A desktop that records what the window asks of it and answers from prepared replies.
class RecordingPlatform final : public FormPlatform {
  public:
    struct Message {
        std::string text;
        std::string title;
        bool operator==(const Message&) const = default;
    };
    struct TrayCall {
        std::string picture;
        std::string tip;
        TrayAction action;
        bool operator==(const TrayCall&) const = default;
    };

    void showMessage(const std::string& text, const std::string& title) override {
        onMessage();
        messages.push_back({text, title});
    }
    std::string browseForFolder(const std::string& prompt, const std::string& start) override {
        browses.push_back({prompt, start});
        std::string answer = folderAnswers.empty() ? "" : folderAnswers.front();
        if (!folderAnswers.empty()) {
            folderAnswers.pop_front();
        }
        return answer;
    }
    void showTaskChooser(Dialog& dialog) override { onTaskChooser(dialog); }
    void setTrayIcon(const std::string& picture, const std::string& tip,
                     TrayAction action) override {
        tray.push_back({picture, tip, action});
    }
    void processEvents() override {
        if (onProcessEvents) {
            onProcessEvents();
        }
    }
    void showWindow() override { windowShown = true; }
    void hideWindow() override { windowShown = false; }
    void minimizeWindow() override {}
    bool trayAvailable() override { return true; }
    void endProgram() override { ++programEnds; }
    bool anotherInstanceRunning() override { return false; }

    std::vector<Message> messages;
    std::vector<std::pair<std::string, std::string>> browses;  // prompt, start folder
    std::deque<std::string> folderAnswers;
    std::vector<TrayCall> tray;
    std::function<void(Dialog&)> onTaskChooser = [](Dialog&) {};
    std::function<void()> onMessage = [] {};
    std::function<void()> onProcessEvents;
    bool windowShown = false;
    int programEnds = 0;
};

}  // namespace tarnwick::test
