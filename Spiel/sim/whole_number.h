// Whole numbers as the game's own text files and ferlan-tool's arguments
// write them: decimal digits alone, filling their field. A sign, a blank or a
// point makes the field something else, so a hand-edited file that says "+3"
// or "3 " is refused rather than read as three.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace ferlan {

template <typename Number>
std::optional<Number> wholeNumber(std::string_view field) {
    if (field.empty() || field.front() < '0' || field.front() > '9') return std::nullopt;
    Number value{};
    const char* const last = field.data() + field.size();
    const auto [end, error] = std::from_chars(field.data(), last, value);
    if (error != std::errc{} || end != last) return std::nullopt;
    return value;
}

// The same, and only from `low` to `high`.
template <typename Number>
std::optional<Number> wholeNumberIn(std::string_view field, Number low, Number high) {
    const std::optional<Number> value = wholeNumber<Number>(field);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

}  // namespace ferlan
