// On POSIX systems every file the program reads and writes is UTF-8.
#include "common/text_encoding.h"

namespace tarnwick {

std::string AnsiToUtf8(std::string_view ansi) {
    return std::string(ansi);
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
    return std::string(utf8);
}

}  // namespace tarnwick
