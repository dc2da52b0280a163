// The level text: one line of fixed-width fields that describes a whole level.
// Both programs read it with the same routine; only the editor writes it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ferlan {

using Twips = float;
// Positions and sizes are in twips everywhere; pictures have 15 to a pixel.
inline constexpr Twips kTwipsPerPixel = 15;

inline constexpr int kMaxFerlan = 25;
inline constexpr int kMaxKugel = 10;
inline constexpr int kMaxTransformator = 5;

inline constexpr int kMinHeight = 9;
inline constexpr int kMaxHeight = 23;
inline constexpr Twips kRowHeight = 975;

// The floor textures a level chooses from, numbered from 1.
inline constexpr int kFloorTextures = 4;

// The one message every rejected level text gets, in both programs.
inline constexpr std::string_view kReadErrorMessage = "Fehler beim Lesen der Level-Datei.";
inline constexpr std::string_view kErrorCaption = "Fehler";

struct LevelEntry {
    std::string code;  // empty: the slot is free
    Twips x = 0;
    Twips y = 0;

    bool used() const { return !code.empty(); }
    bool operator==(const LevelEntry&) const = default;
};

struct LevelData {
    std::uint8_t height = 0;
    std::uint8_t floor = 0;
    std::array<LevelEntry, kMaxFerlan> ferlan{};
    std::array<LevelEntry, kMaxKugel> kugel{};
    std::array<LevelEntry, kMaxTransformator> transformator{};

    bool operator==(const LevelData&) const = default;
};

int countUsed(std::span<const LevelEntry> entries);

// Reads a number the lenient way both programs use for every numeric field:
// spaces are skipped wherever they stand, an optional sign and one decimal
// point are accepted, and reading stops at the first character that cannot
// continue the number. A text that does not start with a number gives 0.
// No exponents and no radix prefixes: "1E9" reads as 1.
double readLenientNumber(std::string_view text);

// Rounds to the nearest whole number, ties to the even neighbour.
double roundHalfEven(double value);

bool isFerlanCode(std::string_view code);
bool isKugelCode(std::string_view code);
bool isTransformatorCode(std::string_view code);

// Reads a level text into `data`. `data` is emptied first; on failure the
// slots, height and floor filled before the failing check stay in it, exactly
// as the programs keep them until their next read. Any bytes are accepted.
bool readLevelText(std::string_view text, LevelData& data);

enum class WriteError {
    None,
    HeightOutOfRange,
    FloorOutOfRange,
    InvalidCode,
    CoordinateOutOfRange,  // would not fit its 5-character field
};

struct WriteResult {
    std::string text;  // without the line end a file adds
    WriteError error = WriteError::None;

    bool ok() const { return error == WriteError::None; }
};

// Writes the level text of every used slot, in slot order. Coordinates are
// rounded to whole twips (ties to even) and keep a minus sign, so a level
// saved with an element beyond the left or top edge comes back in place.
WriteResult writeLevelText(const LevelData& data);

// The coordinate field: the whole number left-justified in 5 characters.
// Returns an empty string when the value cannot fit (below -9999, above 99999).
std::string formatCoordinate(Twips value);

// A level file holds the level text followed by a carriage return and line feed.
inline constexpr std::string_view kLevelFileLineEnd = "\r\n";

// Text files above this size cannot be level texts (the longest is 580 bytes);
// both programs and the tool refuse them before reading.
inline constexpr std::uintmax_t kMaxLevelFileBytes = std::uintmax_t{64} * 1024;

}  // namespace ferlan
