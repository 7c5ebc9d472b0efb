#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "task/task_keys.h"

namespace tarnwick {

// Which files and folders a pass takes, as built from the type mode and the two type lists when
// a task is loaded or saved.
struct TypeFilter {
    TypeMode extMode = TypeMode::AllFiles;
    std::vector<std::string> onlyExtList;  // upper-cased entries of the only-these list
    std::vector<std::string> skipExtList;  // upper-cased entries of the not-these list

    // Whether a changed file is taken, judged by the extension of its full path.
    bool selectsFile(std::string_view fullPath) const;

    // Whether a subfolder is left out: "\NAME" in the not-these list, in that mode only.
    bool skipsFolder(std::string_view name) const;
};

TypeFilter BuildTypeFilter(TypeMode extMode, const std::vector<std::string>& onlyTypes,
                           const std::vector<std::string>& skipTypes);

}  // namespace tarnwick
