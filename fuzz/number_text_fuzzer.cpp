// Any text read as a number: blanks, tabs and line feeds never change what it reads, the number
// is finite, a number shown reads back as itself, and rounding lands on the nearest integer in
// the field's range (a half on the even one).
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "common/number_text.h"
#include "fuzz_check.h"

namespace {

using tarnwick::fuzz::Check;

template <typename Int>
bool RoundsWell(double value, Int rounded) {
    const auto low = static_cast<double>(std::numeric_limits<Int>::min());
    const auto high = static_cast<double>(std::numeric_limits<Int>::max());
    const double r = static_cast<double>(rounded);
    if (value <= low || value >= high) {
        return r == (value <= low ? low : high);
    }
    const double distance = std::fabs(r - value);
    return distance < 0.5 || (distance == 0.5 && std::fmod(r, 2.0) == 0.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = tarnwick::ReadNumber(text);
    Check(std::isfinite(value), "a number read is not finite", text);
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            kept.push_back(c);
        }
    }
    Check(tarnwick::ReadNumber(kept) == value, "a blank changed the number read", text);
    Check(tarnwick::ReadNumber(" " + std::string(text)) == value, "a leading blank counts", text);
    const std::string shown = tarnwick::FormatNumber(value);
    Check(shown.find_first_not_of("-0123456789.") == std::string::npos,
          "a number is shown with more than a sign, digits and a point", text);
    Check(tarnwick::ReadNumber(shown) == value, "a number shown does not read back", text);
    Check(RoundsWell(value, tarnwick::RoundToInt64(value)) &&
              RoundsWell(value, tarnwick::RoundToInt32(value)) &&
              RoundsWell(value, tarnwick::RoundToInt16(value)),
          "rounding misses the nearest integer, the even one or the field's limit", text);
    return 0;
}
