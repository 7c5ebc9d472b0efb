#pragma once

// The control IDs of control_ids.h by the names of the form's items.
#include <string_view>

namespace tarnwick::win32view {

// The ID of the item of that name ("Option2(1)" has IDC_Option2_1); throws for a name without.
int ControlId(std::string_view name);

}  // namespace tarnwick::win32view
