#pragma once

#include <type_traits>
#include <variant>

#include "ui/form_layout.h"

namespace tarnwick::test {

// The model's control behind a layout item as a T; null when it is none or another kind.
template <typename T>
const T* As(const form::ControlRef& control) {
    return std::visit(
        [](auto bound) -> const T* {
            if constexpr (std::is_convertible_v<decltype(bound), const T*>) {
                return bound;
            } else {
                return nullptr;
            }
        },
        control);
}

}  // namespace tarnwick::test
