#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// Reads the number a text begins with, the way every number box and task-file value is read:
// blanks, tabs and line feeds are ignored wherever they stand, then an optional sign, digits
// and at most one decimal point are taken. A text that does not begin with a number reads as 0.
double ReadNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour, and clamps to the range of the
// integer type (a value too large for a field reads as the field's limit).
std::int64_t RoundToInt64(double value);
std::int32_t RoundToInt32(double value);
std::int16_t RoundToInt16(double value);

// The shortest decimal text of a number, without exponent: 7, 17.5, -3.
std::string FormatNumber(double value);

}  // namespace tarnwick
