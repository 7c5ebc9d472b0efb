// A randomized soak of the pass on real folders. Two source folders change at random for many
// rounds (new files and folders, new contents with new times, new times only, deletions, renames,
// odd and long names, deep nesting, a file turning into a folder and back) and a pass with
// varying filters runs after each round. A plain model of the rules predicts every pass: which
// files are copied, which fail and why, the log and the counts; the destination must match it
// exactly, file by file, and never lose anything. A second soak raises the stop flag at a random
// refresh: the destination then holds no partial file, and the next pass completes the backup.
//
// TARNWICK_SOAK_ROUNDS sets the rounds of each soak (a short run by default); every failure names
// its seed, and TARNWICK_SOAK_SEED replays it.
#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "backup/backup_pass.h"
#include "backup/posix_file_system.h"
#include "support/fake_clock.h"
#include "support/injected_faults.h"
#include "support/recording_host.h"
#include "support/temp_tree.h"

namespace tarnwick {
namespace {

namespace stdfs = std::filesystem;

constexpr int kDefaultRounds = 25;
constexpr std::size_t kMaxPathBytes = 3500;  // well inside PATH_MAX with the destination's prefix

std::uint64_t SeedFromEnvironment() {
    if (const char* text = std::getenv("TARNWICK_SOAK_SEED")) {
        return std::strtoull(text, nullptr, 10);
    }
    return std::random_device()() * 4294967296ULL + std::random_device()();
}

int RoundsFromEnvironment() {
    const char* text = std::getenv("TARNWICK_SOAK_ROUNDS");
    return text != nullptr ? std::max(1, std::atoi(text)) : kDefaultRounds;
}

// ---------------------------------------------------------------------------------------------
// The trees as the soak sees them.

struct Version {
    std::string bytes;
    std::int64_t seconds = 0;
    bool operator==(const Version&) const = default;
};

struct Tree {
    std::map<std::string, Version> files;         // full path -> contents and time
    std::map<std::string, std::int64_t> folders;  // full path -> modification time (seconds)
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::int64_t SecondsOf(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_mtim.tv_sec) : -1;
}

// Reads a tree again and again, reading a file's bytes anew only when its inode, size or times
// changed since the last reading. Every write changes a file's change time and a copy arrives as
// a new file renamed into place, so the bytes of an unchanged file are the bytes read before; a
// long soak's destination, which only grows, is then not read whole after every pass.
class TreeReader {
  public:
    Tree read(const std::string& root) {
        Tree tree;
        if (!stdfs::exists(root)) {
            return tree;
        }
        for (const auto& entry : stdfs::recursive_directory_iterator(root)) {
            const std::string path = entry.path().string();
            struct stat st;
            if (::lstat(path.c_str(), &st) != 0) {
                continue;
            }
            if (S_ISDIR(st.st_mode)) {
                tree.folders[path] = st.st_mtim.tv_sec;
                continue;
            }
            const Fingerprint print{st.st_ino,          st.st_size,        st.st_mtim.tv_sec,
                                    st.st_mtim.tv_nsec, st.st_ctim.tv_sec, st.st_ctim.tv_nsec};
            auto& known = known_[path];
            if (!(known.first == print)) {
                known = {print, ReadAll(path)};
            }
            tree.files[path] = {known.second, st.st_mtim.tv_sec};
        }
        return tree;
    }

  private:
    struct Fingerprint {
        ino_t inode = 0;
        off_t size = -1;
        time_t mtime = 0;
        long mtimeNanoseconds = 0;
        time_t ctime = 0;
        long ctimeNanoseconds = 0;
        bool operator==(const Fingerprint&) const = default;
    };
    std::map<std::string, std::pair<Fingerprint, std::string>> known_;
};

std::string Upper(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

std::string NameOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

// A log line as compared: a failure's system reason is left off, the rest is exact.
std::string WithoutReason(const std::string& line) {
    if (line.starts_with("复制失败:") || line.starts_with("无法创建文件夹:")) {
        const auto reason = line.rfind(" (");
        if (reason != std::string::npos && line.ends_with(')')) {
            return line.substr(0, reason);
        }
    }
    return line;
}

// ---------------------------------------------------------------------------------------------
// What a pass is asked to do, and the model's reading of the rules.

struct Filters {
    bool includeSubDirs = true;
    bool sizeLimitOn = false;
    std::string sizeLimitText = "300";
    std::int64_t sizeLimitBytes = 300 * 1024;
    int mode = 0;
    std::vector<std::string> only;
    std::vector<std::string> skip;

    bool selects(const std::string& fullPath, std::uint64_t size) const {
        if (sizeLimitOn) {
            return static_cast<std::int64_t>(size) <= sizeLimitBytes;
        }
        const auto dot = fullPath.rfind('.');
        const std::string extension = Upper(dot == std::string::npos ? "" : fullPath.substr(dot));
        const auto listed = [&](const std::vector<std::string>& list) {
            return std::any_of(list.begin(), list.end(),
                               [&](const std::string& entry) { return Upper(entry) == extension; });
        };
        return mode == 0 || (mode == 1 && listed(only)) || (mode == 2 && !listed(skip));
    }

    bool skipsFolder(const std::string& name) const {
        return mode == 2 && std::any_of(skip.begin(), skip.end(), [&](const std::string& entry) {
                   return Upper(entry) == "\\" + Upper(name);
               });
    }
};

struct Prediction {
    Tree destination;
    std::multiset<std::string> lines;  // between the start line and the counts, reasons left off
    std::int64_t copied = 0;
    std::int64_t bytes = 0;
    std::int64_t failedCopies = 0;
    std::int64_t failedFolders = 0;
};

class Model {
  public:
    Model(const Tree& before, const Filters& filters) : before_(before), filters_(filters) {
        prediction_.destination = before;
    }

    // The pass over one source folder into its target folder, which it creates with its parents.
    void source(const std::string& folder, const std::string& target, const std::string& top) {
        for (std::string path = target; path.size() > top.size();
             path = path.substr(0, path.rfind('/'))) {
            prediction_.destination.folders.try_emplace(path, -1);
        }
        walk(folder, target);
    }

    Prediction result() const { return prediction_; }

  private:
    void walk(const std::string& folder, const std::string& target) {
        std::vector<stdfs::directory_entry> entries(stdfs::directory_iterator(folder), {});
        std::vector<std::string> subfolders;
        auto& files = prediction_.destination.files;
        auto& folders = prediction_.destination.folders;
        for (const auto& entry : entries) {
            const std::string name = NameOf(entry.path().string());
            const std::string full = folder + "/" + name;
            const std::string copy = target + "/" + name;
            if (entry.is_directory()) {
                if (filters_.skipsFolder(name)) {
                    continue;
                }
                if (filters_.includeSubDirs && folders.count(copy) == 0) {
                    if (files.count(copy) != 0) {
                        prediction_.lines.insert("无法创建文件夹:" + copy);
                        ++prediction_.failedFolders;
                        continue;
                    }
                    folders[copy] = -1;
                }
                subfolders.push_back(name);
                continue;
            }
            const Version source{ReadAll(full), SecondsOf(full)};
            const auto oldCopy = files.find(copy);
            const auto oldFolder = before_.folders.find(copy);
            const bool candidate =
                oldCopy != files.end()               ? oldCopy->second.seconds != source.seconds
                : oldFolder != before_.folders.end() ? oldFolder->second != source.seconds
                                                     : true;
            if (!candidate || !filters_.selects(full, source.bytes.size())) {
                continue;
            }
            prediction_.lines.insert(full);
            if (folders.count(copy) != 0) {
                prediction_.lines.insert("复制失败:" + full);  // a folder stands in its place
                ++prediction_.failedCopies;
                continue;
            }
            files[copy] = source;
            ++prediction_.copied;
            prediction_.bytes += static_cast<std::int64_t>(source.bytes.size());
        }
        if (filters_.includeSubDirs) {
            for (const auto& name : subfolders) {
                walk(folder + "/" + name, target + "/" + name);
            }
        }
    }

    const Tree& before_;
    const Filters& filters_;
    Prediction prediction_;
};

// ---------------------------------------------------------------------------------------------
// The soak: the source tree, its random changes, the passes and their checks.

class Soak {
  public:
    explicit Soak(std::uint64_t seed)
        : random_(seed),
          faults_(std::make_shared<test::InjectedFaults>()),
          fs_(MakePosixFileSystem(test::CallsWithFaults(faults_))) {
        sources_ = {tree_.path("src/alpha"), tree_.path("src/beta")};
        for (const auto& source : sources_) {
            stdfs::create_directories(source);
        }
        destination_ = tree_.path("back");
        fullPath_ = chance(0.5);
        for (int i = 0; i < 40; ++i) {
            chance(0.7) ? newFile() : newFolder();
        }
        before_ = destinationReader_.read(destination_);
    }

    // A handful of random changes to the source folders.
    void change() {
        const int changes = between(1, 8);
        for (int i = 0; i < changes; ++i) {
            const auto files = sourceFiles();
            const bool crowded = files.size() > 250;
            switch (between(0, crowded ? 13 : 11)) {
                case 0:
                case 1:
                    newFile();
                    break;
                case 2:
                    newFolder();
                    break;
                case 3:
                    deepChain();
                    break;
                case 4:
                    withFile(files, [&](const std::string& file) {
                        write(file, content(), newSecondsFor(file));
                    });
                    break;
                case 5:
                    withFile(files, [&](const std::string& file) {
                        setTime(file, newSecondsFor(file), between(0, 999'999'999));
                    });
                    break;
                case 6:
                    // Only the fraction of a second changes: the copy still counts as equal.
                    withFile(files, [&](const std::string& file) {
                        setTime(file, SecondsOf(file), between(0, 999'999'999));
                    });
                    break;
                case 7:
                    withFile(files, [&](const std::string& file) { rename(file); });
                    break;
                case 8:
                    withFolder([&](const std::string& folder) { rename(folder); });
                    break;
                case 9:
                    // A file becomes a folder of the same name, or a folder a file.
                    if (chance(0.5)) {
                        withFile(files, [&](const std::string& file) {
                            stdfs::remove(file);
                            stdfs::create_directory(file);
                            write(file + "/inside.txt", content(), randomSeconds());
                        });
                    } else {
                        withFolder([&](const std::string& folder) {
                            stdfs::remove_all(folder);
                            write(folder, content(), randomSeconds());
                        });
                    }
                    break;
                case 10:
                case 12:
                    withFile(files, [](const std::string& file) { stdfs::remove(file); });
                    break;
                default:
                    withFolder([](const std::string& folder) { stdfs::remove_all(folder); });
                    break;
            }
        }
    }

    // New filters for the next pass.
    void chooseFilters() {
        filters_ = Filters();
        filters_.includeSubDirs = chance(0.85);
        filters_.sizeLimitOn = chance(0.25);
        const char* const limits[] = {"0.5", "1", "4", "16", "300"};
        filters_.sizeLimitText = limits[between(0, 4)];
        filters_.sizeLimitBytes =
            static_cast<std::int64_t>(std::stod(filters_.sizeLimitText) * 1024);
        filters_.mode = between(0, 2);
        for (const char* type : {".txt", ".doc", ".DAT", ".gz"}) {
            if (chance(0.5)) {
                filters_.only.emplace_back(type);
            }
        }
        for (const char* type : {".bak", ".tmp", "\\bak", "\\深层", ".TXT"}) {
            if (chance(0.5)) {
                filters_.skip.emplace_back(type);
            }
        }
        // Short transfers make a copy take many steps, so a stop can come in the middle of one.
        const std::size_t transfers[] = {4096, 65536, std::numeric_limits<std::size_t>::max()};
        faults_->maxTransfer = transfers[between(0, 2)];
        faults_->kernelCopy = chance(0.7);
    }

    // A pass without a stop, checked against the model.
    void passAndCheck() {
        const Prediction expected = predict();
        test::RecordingHost host;
        const PassResult result = run(host);
        const Tree after = destinationReader_.read(destination_);
        checkNothingLost(after);
        checkNoTemporaryFile(after);
        EXPECT_EQ(result.updatedCount, expected.copied);
        EXPECT_EQ(result.updatedBytes, expected.bytes);
        EXPECT_EQ(result.failedCopies, expected.failedCopies);
        EXPECT_EQ(result.failedFolders, expected.failedFolders);
        EXPECT_FALSE(result.stopped);
        compareFiles(after, expected.destination);
        EXPECT_EQ(Keys(after.folders), Keys(expected.destination.folders));
        EXPECT_EQ(middleOfLog(host, expected.failedCopies, expected.copied, expected.bytes),
                  expected.lines);
        checkEverySelectedFileHasItsCopy(after);
        copied_ += result.updatedCount;
        before_ = after;
    }

    // A pass stopped at a random refresh: every file in the destination is its old copy or the
    // source as it is now, and the counts say how many were replaced.
    void stoppedPassAndCheck() {
        const Prediction expected = predict();
        test::RecordingHost host;
        const int stopAt = between(1, static_cast<int>(sourceFiles().size()) + 2);
        int refreshes = 0;
        host.onRefresh = [&] { host.stop = host.stop || ++refreshes == stopAt; };
        const PassResult result = run(host);
        const Tree after = destinationReader_.read(destination_);
        checkNothingLost(after);
        checkNoTemporaryFile(after);
        EXPECT_EQ(result.stopped, host.stop);
        std::int64_t replaced = 0;
        std::int64_t bytes = 0;
        for (const auto& [path, version] : after.files) {
            const auto old = before_.files.find(path);
            if (old != before_.files.end() && old->second == version) {
                continue;
            }
            ++replaced;
            bytes += static_cast<std::int64_t>(version.bytes.size());
            const std::string source = sourceOf(path);
            ASSERT_FALSE(source.empty()) << path;
            EXPECT_EQ(version, (Version{ReadAll(source), SecondsOf(source)}))
                << path << " is neither its old copy nor its source";
        }
        EXPECT_EQ(result.updatedCount, replaced);
        EXPECT_EQ(result.updatedBytes, bytes);
        for (const auto& line : host.lines) {
            const std::string shown = WithoutReason(line);
            if (shown.starts_with("/")) {
                EXPECT_EQ(expected.lines.count(shown), 1u) << shown << " was not to be copied";
            }
        }
        stops_ += result.stopped ? 1 : 0;
        before_ = after;
    }

    std::uint64_t copied() const { return copied_; }
    int stops() const { return stops_; }

  private:
    // ---- the pass ----

    PassResult run(test::RecordingHost& host) {
        PassOptions options;
        options.destination = destination_;
        options.sources = sources_;
        options.fullPath = fullPath_;
        options.includeSubDirs = filters_.includeSubDirs;
        options.sizeLimitOn = filters_.sizeLimitOn;
        options.sizeLimitText = filters_.sizeLimitText;
        options.style = PathStyle::Posix;
        host.filter = BuildTypeFilter(filters_.mode, filters_.only, filters_.skip);
        test::FakeClock clock;
        clock.stepPerReading = 0.25;  // a refresh every few steps
        return RunBackup(options, host, *fs_, clock);
    }

    std::string targetOf(const std::string& source) const {
        return fullPath_ ? destination_ + source : destination_ + "/" + NameOf(source);
    }

    std::string sourceOf(const std::string& copy) const {
        for (const auto& source : sources_) {
            const std::string target = targetOf(source);
            if (copy.starts_with(target + "/")) {
                return source + copy.substr(target.size());
            }
        }
        return {};
    }

    Prediction predict() const {
        Model model(before_, filters_);
        for (const auto& source : sources_) {
            model.source(source, targetOf(source), destination_);
        }
        return model.result();
    }

    // ---- checks ----

    template <typename Map>
    static std::set<std::string> Keys(const Map& map) {
        std::set<std::string> keys;
        for (const auto& [key, value] : map) {
            keys.insert(key);
        }
        return keys;
    }

    void checkNothingLost(const Tree& after) const {
        for (const auto& [path, version] : before_.files) {
            EXPECT_EQ(after.files.count(path), 1u) << path << " was deleted";
        }
        for (const auto& [path, seconds] : before_.folders) {
            EXPECT_EQ(after.folders.count(path), 1u) << path << " was deleted";
        }
    }

    static void checkNoTemporaryFile(const Tree& after) {
        for (const auto& [path, version] : after.files) {
            EXPECT_FALSE(NameOf(path).starts_with(".tarnwick-")) << path << " was left behind";
        }
    }

    static void compareFiles(const Tree& actual, const Tree& expected) {
        EXPECT_EQ(Keys(actual.files), Keys(expected.files));
        for (const auto& [path, version] : expected.files) {
            const auto found = actual.files.find(path);
            if (found != actual.files.end()) {
                EXPECT_EQ(found->second.seconds, version.seconds) << path;
                EXPECT_TRUE(found->second.bytes == version.bytes) << path << " differs";
            }
        }
    }

    // The log of a pass reads: start line, files and failures, the failure count, the summary.
    static std::multiset<std::string> middleOfLog(const test::RecordingHost& host,
                                                  std::int64_t failed, std::int64_t copied,
                                                  std::int64_t bytes) {
        std::vector<std::string> lines = host.lines;
        EXPECT_GE(lines.size(), 2u);
        if (lines.size() < 2) {
            return {};
        }
        EXPECT_EQ(lines.front(), "正在扫描目标文件夹…");
        EXPECT_EQ(lines.back(), copied > 0 ? "更新了 " + std::to_string(copied) + " 个文件(" +
                                                 std::to_string(bytes) + ")！"
                                           : "目标文件没有更新！");
        lines.pop_back();
        if (failed > 0) {
            EXPECT_EQ(lines.back(), "有 " + std::to_string(failed) + " 个文件复制失败！");
            lines.pop_back();
        }
        std::multiset<std::string> middle;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            middle.insert(WithoutReason(lines[i]));
        }
        return middle;
    }

    // Said plainly, apart from the model: each source file the filters take has a copy with its
    // bytes and its time, unless a folder of its name was in the way.
    void checkEverySelectedFileHasItsCopy(const Tree& after) const {
        for (const auto& source : sources_) {
            const std::string target = targetOf(source);
            auto it = stdfs::recursive_directory_iterator(source);
            for (; it != stdfs::recursive_directory_iterator(); ++it) {
                const std::string path = it->path().string();
                if (it->is_directory()) {
                    if (filters_.skipsFolder(NameOf(path)) || !filters_.includeSubDirs) {
                        it.disable_recursion_pending();
                    }
                    continue;
                }
                const Version version{ReadAll(path), SecondsOf(path)};
                if (!filters_.selects(path, version.bytes.size())) {
                    continue;
                }
                const std::string copy = target + path.substr(source.size());
                if (blocked(after, copy, target)) {
                    continue;
                }
                const auto found = after.files.find(copy);
                EXPECT_TRUE(found != after.files.end() && found->second == version)
                    << path << " has no copy with its bytes and time";
            }
        }
    }

    // Whether a folder stands where the copy goes, or a file where one of its folders goes.
    static bool blocked(const Tree& after, const std::string& copy, const std::string& top) {
        if (after.folders.count(copy) != 0) {
            return true;
        }
        for (std::string parent = copy.substr(0, copy.rfind('/')); parent.size() > top.size();
             parent = parent.substr(0, parent.rfind('/'))) {
            if (after.files.count(parent) != 0) {
                return true;
            }
        }
        return false;
    }

    // ---- random changes ----

    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    std::int64_t randomSeconds() { return between(1'000'000'000, 1'700'000'000); }

    std::int64_t newSecondsFor(const std::string& file) {
        const std::int64_t old = SecondsOf(file);
        std::int64_t seconds = randomSeconds();
        return seconds == old ? seconds + 1 : seconds;
    }

    std::string content() {
        const std::size_t size = chance(0.1)   ? between(4096, 300'000)
                                 : chance(0.1) ? 0
                                               : between(1, 3000);
        std::string bytes(size, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(between(0, 255));
        }
        return bytes;
    }

    std::string name(bool folder) {
        static const char* const kPlain[] = {"a", "report", "Data", "notes", "x1", "Zeta"};
        static const char* const kOdd[] = {
            "报告",     "数据备份",    "文档 草稿",  "with space",  " lead",
            "trail ",   "two  spaces", "-rf",        "--help",      "-",
            "-n x",     ".hidden",     "semi;colon", "equals=sign", "[brackets]",
            "hash#tag", "back\\slash", "tab\there",  "quote'\"",    "\xff\xfe bytes",
            "a (1)",    "UPPER",       "mIxEd"};
        static const char* const kFolderNames[] = {"bak", "BAK", "Bak", "深层", "sub", "tmp"};
        static const char* const kExtensions[] = {".txt", ".TXT", ".doc",    ".Doc", ".bak",
                                                  ".dat", "",     ".tar.gz", ".tmp", ".文档"};
        std::string base;
        const int kind = between(0, 9);
        if (kind < 3) {
            base = kPlain[between(0, 5)];
        } else if (kind < 6) {
            base = kOdd[between(0, 22)];
        } else if (kind < 9 && folder) {
            base = kFolderNames[between(0, 5)];  // names the folder filter takes out
        } else if (kind < 9) {
            base = kPlain[between(0, 5)];
        } else {
            // Long, up to the 255 bytes a name may have; CJK takes three bytes a character.
            const std::size_t length = static_cast<std::size_t>(between(200, 245));
            while (base.size() + 3 <= length) {
                base +=
                    chance(0.2) ? "长" : std::string(1, static_cast<char>('a' + between(0, 25)));
            }
        }
        if (!folder) {
            base += kExtensions[between(0, 9)];
        }
        return base;
    }

    std::vector<std::string> sourceFolders() const {
        std::vector<std::string> folders(sources_.begin(), sources_.end());
        for (const auto& source : sources_) {
            for (const auto& entry : stdfs::recursive_directory_iterator(source)) {
                if (entry.is_directory()) {
                    folders.push_back(entry.path().string());
                }
            }
        }
        return folders;
    }

    std::vector<std::string> sourceFiles() const {
        std::vector<std::string> files;
        for (const auto& source : sources_) {
            for (const auto& entry : stdfs::recursive_directory_iterator(source)) {
                if (!entry.is_directory()) {
                    files.push_back(entry.path().string());
                }
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    // A free path for a new entry in a random folder; empty when none fits.
    std::string freePath(bool folder, std::string in = {}) {
        const auto folders = sourceFolders();
        if (in.empty()) {
            std::vector<std::string> sorted(folders.begin(), folders.end());
            std::sort(sorted.begin(), sorted.end());
            in = sorted[static_cast<std::size_t>(between(0, static_cast<int>(sorted.size()) - 1))];
        }
        for (int attempt = 0; attempt < 10; ++attempt) {
            const std::string path = in + "/" + name(folder);
            if (!stdfs::exists(stdfs::symlink_status(path)) && path.size() < kMaxPathBytes) {
                return path;
            }
        }
        return {};
    }

    void newFile() {
        const std::string path = freePath(false);
        if (!path.empty()) {
            write(path, content(), randomSeconds());
        }
    }

    void newFolder() {
        const std::string path = freePath(true);
        if (path.empty()) {
            return;
        }
        stdfs::create_directory(path);
        for (int i = between(0, 3); i > 0; --i) {
            if (const std::string file = freePath(false, path); !file.empty()) {
                write(file, content(), randomSeconds());
            }
        }
    }

    void deepChain() {
        std::string path = freePath(true);
        for (int depth = between(8, 30); depth > 0 && !path.empty(); --depth) {
            stdfs::create_directory(path);
            path = path + "/" + (chance(0.3) ? "深" : "d") + std::to_string(depth);
            if (path.size() >= kMaxPathBytes) {
                return;
            }
        }
        if (!path.empty()) {
            stdfs::create_directory(path);
            write(path + "/deep.txt", content(), randomSeconds());
        }
    }

    void rename(const std::string& from) {
        const std::string to = freePath(stdfs::is_directory(from));
        // Never into itself, and every path below it stays short enough.
        std::size_t below = 0;
        if (stdfs::is_directory(from)) {
            for (const auto& entry : stdfs::recursive_directory_iterator(from)) {
                below = std::max(below, entry.path().string().size() - from.size());
            }
        }
        if (to.empty() || to.starts_with(from + "/") || to.size() + below >= kMaxPathBytes) {
            return;
        }
        stdfs::rename(from, to);
    }

    template <typename Action>
    void withFile(const std::vector<std::string>& files, Action action) {
        if (!files.empty()) {
            action(files[static_cast<std::size_t>(between(0, static_cast<int>(files.size()) - 1))]);
        }
    }

    template <typename Action>
    void withFolder(Action action) {
        auto folders = sourceFolders();
        std::sort(folders.begin(), folders.end());
        folders.erase(std::remove_if(folders.begin(), folders.end(),
                                     [&](const std::string& f) {
                                         return std::find(sources_.begin(), sources_.end(), f) !=
                                                sources_.end();
                                     }),
                      folders.end());
        if (!folders.empty()) {
            action(folders[static_cast<std::size_t>(
                between(0, static_cast<int>(folders.size()) - 1))]);
        }
    }

    static void write(const std::string& path, const std::string& bytes, std::int64_t seconds) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        setTime(path, seconds, 0);
    }

    static void setTime(const std::string& path, std::int64_t seconds, long nanoseconds) {
        const struct timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    }

    std::mt19937_64 random_;
    test::TempTree tree_;
    std::shared_ptr<test::InjectedFaults> faults_;
    std::unique_ptr<FileSystem> fs_;
    std::vector<std::string> sources_;
    std::string destination_;
    bool fullPath_ = false;
    Filters filters_;
    TreeReader destinationReader_;
    Tree before_;
    std::uint64_t copied_ = 0;
    int stops_ = 0;
};

std::string Replay(std::uint64_t seed) {
    return "seed " + std::to_string(seed) +
           " (replay with TARNWICK_SOAK_SEED=" + std::to_string(seed) + ")";
}

TEST(Soak, EveryPassMatchesTheModelWhileTheTreeChanges) {
    const std::uint64_t seed = SeedFromEnvironment();
    const int rounds = RoundsFromEnvironment();
    SCOPED_TRACE(Replay(seed));
    Soak soak(seed);
    for (int round = 1; round <= rounds && !::testing::Test::HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        soak.chooseFilters();
        soak.passAndCheck();
        soak.change();
        if (round % 100 == 0) {
            std::cout << "soak: round " << round << ", " << soak.copied() << " files copied\n"
                      << std::flush;
        }
    }
    std::cout << "soak: " << Replay(seed) << ", " << rounds << " rounds, " << soak.copied()
              << " files copied\n";
}

TEST(Soak, AStopAtARandomRefreshLeavesNoPartialFileAndTheNextPassCompletes) {
    const std::uint64_t seed = SeedFromEnvironment();
    const int rounds = RoundsFromEnvironment();
    SCOPED_TRACE(Replay(seed));
    Soak soak(seed);
    for (int round = 1; round <= rounds && !::testing::Test::HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        soak.change();
        soak.chooseFilters();
        soak.stoppedPassAndCheck();
        soak.passAndCheck();
        if (round % 100 == 0) {
            std::cout << "stopped soak: round " << round << ", " << soak.stops()
                      << " passes stopped\n"
                      << std::flush;
        }
    }
    std::cout << "stopped soak: " << Replay(seed) << ", " << rounds << " rounds, " << soak.stops()
              << " passes stopped\n";
}

}  // namespace
}  // namespace tarnwick
