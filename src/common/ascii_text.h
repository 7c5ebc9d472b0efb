#pragma once

#include <string>
#include <string_view>

// Small text rules that touch ASCII bytes only: a byte of a UTF-8 or GBK character is never
// folded or trimmed, so two names that differ beyond ASCII stay different.
namespace tarnwick {

// ASCII letters to upper case; every other byte as it is. Names the program compares without
// regard to case (file types, task file names, the task file's sections and keys) are compared
// in this form.
std::string UpperCase(std::string_view text);

// Without the spaces at both ends, as a box's entry is taken (tabs are kept).
std::string_view TrimSpaces(std::string_view text);

// Without the blanks (space, tab, vertical tab) at both ends, as the task file's names and
// values are read. A form feed is not a blank: Windows keeps it in names and values.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tarnwick
