#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Text inside the program is UTF-8. These convert at the edges.

// UTF-16 little-endian bytes (no byte order mark) to UTF-8; a broken sequence becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);
// UTF-8 to UTF-16 little-endian bytes; a broken sequence becomes U+FFFD.
std::string Utf8ToUtf16Le(std::string_view utf8);

// The system's ANSI code page (code page 936, GBK, on a Chinese Windows). On POSIX systems
// files are UTF-8 and both are the identity.
std::string AnsiToUtf8(std::string_view ansi);
// Empty when a character has no form in the code page: a "?" in its place would name another
// folder.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

}  // namespace tarnwick
