#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tarnwick::fuzz {

// A broken invariant ends the run: says what broke, shows the texts that tell how, and aborts so
// that libFuzzer keeps the input.
inline void Check(bool ok, const char* what, std::string_view shown, std::string_view more = {}) {
    if (!ok) {
        std::fprintf(stderr, "%s\n---- shown\n%.*s\n---- more\n%.*s\n----\n", what,
                     static_cast<int>(shown.size()), shown.data(), static_cast<int>(more.size()),
                     more.data());
        std::abort();
    }
}

}  // namespace tarnwick::fuzz
