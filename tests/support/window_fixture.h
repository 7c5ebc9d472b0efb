#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/fake_clock.h"
#include "support/memory_file_system.h"
#include "support/recording_platform.h"
#include "ui/frm_main.h"

namespace tarnwick::test {

// The defaults of a Windows system installed in C:\WINDOWS.
inline HostDefaults WindowsDefaults() {
    HostDefaults defaults;
    defaults.style = PathStyle::Windows;
    defaults.taskFile = "C:\\Tarnwick\\TarnwickConfig.ini";
    defaults.backFolder = "D:\\back";
    defaults.blankDestinationReplacement = "C:\\windows\\desktop";
    defaults.desktopFolder = "C:\\WINDOWS\\Desktop";
    defaults.documentsFolder = "C:\\My Documents";
    return defaults;
}

// A main window in Windows terms over a file system in memory with drives C:, D: and E:.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() : fs(PathStyle::Windows) {
        fs.addRoot("C:\\");
        fs.addRoot("D:\\");
        fs.addRoot("E:\\");
        fs.addFolder("C:\\Tarnwick");
        fs.current = "C:\\Tarnwick";
        clock.time = {9, 30, 5};
        window = std::make_unique<FrmMain>(platform, fs, clock, WindowsDefaults());
    }

    // Writes a task file with the given lines, joined by CRLF.
    void writeTask(const std::string& path, std::initializer_list<std::string> lines) {
        std::string text;
        for (const auto& line : lines) {
            text += line + "\r\n";
        }
        fs.addFile(path, 100, text.size(), text);
    }

    std::vector<std::string> items(const ListBox& list) const {
        return {list.items().begin(), list.items().end()};
    }

    MemoryFileSystem fs;
    RecordingPlatform platform;
    FakeClock clock;
    std::unique_ptr<FrmMain> window;
};

}  // namespace tarnwick::test
