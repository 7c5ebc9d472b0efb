// Any text read as a number, against a plain reading of the same rule: blanks, tabs and line
// feeds are ignored wherever they stand, then a sign, digits and one decimal point are taken, and
// a text that does not begin with a number reads as 0. A number too large reads as the largest
// one. Rounding goes to the nearest integer, halves to even, clamped to the field; a number shown
// reads back as itself.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "common/number_text.h"

namespace {

using tarnwick::FormatNumber;
using tarnwick::ReadNumber;

double PlainReading(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            kept.push_back(c);
        }
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < kept.size() && (kept[i] == '+' || kept[i] == '-')) {
        negative = kept[i] == '-';
        ++i;
    }
    std::string number = "0";  // so that ".5" and "5." both read
    bool digits = false;
    bool point = false;
    for (; i < kept.size(); ++i) {
        if (kept[i] >= '0' && kept[i] <= '9') {
            number.push_back(kept[i]);
            digits = true;
        } else if (kept[i] == '.' && !point) {
            number.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return 0.0;
    }
    double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) {
        value = DBL_MAX;
    }
    return negative ? -value : value;
}

template <typename Int>
Int PlainRounding(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double nearest = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        nearest = below + 1.0;
    }
    if (nearest <= static_cast<double>(std::numeric_limits<Int>::min())) {
        return std::numeric_limits<Int>::min();
    }
    if (nearest >= static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<Int>(nearest);
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

[[noreturn]] void Fail(const char* what, std::string_view text, const std::string& detail) {
    std::fprintf(stderr, "%s\ntext: \"%.*s\"\n%s\n", what, static_cast<int>(text.size()),
                 text.data(), detail.c_str());
    std::abort();
}

std::string Hex(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a", value);
    return buffer;
}

// A number as shown: an optional minus, digits, and a fraction only when there is one.
bool LooksShown(const std::string& shown) {
    std::size_t i = shown.starts_with('-') ? 1 : 0;
    const std::size_t firstDigit = i;
    while (i < shown.size() && shown[i] >= '0' && shown[i] <= '9') {
        ++i;
    }
    if (i == firstDigit) {
        return false;
    }
    if (i == shown.size()) {
        return true;
    }
    if (shown[i] != '.' || i + 1 == shown.size() || shown.back() == '0') {
        return false;
    }
    for (++i; i < shown.size(); ++i) {
        if (shown[i] < '0' || shown[i] > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = ReadNumber(text);
    const double plain = PlainReading(text);
    if (!SameBits(value, plain)) {
        Fail("the number read differs from the plain reading", text,
             "read " + Hex(value) + ", plain " + Hex(plain));
    }
    if (tarnwick::RoundToInt64(value) != PlainRounding<std::int64_t>(value) ||
        tarnwick::RoundToInt32(value) != PlainRounding<std::int32_t>(value) ||
        tarnwick::RoundToInt16(value) != PlainRounding<std::int16_t>(value)) {
        Fail("rounding differs from halves-to-even", text, Hex(value));
    }
    const std::string shown = FormatNumber(value);
    if (!LooksShown(shown)) {
        Fail("a number is shown in another form", text, shown);
    }
    const double back = ReadNumber(shown);
    if (!(back == value)) {
        Fail("a number shown does not read back as itself", text, shown + " reads " + Hex(back));
    }
    return 0;
}
