#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tarnwick {
namespace {

bool IsIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename Int>
Int RoundClamped(double value) {
    const double rounded = std::nearbyint(value);  // the default rounding mode sends halves to even
    constexpr double kMin = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double kMax = static_cast<double>(std::numeric_limits<Int>::max());
    if (!(rounded > kMin)) {
        return std::numeric_limits<Int>::min();
    }
    if (!(rounded < kMax)) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double ReadNumber(std::string_view text) {
    // Gather the number's characters, skipping the ignored blanks as we go.
    std::string number;
    bool negative = false;
    bool seenSign = false;
    bool seenDigit = false;
    bool seenPoint = false;
    bool wholePartNonZero = false;
    for (char c : text) {
        if (IsIgnoredBlank(c)) {
            continue;
        }
        if (!seenSign && number.empty() && (c == '+' || c == '-')) {
            negative = c == '-';
            seenSign = true;
        } else if (IsDigit(c)) {
            number.push_back(c);
            seenDigit = true;
            wholePartNonZero = wholePartNonZero || (!seenPoint && c != '0');
        } else if (c == '.' && !seenPoint) {
            number.push_back(c);
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return 0.0;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        value = wholePartNonZero ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

std::int64_t RoundToInt64(double value) {
    return RoundClamped<std::int64_t>(value);
}

std::int32_t RoundToInt32(double value) {
    return RoundClamped<std::int32_t>(value);
}

std::int16_t RoundToInt16(double value) {
    return RoundClamped<std::int16_t>(value);
}

std::string FormatNumber(double value) {
    if (value == 0.0) {
        return "0";  // also turns -0 into 0
    }
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc()) {
        return "0";
    }
    return std::string(buffer, end);
}

}  // namespace tarnwick
