#pragma once

#include <QString>

#include <string_view>

namespace tarnwick::qtview {

// The model's UTF-8 text as Qt's.
inline QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace tarnwick::qtview
