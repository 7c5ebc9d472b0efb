#include "task/task_file_text.h"

#include <algorithm>

#include "common/text_encoding.h"
#include "task/task_values.h"

namespace tarnwick {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

}  // namespace

TaskFileText::TaskFileText(std::string_view fileBytes) {
    if (fileBytes.starts_with(kUtf16LeMark)) {
        utf16_ = true;
        text_ = ProfileText(Utf16LeToUtf8(fileBytes.substr(kUtf16LeMark.size())));
    } else {
        text_ = ProfileText(fileBytes);
    }
    lineCount_ = static_cast<std::size_t>(std::count(fileBytes.begin(), fileBytes.end(), '\n')) + 1;
}

std::string TaskFileText::read(std::string_view section, std::string_view key) const {
    const std::string value = text_.read(section, key);
    return utf16_ ? value : AnsiToUtf8(value);
}

bool TaskFileText::canStore(std::string_view value) const {
    return !HasLineBreak(value) && (utf16_ || Utf8ToAnsi(value).has_value());
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
