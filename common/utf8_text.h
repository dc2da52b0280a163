// The layers below Qt keep their texts as UTF-8 in standard strings.
#pragma once

#include <QString>

#include <string_view>

namespace ferlan {

inline QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace ferlan
