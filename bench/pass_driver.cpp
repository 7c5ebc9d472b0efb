// Runs one backup pass from the command line, with the log on standard output.
//   tarnwick-pass [--quiet] [--no-copy] [--last-name] DESTINATION SOURCE...
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "backup/backup_pass.h"

namespace {

class ConsoleHost final : public tarnwick::BackupHost {
  public:
    ConsoleHost(bool quiet, bool noCopy) : quiet_(quiet), noCopy_(noCopy) {}

    void logTop(std::string_view text) override {
        if (!quiet_) {
            std::printf("%s    %.*s\n", tarnwick::FormatTimeOfDay(clock_.timeOfDay()).c_str(),
                        static_cast<int>(text.size()), text.data());
        }
    }
    void passStarted() override {}
    void refreshProgress(std::string_view) override {}
    void passEnded() override {}
    bool noCopy() override { return noCopy_; }
    bool stopRequested() override { return false; }
    const tarnwick::TypeFilter& typeFilter() override { return filter_; }
    void setDestinationText(const std::string&) override {}
    void setSourceEntry(std::size_t, const std::string&) override {}

  private:
    bool quiet_;
    bool noCopy_;
    tarnwick::SystemClock clock_;
    tarnwick::TypeFilter filter_;
};

}  // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    bool noCopy = false;
    tarnwick::PassOptions options;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quiet") == 0) {
            quiet = true;
        } else if (std::strcmp(argv[i], "--no-copy") == 0) {
            noCopy = true;
        } else if (std::strcmp(argv[i], "--last-name") == 0) {
            options.fullPath = false;
        } else {
            paths.emplace_back(argv[i]);
        }
    }
    if (paths.size() < 2) {
        std::fprintf(
            stderr,
            "usage: tarnwick-pass [--quiet] [--no-copy] [--last-name] DESTINATION SOURCE...\n");
        return 2;
    }
    options.destination = paths.front();
    options.sources.assign(paths.begin() + 1, paths.end());
    ConsoleHost host(quiet, noCopy);
    tarnwick::SystemClock clock;
    auto fs = tarnwick::MakeHostFileSystem();
    const tarnwick::PassResult result = tarnwick::RunBackup(options, host, *fs, clock);
    return result.failed() ? 1 : 0;
}
