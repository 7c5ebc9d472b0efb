#include "common/ascii_text.h"

namespace tarnwick {
namespace {

template <typename IsTrimmed>
std::string_view Trim(std::string_view text, IsTrimmed isTrimmed) {
    while (!text.empty() && isTrimmed(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::string_view TrimSpaces(std::string_view text) {
    return Trim(text, [](char c) { return c == ' '; });
}

std::string_view TrimBlanks(std::string_view text) {
    return Trim(text, [](char c) { return c == ' ' || c == '\t' || c == '\v'; });
}

}  // namespace tarnwick
