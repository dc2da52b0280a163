#include "level_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ferlan {
namespace {

constexpr std::array<std::string_view, 16> kFerlanCodes = {
    "glmm", "glpp", "grmm", "grpp", "klmm", "klpp", "krmm", "krpp",
    "glup", "glum", "grup", "grum", "klup", "klum", "krup", "krum",
};
constexpr std::array<std::string_view, 4> kKugelCodes = {"pp", "mm", "up", "um"};
constexpr std::array<std::string_view, 3> kTransformatorCodes = {"ap", "am", "an"};

constexpr int kFerlanEntryWidth = 15;
constexpr int kSmallEntryWidth = 13;  // Kugel and Transformator entries

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& codes, std::string_view code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Positions count from 1, as in the format's description. Anything outside the
// text reads as nothing, so a check that looks there fails instead of reading
// out of bounds.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    long long length() const { return static_cast<long long>(text_.size()); }

    std::string_view mid(long long position, long long count) const {
        if (position < 1 || count <= 0 || position > length()) return {};
        const auto start = static_cast<std::size_t>(position - 1);
        return text_.substr(start, static_cast<std::size_t>(count));
    }

    bool charIs(long long position, char expected) const {
        const std::string_view c = mid(position, 1);
        return c.size() == 1 && c[0] == expected;
    }

private:
    std::string_view text_;
};

long long roundedCount(long long characters, int entryWidth) {
    return static_cast<long long>(roundHalfEven(static_cast<double>(characters) / entryWidth));
}

// Reads one entry whose code starts at `codeAt`; the x and y fields follow the
// code and the comma follows them.
template <std::size_t N>
bool readEntry(const Cursor& text, long long codeAt, int codeWidth,
               const std::array<std::string_view, N>& validCodes, LevelEntry& entry) {
    const std::string_view code = text.mid(codeAt, codeWidth);
    if (!contains(validCodes, code)) return false;
    const long long xAt = codeAt + codeWidth;
    const long long yAt = xAt + 5;
    const Twips x = static_cast<Twips>(readLenientNumber(text.mid(xAt, 5)));
    const Twips y = static_cast<Twips>(readLenientNumber(text.mid(yAt, 5)));
    if (!text.charIs(yAt + 5, ',')) return false;
    entry = LevelEntry{std::string(code), x, y};
    return true;
}

template <std::size_t Slots, std::size_t N>
bool readSection(const Cursor& text, long long firstCodeAt, long long count, int entryWidth,
                 int codeWidth, const std::array<std::string_view, N>& validCodes,
                 std::array<LevelEntry, Slots>& table) {
    for (long long k = 1; k <= count; ++k) {
        LevelEntry entry;
        if (!readEntry(text, firstCodeAt + (k - 1) * entryWidth, codeWidth, validCodes, entry)) {
            return false;
        }
        if (k > static_cast<long long>(Slots)) return false;
        table[static_cast<std::size_t>(k - 1)] = std::move(entry);
    }
    return true;
}

// Steps from `start` to the next ';'. Returns the position found, or 0 when the
// text ends first.
long long findSeparator(const Cursor& text, long long start) {
    for (long long p = start; p <= text.length(); ++p) {
        if (text.charIs(p, ';')) return p;
    }
    return 0;
}

}  // namespace

int countUsed(std::span<const LevelEntry> entries) {
    return static_cast<int>(std::ranges::count_if(entries, &LevelEntry::used));
}

double roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5) return floor;
    if (fraction > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

double readLenientNumber(std::string_view text) {
    double integerPart = 0;
    double fractionPart = 0;
    double fractionScale = 1;
    bool negative = false;
    bool seenSign = false;
    bool seenDigit = false;
    bool seenPoint = false;
    for (const char c : text) {
        if (c == ' ') continue;
        if ((c == '-' || c == '+') && !seenSign && !seenDigit && !seenPoint) {
            seenSign = true;
            negative = c == '-';
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            seenDigit = true;
            if (seenPoint) {
                fractionScale /= 10;
                fractionPart += (c - '0') * fractionScale;
            } else {
                integerPart = integerPart * 10 + (c - '0');
            }
        } else {
            break;
        }
    }
    const double value = integerPart + fractionPart;
    return negative ? -value : value;
}

bool isFerlanCode(std::string_view code) { return contains(kFerlanCodes, code); }
bool isKugelCode(std::string_view code) { return contains(kKugelCodes, code); }
bool isTransformatorCode(std::string_view code) { return contains(kTransformatorCodes, code); }

bool readLevelText(std::string_view rawText, LevelData& data) {
    data = LevelData{};
    const Cursor text(rawText);

    const double height = readLenientNumber(text.mid(1, 2));
    if (!(height >= kMinHeight && height <= kMaxHeight)) return false;
    data.height = static_cast<std::uint8_t>(roundHalfEven(height));

    if (!text.charIs(3, ';')) return false;
    const std::string_view floor = text.mid(4, 1);
    if (floor.size() != 1 || floor[0] < '1' || floor[0] > '0' + kFloorTextures) return false;
    data.floor = static_cast<std::uint8_t>(floor[0] - '0');
    if (!text.charIs(5, ';')) return false;

    // Pole blocks: everything from position 6 up to the next ';'.
    const long long s2 = findSeparator(text, 6);
    if (s2 == 0) return false;
    const long long ferlanCount = roundedCount(s2 - 6, kFerlanEntryWidth);
    if (!readSection(text, 6, ferlanCount, kFerlanEntryWidth, 4, kFerlanCodes, data.ferlan)) {
        return false;
    }

    // Charged balls: from s2 + 1 up to the next ';'.
    const long long s3 = findSeparator(text, s2 + 1);
    if (s3 == 0) return false;
    const long long kugelCount = roundedCount(s3 - s2 - 1, kSmallEntryWidth);
    if (!readSection(text, s2 + 1, kugelCount, kSmallEntryWidth, 2, kKugelCodes, data.kugel)) {
        return false;
    }

    // The closing ';' must be the third-last character; the polarisers fill
    // whatever lies between the charged balls' ';' and it.
    const long long closing = text.length() - 2;
    if (!text.charIs(closing, ';')) return false;
    const long long transformatorCount = roundedCount(closing - s3 - 1, kSmallEntryWidth);
    return readSection(text, s3 + 1, transformatorCount, kSmallEntryWidth, 2, kTransformatorCodes,
                       data.transformator);
}

std::string formatCoordinate(Twips value) {
    const double whole = roundHalfEven(static_cast<double>(value));
    if (!(whole >= -9999 && whole <= 99999)) return {};
    char digits[8];
    std::snprintf(digits, sizeof digits, "%d", whole == 0 ? 0 : static_cast<int>(whole));
    std::string field(digits);
    field.resize(5, ' ');
    return field;
}

namespace {

template <std::size_t Slots>
WriteError appendSection(std::string& out, const std::array<LevelEntry, Slots>& table,
                         bool (*isValid)(std::string_view)) {
    for (const LevelEntry& entry : table) {
        if (!entry.used()) continue;
        if (!isValid(entry.code)) return WriteError::InvalidCode;
        const std::string x = formatCoordinate(entry.x);
        const std::string y = formatCoordinate(entry.y);
        if (x.empty() || y.empty()) return WriteError::CoordinateOutOfRange;
        out += entry.code;
        out += x;
        out += y;
        out += ',';
    }
    out += ';';
    return WriteError::None;
}

}  // namespace

WriteResult writeLevelText(const LevelData& data) {
    WriteResult result;
    if (data.height < kMinHeight || data.height > kMaxHeight) {
        result.error = WriteError::HeightOutOfRange;
        return result;
    }
    if (data.floor < 1 || data.floor > kFloorTextures) {
        result.error = WriteError::FloorOutOfRange;
        return result;
    }
    std::string out = std::to_string(data.height);
    if (out.size() < 2) out += ' ';
    out += ';';
    out += static_cast<char>('0' + data.floor);
    out += ';';
    WriteError error = appendSection(out, data.ferlan, isFerlanCode);
    if (error == WriteError::None) error = appendSection(out, data.kugel, isKugelCode);
    if (error == WriteError::None) {
        error = appendSection(out, data.transformator, isTransformatorCode);
    }
    result.error = error;
    if (error == WriteError::None) result.text = std::move(out);
    return result;
}

}  // namespace ferlan
