// The level being edited: fixed slot arrays of elements with their discs, the
// counters, the height, the floor, the preview's scroll position and the
// selection. Every editing operation of the editor is a function here; the
// window only shows this state and forwards the user's actions.
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

inline constexpr std::string_view kFerlanLimitMessage =
    "Es können keine Ferlanen mehr eingefügt werden.";
inline constexpr std::string_view kKugelLimitMessage =
    "Es können keine Kugeln mehr eingefügt werden.";
inline constexpr std::string_view kTransformatorLimitMessage =
    "Es können keine Transformatoren mehr eingefügt werden.";

struct InsertResult {
    bool inserted = false;
    int slot = 0;              // the slot used, when inserted
    std::string_view message;  // the limit message, when the array is full
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
    int ferlan = 0;
    int kugel = 0;
    int transformator = 0;
    int total() const { return ferlan + kugel + transformator; }
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

inline constexpr int kMinScroll = -200;  // the scroll bar runs from 0 down to this
inline constexpr Twips kScrollUnit = 75;

inline constexpr int kMouseLeft = 1;
inline constexpr int kMouseRight = 2;

class EditorModel {
public:
    EditorModel();
    bool operator==(const EditorModel&) const = default;

    // Slots are numbered from 1, as everywhere in the level's terms.
    const Image& ferlan(int n) const { return ferlan_.at(static_cast<std::size_t>(n)); }
    const Image& kugel(int n) const { return kugel_.at(static_cast<std::size_t>(n)); }
    const Image& transformator(int n) const {
        return transformator_.at(static_cast<std::size_t>(n));
    }
    const Image& slot(ElementKind kind, int n) const;
    // Three discs per pole block n (3n-2, 3n-1, 3n) and per charged ball n.
    const Disc& anziehung(int i) const { return anziehung_.at(static_cast<std::size_t>(i)); }
    const Disc& anziehung2(int i) const { return anziehung2_.at(static_cast<std::size_t>(i)); }

    std::uint8_t nextFerlan() const { return nextFerlan_; }
    std::uint8_t nextKugel() const { return nextKugel_; }
    std::uint8_t nextTransformator() const { return nextTransformator_; }
    std::uint8_t nextSlot(ElementKind kind) const;

    int height() const { return height_; }       // rows of 975 twips, 9 to 23
    int floor() const { return floor_; }         // texture 1 to 4; 0 while none is chosen
    int scrollValue() const { return scroll_; }  // 0 to -200
    Twips previewTop() const { return previewTop_; }
    Twips previewHeight() const { return previewHeight_; }

    ElementKind selectedKind() const { return selectedKind_; }
    std::int16_t selectedIndex() const { return selectedIndex_; }
    Twips grabX() const { return grabX_; }
    Twips grabY() const { return grabY_; }
    std::uint8_t dragIndex() const { return dragIndex_; }

    bool directHelp() const { return directHelp_; }
    void setDirectHelp(bool on) { directHelp_ = on; }

    // True once the level differs from the last new, loaded or saved one.
    bool changed() const { return changed_; }
    void markSaved() { changed_ = false; }

    // `windowInnerHeight` is the editor window's client height in twips at the
    // moment of the insert: the element appears at the window's vertical middle.
    InsertResult insertFerlan(const FerlanOptions& options, Twips windowInnerHeight);
    InsertResult insertKugel(const KugelOptions& options, Twips windowInnerHeight);
    InsertResult insertTransformator(TransformatorEffect effect, Twips windowInnerHeight);

    // A mouse press on an element; x and y from the element's top left corner.
    void pressElement(ElementKind kind, int index, int button, Twips x, Twips y);
    // The drop of the element last pressed with the left button on floor tile
    // `tile`; x and y from the tile's top left corner. False when nothing moved.
    bool dropOnTile(int tile, Twips x, Twips y);
    // Removes the element of the last right press and closes the gap.
    void deleteSelected();

    void setHeight(int rows);    // kept within 9 to 23
    void setScroll(int value);   // kept within 0 to -200
    void setFloor(int texture);  // 1 to 4

    // The level text of the preview, written by the shared writer.
    LevelTextResult levelText() const;
    // Empties the preview and rebuilds it from a level read by readLevelText.
    void buildPreview(const LevelData& data);
    // Back to the empty level of height 9 without a floor.
    void newLevel();

    Hit hitTest(Twips x, Twips y) const;  // preview coordinates
    OutsideCount elementsOutside() const;
    int elementCount() const { return nextFerlan_ + nextKugel_ + nextTransformator_ - 3; }
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
    Image& slotRef(ElementKind kind, int n);
    std::uint8_t& counterRef(ElementKind kind);
    void deleteSlot(ElementKind kind, int index);
    void removeAll(ElementKind kind);
    Twips insertTop(const Image& element, Twips windowInnerHeight) const;
    void placeFerlan(int n, Picture picture, Twips left, Twips top, bool plus);
    void placeKugel(int n, Picture picture, Twips left, Twips top, bool plus);

    std::array<Image, kMaxFerlan + 1> ferlan_{};
    std::array<Image, kMaxKugel + 1> kugel_{};
    std::array<Image, kMaxTransformator + 1> transformator_{};
    std::array<Disc, 3 * kMaxFerlan + 1> anziehung_{};
    std::array<Disc, 3 * kMaxKugel + 1> anziehung2_{};

    std::uint8_t nextFerlan_ = 1;
    std::uint8_t nextKugel_ = 1;
    std::uint8_t nextTransformator_ = 1;

    int height_ = kMinHeight;
    int floor_ = 0;
    int scroll_ = 0;
    Twips previewTop_ = 0;
    Twips previewHeight_ = kMinHeight * kRowHeight;

    ElementKind selectedKind_ = ElementKind::None;
    std::int16_t selectedIndex_ = 0;
    Twips grabX_ = 0;
    Twips grabY_ = 0;
    std::uint8_t dragIndex_ = 0;

    bool directHelp_ = false;
    bool changed_ = false;
};

}  // namespace ferlan::editor
