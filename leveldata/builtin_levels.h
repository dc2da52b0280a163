// The 30 levels the game carries, in play order.
#pragma once

#include <optional>
#include <string_view>

namespace ferlan {

inline constexpr int kBuiltinLevelCount = 30;

// Level text of built-in level `index` (0 to 29; index i is level i + 1), or
// nothing for an index outside that range.
std::optional<std::string_view> builtinLevelText(int index);

}  // namespace ferlan
