// The level being edited, a Level value, and what can be done to it. It knows
// nothing of the window that shows it; two documents are equal when they hold
// the same level, which is what the edit history compares.
#pragma once

#include <leveldata/elements.h>
#include <leveldata/level_text.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ferlan::editor {

// The option groups of the edit strip, read when an insert command runs.
// The defaults are the strip's own.
struct FerlanOptions {
    bool gross = false;
    bool rechts = true;
    bool plus = true;
    bool sichtbar = true;
};
struct KugelOptions {
    bool plus = true;
    bool sichtbar = true;
};
enum class TransformatorEffect { Plus, Minus, Neutral };

struct InsertResult {
    bool inserted = false;
    int slot = 0;              // the slot used, when inserted
    std::string_view message;  // the limit message, when the array is full
};

// Where the window shows the level at the moment of an insert: the preview's
// top in the window and the window's inner height, both in twips.
struct Viewport {
    Twips previewTop = 0;
    Twips innerHeight = 0;
};

// CoordinateOutOfRange: an element lies too far out for its 5-character field.
// Unwritable: anything else the writer refuses.
enum class LevelTextStatus { Ok, NoFloor, CoordinateOutOfRange, Unwritable };

struct LevelTextResult {
    LevelTextStatus status = LevelTextStatus::Ok;
    std::string text;  // the level text without its line end, when Ok
};

// What lies topmost under a point of the preview. Discs take no part.
struct Hit {
    enum class Target { Nothing, Element, Pipe, Tile };
    Target target = Target::Nothing;
    ElementKind kind = ElementKind::None;
    int index = 0;  // element slot or floor tile
};

// The elements no pointer can reach: wholly outside the preview, as after
// the height was lowered. They stay in the level and in its file.
struct OutsideCount {
    std::array<int, kKindCount> byKind{};  // in the order of kElementKinds
    int total() const { return byKind[0] + byKind[1] + byKind[2]; }
};

// A fixed pipe piece: "Ende", "Verbindung" or "Anfang".
struct PipePiece {
    std::string_view picture;
    Twips left = 0;
    Twips top = 0;
};

inline constexpr Twips kPreviewWidth = 6735;
inline constexpr int kTileColumns = 7;
inline constexpr int kTileCount = 168;  // 7 columns by 24 rows: the tallest level
// Tiles step by 960 but are 975 wide, so neighbours overlap and no seam shows.
inline constexpr Twips kTileStep = 960;
inline constexpr Twips kTileSize = 975;
// The window's inner height at its design size; inserts centre on it.
inline constexpr Twips kDesignClientHeight = 8670;

class LevelDocument {
public:
    bool operator==(const LevelDocument&) const = default;

    const Level& level() const { return level_; }
    const SlotArray& slotsOf(ElementKind kind) const { return level_.of(kind); }
    // Slots are numbered from 1, as everywhere in the level's terms.
    const Element& element(ElementKind kind, int n) const { return slotsOf(kind).at(n); }
    const Image& slot(ElementKind kind, int n) const { return element(kind, n).image; }
    // True when slot n of `kind` holds an element.
    bool holds(ElementKind kind, int n) const {
        return kind != ElementKind::None && slotsOf(kind).holds(n);
    }

    int height() const { return level_.height; }  // rows of 975 twips, 9 to 23
    int floor() const { return level_.floor; }    // texture 1 to 4; 0 while none is chosen
    Twips previewHeight() const { return static_cast<Twips>(level_.height) * kRowHeight; }

    // The element appears at the middle of what the window shows.
    InsertResult insertFerlan(const FerlanOptions& options, Viewport viewport);
    InsertResult insertKugel(const KugelOptions& options, Viewport viewport);
    InsertResult insertTransformator(TransformatorEffect effect, Viewport viewport);
    // Puts the element of slot n with its top left corner at (left, top), its
    // discs with it. False when the slot holds no element.
    bool moveElement(ElementKind kind, int n, Twips left, Twips top);
    // Removes the element of slot n and closes the gap. False when the slot
    // holds no element.
    bool deleteElement(ElementKind kind, int n);
    // Each false when nothing changed.
    bool setHeight(int rows);    // kept within 9 to 23
    bool setFloor(int texture);  // 1 to 4

    // The level text, written by the shared writer.
    LevelTextResult levelText() const;
    // Empties the level and rebuilds it from a level read by readLevelText.
    void load(const LevelData& data);
    // Back to the empty level of height 9 without a floor.
    void clear();

    Hit hitTest(Twips x, Twips y) const;  // preview coordinates
    OutsideCount elementsOutside() const;
    int elementCount() const;
    std::array<PipePiece, 8> pipes() const;  // the exit row, then the entry row
    static Twips tileLeft(int tile) {
        const int column = tile % kTileColumns;
        return static_cast<Twips>(column) * kTileStep;
    }
    static Twips tileTop(int tile) {
        const int row = tile / kTileColumns;
        return static_cast<Twips>(row) * kTileStep;
    }

private:
    InsertResult insert(ElementKind kind, Picture picture, bool plus, Viewport viewport);
    Twips insertTop(const Image& element, Viewport viewport) const;
    void clearSlots();

    Level level_;
};

}  // namespace ferlan::editor
