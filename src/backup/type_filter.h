#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// ASCII letters to upper case; every other byte as it is.
std::string UpperCase(std::string_view text);

// Which files and folders a pass takes, as built from the type mode and the two type lists when
// a task is loaded or saved.
struct TypeFilter {
    enum Mode { AllFiles = 0, OnlyListed = 1, AllButListed = 2 };

    int extMode = AllFiles;
    std::vector<std::string> onlyExtList;  // upper-cased entries of the only-these list
    std::vector<std::string> skipExtList;  // upper-cased entries of the not-these list

    // Whether a changed file is taken, judged by the extension of its full path.
    bool selectsFile(std::string_view fullPath) const;

    // Whether a subfolder is left out: "\NAME" in the not-these list, in that mode only.
    bool skipsFolder(std::string_view name) const;
};

TypeFilter BuildTypeFilter(int extMode, const std::vector<std::string>& onlyTypes,
                           const std::vector<std::string>& skipTypes);

}  // namespace tarnwick
