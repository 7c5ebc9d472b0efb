#include "task/task_file_text.h"

#include "common/text_encoding.h"
#include "task/task_values.h"

namespace tarnwick {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// Lines as the profile text splits them: CRLF, LF and a lone CR each end one, so a file saved with
// lone CRs does not count as a single line.
std::size_t LineCount(std::string_view text) {
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++breaks;
        }
    }
    return breaks + 1;
}

}  // namespace

TaskFileText::TaskFileText(std::string_view fileBytes) {
    std::string decoded;
    if (fileBytes.starts_with(kUtf16LeMark)) {
        utf16_ = true;
        decoded = Utf16LeToUtf8(fileBytes.substr(kUtf16LeMark.size()));
        fileBytes = decoded;
    }
    text_ = ProfileText(fileBytes);
    lineCount_ = LineCount(fileBytes);
}

std::string TaskFileText::read(std::string_view section, std::string_view key) const {
    const std::string value = text_.read(section, key);
    return utf16_ ? value : AnsiToUtf8(value);
}

bool TaskFileText::canStore(std::string_view value) const {
    return !HasLineBreak(value) && value.find('\0') == std::string_view::npos &&
           (utf16_ || Utf8ToAnsi(value).has_value());
}

bool TaskFileText::write(std::string_view section, std::string_view key, std::string_view value) {
    if (!canStore(value)) {
        return false;
    }
    return utf16_ ? text_.write(section, key, value)
                  : text_.write(section, key, *Utf8ToAnsi(value));
}

std::string TaskFileText::bytes() const {
    if (!utf16_) {
        return text_.bytes();
    }
    return std::string(kUtf16LeMark) + Utf8ToUtf16Le(text_.bytes());
}

}  // namespace tarnwick
