#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// A text as the command line prints it: control characters (0x00 to 0x1F and 0x7F) become
// "\xNN" with two lower-case hex digits, so that a file name can neither end a line early, forge
// another line nor drive the terminal. Every other byte, backslashes included, stays as it is.
std::string PrintableText(std::string_view text);

}  // namespace tarnwick
