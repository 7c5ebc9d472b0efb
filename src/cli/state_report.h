#pragma once

#include <string>

namespace tarnwick {

class FrmMain;

// The window's state as "NAME=VALUE" lines, in a fixed order that scripts rely on; values
// printable as PrintableText makes them.
std::string StateReport(const FrmMain& window);

}  // namespace tarnwick
