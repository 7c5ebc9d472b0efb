#include "cli/printable_text.h"

namespace tarnwick {

std::string PrintableText(std::string_view text) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string printable;
    printable.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            printable += "\\x";
            printable += kHexDigits[byte >> 4];
            printable += kHexDigits[byte & 0xF];
        } else {
            printable += c;
        }
    }
    return printable;
}

}  // namespace tarnwick
