#include "backup/type_filter.h"

#include <algorithm>

#include "backup/path_helpers.h"
#include "common/ascii_text.h"

namespace tarnwick {
namespace {

bool Contains(const std::vector<std::string>& list, std::string_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

std::vector<std::string> UpperCased(const std::vector<std::string>& entries) {
    std::vector<std::string> upper;
    upper.reserve(entries.size());
    for (const auto& entry : entries) {
        upper.push_back(UpperCase(entry));
    }
    return upper;
}

}  // namespace

bool TypeFilter::selectsFile(std::string_view fullPath) const {
    switch (extMode) {
        case TypeMode::OnlyListed:
            return Contains(onlyExtList, UpperCase(GetExtension(fullPath)));
        case TypeMode::AllButListed:
            return !Contains(skipExtList, UpperCase(GetExtension(fullPath)));
        case TypeMode::AllFiles:
            break;
    }
    return true;
}

bool TypeFilter::skipsFolder(std::string_view name) const {
    if (extMode != TypeMode::AllButListed) {
        return false;
    }
    // The folder marker is a backslash on every system: it is list text, not a path. Built by
    // appending: GCC 12 warns wrongly about "\\" + std::string (its bug 105329).
    std::string marker(1, '\\');
    marker += UpperCase(name);
    return Contains(skipExtList, marker);
}

TypeFilter BuildTypeFilter(TypeMode extMode, const std::vector<std::string>& onlyTypes,
                           const std::vector<std::string>& skipTypes) {
    return TypeFilter{extMode, UpperCased(onlyTypes), UpperCased(skipTypes)};
}

}  // namespace tarnwick
