#include "task/task_values.h"

namespace tarnwick {
namespace {

bool IsTrimmedBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

}  // namespace

std::string ProtectedValue(std::string_view value) {
    const bool changedByReading =
        !value.empty() &&
        (IsTrimmedBlank(value.front()) || IsTrimmedBlank(value.back()) ||
         (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back()));
    if (!changedByReading) {
        return std::string(value);
    }
    std::string quoted = "\"";
    quoted += value;
    quoted += '"';
    return quoted;
}

bool HasLineBreak(std::string_view value) {
    return value.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace tarnwick
