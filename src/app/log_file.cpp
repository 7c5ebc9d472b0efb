#include "app/log_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/path_style.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

// Our paths are UTF-8 on every system; Windows needs them widened.
fs::path FilePath(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

constexpr std::string_view kLineEnd = kHostPathStyle == PathStyle::Windows ? "\r\n" : "\n";

std::string FileLine(const LocalTime& time, std::string_view text) {
    std::string line = FormatDate(time.date) + " " + FormatTimeOfDay(time.time) + "    ";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            line += "↵";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += text[i];
        }
    }
    line += kLineEnd;
    return line;
}

Status Failed(const std::error_code& error) {
    return Status::Failed(error.message());
}

}  // namespace

LogFile::LogFile(std::string path, std::uint64_t rotateBytes)
    : path_(std::move(path)), rotateBytes_(rotateBytes) {}

Status LogFile::open() {
    const fs::path file = FilePath(path_);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    errno = 0;
    out_.open(file, std::ios::binary | std::ios::app);
    if (!out_) {
        const int reason = errno != 0 ? errno : EIO;
        out_.clear();
        return Failed(std::error_code(reason, std::generic_category()));
    }
    size_ = fs::file_size(file, error);
    if (error) {
        size_ = 0;
    }
    return Status::Ok();
}

Status LogFile::rotate() {
    out_.close();
    std::error_code error;
    const fs::path file = FilePath(path_);
    for (int n = kOldFiles - 1; n >= 1; --n) {
        const fs::path older = FilePath(path_ + "." + std::to_string(n));
        if (fs::exists(older, error)) {
            fs::rename(older, FilePath(path_ + "." + std::to_string(n + 1)), error);
        }
    }
    fs::rename(file, FilePath(path_ + ".1"), error);
    // A file that cannot be renamed aside is still written to: a lost line is worse than a
    // large file.
    Status opened = open();
    return error && opened.ok() ? Failed(error) : opened;
}

Status LogFile::append(const LocalTime& time, std::string_view text) {
    Status status = out_.is_open() ? Status::Ok() : open();
    if (!status.ok()) {
        return status;
    }
    const std::string line = FileLine(time, text);
    if (size_ > 0 && size_ + line.size() > rotateBytes_) {
        status = rotate();
        if (!out_.is_open()) {
            return status;
        }
    }
    errno = 0;
    out_.write(line.data(), static_cast<std::streamsize>(line.size()));
    out_.flush();
    if (!out_) {
        const int reason = errno != 0 ? errno : EIO;
        out_.close();
        out_.clear();
        return Failed(std::error_code(reason, std::generic_category()));
    }
    size_ += line.size();
    return status;
}

}  // namespace tarnwick
