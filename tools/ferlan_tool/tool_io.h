// What the subcommands of ferlan-tool share: where the level text comes from,
// how numbers print, and the exit codes.
#pragma once

#include <Spiel/sim/whole_number.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferlan::tool {

using Arguments = std::vector<std::string_view>;

enum ExitCode : int {
    kExitOk = 0,
    // The level text was read and refused; for solve, no winning input was found.
    kExitRejected = 1,
    // Bad arguments, or a file that cannot be used; for solve also a refused
    // level text, since its 1 already means the level could not be won.
    kExitUsage = 2,
};

// A failure that ends a subcommand with a one-line message on stderr.
struct ToolError {
    int exitCode;
    std::string message;
};

// FILE or --level N, the two ways every subcommand names a level.
struct LevelSource {
    std::string file;  // set when a file was named
    int builtin = 0;   // 1 to 30 when --level was given
};

// Reads a file whole, in binary. Refuses anything that is not a regular file
// before opening it (so a pipe or a device cannot block), and files above
// `maxBytes`.
std::optional<std::string> readSmallFile(const std::string& path, std::uintmax_t maxBytes,
                                         std::string& error);

// The level text a source names, or the reason it cannot be had.
std::optional<std::string> loadLevelText(const LevelSource& source, ToolError& error);

// A whole number from `low` to `high`, written as wholeNumberIn() reads it.
// `number` is left as it was when the value is refused.
template <typename Number>
bool parseWhole(std::string_view value, Number low, Number high, Number& number) {
    const std::optional<Number> parsed = wholeNumberIn(value, low, high);
    if (!parsed) return false;
    number = *parsed;
    return true;
}

// Why an option's value was refused that parseWhole(low, high) would take.
template <typename Number>
std::string wholeNumberExpected(std::string_view option, Number low, Number high,
                                std::string_view given) {
    return std::string(option) + " erwartet eine ganze Zahl von " + std::to_string(low) + " bis " +
           std::to_string(high) + ", nicht \"" + std::string(given) + "\"";
}

// Parses "--level N" into the source; false with a message when N is not 1..30.
bool parseLevelNumber(std::string_view value, LevelSource& source, ToolError& error);

// A subcommand's arguments: the level, named once as FILE or --level N, and
// the options given, each at most once, with their value ("" for a flag).
struct ParsedArguments {
    LevelSource source;
    std::map<std::string, std::string, std::less<>> options;

    bool has(std::string_view option) const { return options.find(option) != options.end(); }
    std::string_view value(std::string_view option) const;
};

// Reads the arguments against the options a subcommand knows: `flags` stand
// alone, `withValue` take the next argument. Nothing, with the reason in
// `why`, when they do not fit.
std::optional<ParsedArguments> parseArguments(const Arguments& args,
                                              std::initializer_list<std::string_view> flags,
                                              std::initializer_list<std::string_view> withValue,
                                              std::string& why);

// Whole numbers without a decimal point and never "-0"; others as the shortest
// decimal that reads back to the same 32-bit float.
std::string formatJsonNumber(float value);

// JSON string literal with the characters JSON needs escaped.
std::string jsonString(std::string_view text);

}  // namespace ferlan::tool
