#pragma once

#include <functional>
#include <string>
#include <vector>

#include "backup/backup_host.h"

namespace tarnwick::test {

// A host that records what a pass tells it.
class RecordingHost final : public BackupHost {
  public:
    // The log as the window shows it: newest line first.
    std::vector<std::string> log() const { return {lines.rbegin(), lines.rend()}; }

    void logTop(std::string_view text) override { lines.emplace_back(text); }
    void passStarted() override { ++started; }
    void refreshProgress(std::string_view path) override {
        refreshedPaths.emplace_back(path);
        if (onRefresh) {
            onRefresh();
        }
    }
    void passEnded() override { ++ended; }
    bool noCopy() override { return noCopyBox; }
    bool stopRequested() override { return stop; }
    const TypeFilter& typeFilter() override { return filter; }
    void setDestinationText(const std::string& text) override { destination = text; }
    void setSourceEntry(std::size_t index, const std::string& entry) override {
        sourceEntries.emplace_back(index, entry);
    }

    std::vector<std::string> lines;  // in the order they were logged
    std::vector<std::string> refreshedPaths;
    std::function<void()> onRefresh;
    int started = 0;
    int ended = 0;
    bool noCopyBox = false;
    bool stop = false;
    TypeFilter filter;
    std::string destination;
    std::vector<std::pair<std::size_t, std::string>> sourceEntries;
};

}  // namespace tarnwick::test
