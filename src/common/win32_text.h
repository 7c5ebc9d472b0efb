#pragma once

// UTF-8 to and from the wide strings of the Windows API. Windows sources only.
#include <string>
#include <string_view>

namespace tarnwick {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// The system's text for an error code of GetLastError.
std::string SystemErrorText(unsigned long error);

}  // namespace tarnwick
