#include "task/profile_text.h"

#include <optional>
#include <utility>

#include "common/ascii_text.h"

namespace tarnwick {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The section name of a header line, or nothing when the line is not a header. A header without
// ']' runs to the end of the line.
std::optional<std::string_view> HeaderName(std::string_view line) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    return TrimBlanks(line.substr(0, line.find(']')));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;  // trimmed, quotes still on
};

// The key and value of a key line, or nothing for headers, comments and lines without '='.
std::optional<KeyLine> SplitKeyLine(std::string_view line) {
    line = TrimBlanks(line);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || line.front() == '[' || line.front() == ';') {
        return std::nullopt;
    }
    return KeyLine{TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) {
        hasByteOrderMark_ = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        std::string_view lineBreak;
        if (end != std::string_view::npos) {
            lineBreak = bytes.compare(end, kCrLf.size(), kCrLf) == 0 ? kCrLf
                        : bytes[end] == '\r'                         ? "\r"
                                                                     : "\n";
        }
        const std::size_t slot = insertAfter(lastLine_, std::string(bytes.substr(0, end)));
        lines_[slot].lineBreak = lineBreak;
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + lineBreak.size());
    }

    Section* current = nullptr;  // null before the first header and inside a repeated section
    for (std::size_t slot = 0; slot < lines_.size(); ++slot) {
        const std::string_view text = lines_[slot].text;
        if (const auto name = HeaderName(text)) {
            const auto [section, isFirst] =
                sections_.try_emplace(UpperCase(*name), Section{slot, slot, {}});
            current = isFirst ? &section->second : nullptr;
        } else if (const auto keyLine = SplitKeyLine(text); keyLine && current) {
            current->keys.try_emplace(UpperCase(keyLine->key), slot);
            current->lastKey = slot;
        }
    }
}

std::string ProfileText::read(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(UpperCase(TrimBlanks(section)));
    if (found == sections_.end()) {
        return {};
    }
    const auto line = found->second.keys.find(UpperCase(TrimBlanks(key)));
    if (line == found->second.keys.end()) {
        return {};
    }
    std::string_view value = SplitKeyLine(lines_[line->second].text)->value;
    return std::string(Unquote(value.substr(0, value.find('\0'))));
}

std::vector<std::string> ProfileText::keys(std::string_view section) const {
    std::vector<std::string> names;
    if (const auto found = sections_.find(UpperCase(TrimBlanks(section)));
        found != sections_.end()) {
        for (const auto& key : found->second.keys) {
            names.push_back(key.first);
        }
    }
    return names;
}

bool ProfileText::write(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    const auto holds = [](std::string_view text, const char* characters) {
        return text.find_first_of(characters) != std::string_view::npos;
    };
    if (holds(section, "\r\n]") || holds(key, "\r\n=") || holds(value, "\r\n") ||
        value.find('\0') != std::string_view::npos || key.empty() || key.front() == '[' ||
        key.front() == ';') {
        return false;
    }

    const std::string keyName = UpperCase(key);
    const auto found = sections_.find(UpperCase(section));
    if (found == sections_.end()) {
        // Built by appending: GCC 12 warns wrongly about "[" + std::string (its bug 105329).
        std::string headerLine(1, '[');
        headerLine.append(section).push_back(']');
        const std::size_t header = insertAfter(lastLine_, std::move(headerLine));
        const std::size_t line = insertAfter(header, std::string(key) + "=" + std::string(value));
        sections_.try_emplace(UpperCase(section), Section{header, line, {}})
            .first->second.keys.try_emplace(keyName, line);
        return true;
    }

    Section& target = found->second;
    if (const auto existing = target.keys.find(keyName); existing != target.keys.end()) {
        Line& line = lines_[existing->second];
        line.text = std::string(SplitKeyLine(line.text)->key) + "=" + std::string(value);
        line.lineBreak = kCrLf;
        return true;
    }
    target.lastKey = insertAfter(target.lastKey, std::string(key) + "=" + std::string(value));
    target.keys.try_emplace(keyName, target.lastKey);
    return true;
}

std::string ProfileText::bytes() const {
    std::string text(hasByteOrderMark_ ? kByteOrderMark : std::string_view());
    for (std::size_t slot = firstLine_; slot != kNoLine; slot = lines_[slot].next) {
        text += lines_[slot].text;
        text += lines_[slot].lineBreak;
    }
    return text;
}

std::size_t ProfileText::insertAfter(std::size_t previous, std::string text) {
    const std::size_t slot = lines_.size();
    if (previous == kNoLine) {
        lines_.push_back({std::move(text), kCrLf, firstLine_});
        firstLine_ = slot;
    } else {
        // Only the text's last line can lack a break; a line put after it needs one.
        if (lines_[previous].lineBreak.empty()) {
            lines_[previous].lineBreak = kCrLf;
        }
        lines_.push_back({std::move(text), kCrLf, lines_[previous].next});
        lines_[previous].next = slot;
    }
    if (previous == lastLine_) {
        lastLine_ = slot;
    }
    return slot;
}

}  // namespace tarnwick
