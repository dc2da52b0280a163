#include "key_script.h"

#include "tick.h"
#include "whole_number.h"

namespace ferlan {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view nextField(std::string_view& rest) {
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end);
    while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
    return field;
}

bool parseKeys(std::string_view field, HeldKeys& keys, std::string& why) {
    if (field == "-") return true;
    for (const char c : field) {
        bool* flag = nullptr;
        switch (c) {
            case 'U': flag = &keys.up; break;
            case 'D': flag = &keys.down; break;
            case 'L': flag = &keys.left; break;
            case 'R': flag = &keys.right; break;
            default:
                why = "Tasten sind \"-\" oder die Buchstaben U, D, L, R, nicht \"" +
                      std::string(field) + "\"";
                return false;
        }
        if (*flag) {
            why = std::string("Taste ") + c + " doppelt";
            return false;
        }
        *flag = true;
    }
    return true;
}

bool parseCount(std::string_view field, std::int64_t& count, std::string& why) {
    const std::optional<std::int64_t> parsed = wholeNumberIn<std::int64_t>(field, 1, kMaxStepCount);
    if (!parsed) {
        why = "Anzahl der Ticks muss eine ganze Zahl von 1 bis " + std::to_string(kMaxStepCount) +
              " sein, nicht \"" + std::string(field) + "\"";
        return false;
    }
    count = *parsed;
    return true;
}

}  // namespace

std::optional<std::vector<KeyStep>> parseKeyScript(std::string_view text, KeyScriptError& error) {
    std::vector<KeyStep> steps;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++lineNumber;

        line = trim(line);
        if (line.empty() || line.front() == '#') continue;
        KeyStep step;
        std::string why;
        const std::string_view keys = nextField(line);
        const std::string_view count = nextField(line);
        if (count.empty()) {
            why = "erwartet \"TASTEN ANZAHL\"";
        } else if (!line.empty()) {
            why = "mehr als zwei Felder";
        } else if (parseKeys(keys, step.keys, why)) {
            parseCount(count, step.count, why);
        }
        if (!why.empty()) {
            error = {lineNumber, "Zeile " + std::to_string(lineNumber) + ": " + why};
            return std::nullopt;
        }
        steps.push_back(step);
    }
    return steps;
}

std::string formatHeldKeys(const HeldKeys& keys) {
    std::string text;
    if (keys.up) text += 'U';
    if (keys.down) text += 'D';
    if (keys.left) text += 'L';
    if (keys.right) text += 'R';
    return text.empty() ? "-" : text;
}

std::string formatKeyStep(const KeyStep& step) {
    return formatHeldKeys(step.keys) + ' ' + std::to_string(step.count);
}

std::int64_t totalTicks(const std::vector<KeyStep>& steps) {
    std::int64_t total = 0;
    for (const KeyStep& step : steps) total += step.count;
    return total;
}

void holdKeys(GameModel& model, const HeldKeys& keys) {
    model.KeyUpHeld = keys.up;
    model.KeyDownHeld = keys.down;
    model.KeyLeftHeld = keys.left;
    model.KeyRightHeld = keys.right;
}

namespace {

PlayResult playWith(GameModel& model, const std::vector<KeyStep>& steps,
                    const std::function<void(std::int64_t, TickOutcome)>& afterTick,
                    const std::function<TickOutcome()>& tick) {
    PlayResult result;
    for (const KeyStep& step : steps) {
        holdKeys(model, step.keys);
        for (std::int64_t n = 0; n < step.count; ++n) {
            const TickOutcome outcome = tick();
            result.won = outcome == TickOutcome::Won;
            ++result.ticks;
            if (afterTick) afterTick(result.ticks, outcome);
            if (result.won) return result;
        }
    }
    return result;
}

}  // namespace

PlayResult playKeySteps(
    GameModel& model, const std::vector<KeyStep>& steps,
    const std::function<void(std::int64_t tick, TickOutcome outcome)>& afterTick) {
    return playWith(model, steps, afterTick, [&] { return runTick(model); });
}

PlayResult playKeySteps(
    Session& session, const std::vector<KeyStep>& steps,
    const std::function<void(std::int64_t tick, TickOutcome outcome)>& afterTick) {
    return playWith(session.field(), steps, afterTick, [&] { return session.tick(); });
}

}  // namespace ferlan
