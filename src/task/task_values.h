#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// A value as it must stand in the task file to read back exactly: one that a reader would trim
// or unquote (leading or trailing blanks, a matching pair of outer quotes) is wrapped in quotes,
// which every reader removes again. Any other value is written as it is.
std::string ProtectedValue(std::string_view value);

// Whether a value holds a line break, which would split its line and inject keys.
bool HasLineBreak(std::string_view value);

}  // namespace tarnwick
