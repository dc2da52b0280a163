#include "tool_io.h"

#include <leveldata/builtin_levels.h>
#include <leveldata/level_text.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace ferlan::tool {

std::optional<std::string> readSmallFile(const std::string& path, std::uintmax_t maxBytes,
                                         std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        error = "Datei nicht gefunden: " + path;
        return std::nullopt;
    }
    if (!fs::is_regular_file(status)) {
        error = "Keine gewöhnliche Datei: " + path;
        return std::nullopt;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > maxBytes) {
        error = "Datei zu groß: " + path;
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Datei nicht lesbar: " + path;
        return std::nullopt;
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || content.size() > maxBytes) {
        error = "Datei nicht lesbar: " + path;
        return std::nullopt;
    }
    return content;
}

bool parseLevelNumber(std::string_view value, LevelSource& source, ToolError& error) {
    int number = 0;
    if (!parseWhole(value, 1, kBuiltinLevelCount, number)) {
        error = {kExitUsage, "--level erwartet eine Zahl von 1 bis " +
                                 std::to_string(kBuiltinLevelCount) + ", nicht \"" +
                                 std::string(value) + "\""};
        return false;
    }
    source.builtin = number;
    return true;
}

std::string_view ParsedArguments::value(std::string_view option) const {
    const auto found = options.find(option);
    return found == options.end() ? std::string_view{} : std::string_view(found->second);
}

std::optional<ParsedArguments> parseArguments(const Arguments& args,
                                              std::initializer_list<std::string_view> flags,
                                              std::initializer_list<std::string_view> withValue,
                                              std::string& why) {
    const auto among = [](std::initializer_list<std::string_view> names, std::string_view arg) {
        return std::find(names.begin(), names.end(), arg) != names.end();
    };
    ParsedArguments parsed;
    bool haveSource = false;
    const auto takeSource = [&]() {
        if (haveSource) why = "nur eine Level-Angabe erlaubt";
        haveSource = true;
        return why.empty();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--level") {
            if (!takeSource()) return std::nullopt;
            ToolError error{kExitOk, {}};
            if (i + 1 >= args.size()) {
                why = "--level ohne Nummer";
                return std::nullopt;
            }
            if (!parseLevelNumber(args[++i], parsed.source, error)) {
                why = error.message;
                return std::nullopt;
            }
        } else if (among(flags, arg) || among(withValue, arg)) {
            if (parsed.has(arg)) {
                why = std::string(arg) + " nur einmal erlaubt";
                return std::nullopt;
            }
            std::string value;
            if (among(withValue, arg)) {
                if (i + 1 >= args.size()) {
                    why = std::string(arg) + " ohne Wert";
                    return std::nullopt;
                }
                value = std::string(args[++i]);
            }
            parsed.options.emplace(std::string(arg), std::move(value));
        } else if (arg.size() > 1 && arg[0] == '-') {
            why = "unbekannte Option " + std::string(arg);
            return std::nullopt;
        } else {
            if (!takeSource()) return std::nullopt;
            parsed.source.file = std::string(arg);
        }
    }
    if (!haveSource) {
        why = "keine Level-Angabe";
        return std::nullopt;
    }
    return parsed;
}

std::optional<std::string> loadLevelText(const LevelSource& source, ToolError& error) {
    if (source.builtin != 0) {
        const auto text = builtinLevelText(source.builtin - 1);
        if (!text) {
            error = {kExitUsage, "Kein eingebautes Level " + std::to_string(source.builtin)};
            return std::nullopt;
        }
        return std::string(*text);
    }
    std::string message;
    auto content = readSmallFile(source.file, kMaxLevelFileBytes, message);
    if (!content) error = {kExitUsage, message};
    return content;
}

std::string formatJsonNumber(float value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15f) {
        const long long whole = static_cast<long long>(value);
        return std::to_string(whole);  // turns -0 into 0
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

}  // namespace ferlan::tool
