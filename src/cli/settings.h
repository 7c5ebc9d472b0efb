#pragma once

#include <optional>
#include <string>

namespace tarnwick {

class FrmMain;
class ConsolePlatform;

// Changes one control as a user would, from "NAME=TEXT", "NAME=0|1", "Option1=I" or
// "LIST+=TEXT". Answers the usage error, or nothing when the setting was applied.
std::optional<std::string> ApplySetting(const std::string& setting, FrmMain& window,
                                        ConsolePlatform& platform);

}  // namespace tarnwick
