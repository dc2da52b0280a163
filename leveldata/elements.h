// What an element is and how it lies on the field: its pictures and their
// natural sizes, the crops, the attraction discs and their colours, the
// traits every kind has, the fixed pipes, and the level as a value with one
// slot array per kind that closes up after a removal. The game's level build
// and the editor both lay their elements out with these, so a level looks and
// plays the same in both.
#pragma once

#include <leveldata/level_text.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ferlan {

// A colour as the programs store and compare it: red in the low byte, blue in
// the high byte (0x0000FF is pure red, 0x00FF00 pure green).
using Colour = std::uint32_t;

inline constexpr Colour makeColour(int red, int green, int blue) {
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) |
           (static_cast<Colour>(blue) << 16);
}
inline constexpr int colourRed(Colour c) { return static_cast<int>(c & 0xFF); }
inline constexpr int colourGreen(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int colourBlue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// The kind names are also the words the selection and removal use.
enum class ElementKind : std::uint8_t { None, Ferlan, Kugel, Transformator };

// The palette pictures an element can carry. The names spell the element
// code's letters: g/k = gross/klein, l/r = links/rechts (the wall the pole
// stands on), p/m = the polarity shown, u = hidden; "a" + effect for a
// polariser.
enum class Picture : std::uint8_t {
    None,
    grp,
    grm,
    gru,
    glp,
    glm,
    glu,  // gross poles, 64 x 64 pixels
    krp,
    krm,
    kru,
    klp,
    klm,
    klu,  // klein poles, 48 x 48
    p,
    m,
    u,  // charged balls, 32 x 32
    ap,
    am,
    an,  // polarisers, 64 x 64
};

// The palette image's name ("grp", "ap", ...); empty for None.
std::string_view pictureName(Picture picture);
// The inverse of pictureName; None for a name that is not a palette image.
Picture pictureFromName(std::string_view name);
// The picture's natural size in twips (it is square); 0 for None.
Twips pictureSize(Picture picture);

bool isGross(Picture pole);
bool isLinks(Picture pole);  // the pole stands on the left wall

// A family of palette pictures: the side of its square picture in pixels, the
// opaque part the art has to fill (the rod's rows along a pole's top, the pipe
// piece's columns at a polariser's left), and what a placed element keeps of
// its picture, in twips: a pole block its rod's height, a polariser its pipe
// piece's width. The transparent strip between the opaque part and the crop
// is part of the element's box in the tick.
struct PictureFamily {
    int pixels;
    int opaquePixels;
    Twips crop;

    constexpr Twips size() const { return static_cast<Twips>(pixels) * kTwipsPerPixel; }
};
inline constexpr PictureFamily kGrossFerlanPicture{64, 19, 360};    // 960 x 360 when placed
inline constexpr PictureFamily kKleinFerlanPicture{48, 11, 240};    // 720 x 240
inline constexpr PictureFamily kKugelPicture{32, 32, 480};          // keeps its whole picture
inline constexpr PictureFamily kTransformatorPicture{64, 38, 600};  // 600 x 960

// The family a picture belongs to; nullptr for None.
const PictureFamily* familyOf(Picture picture);

// Left, Top, Width, Height and Visible: what every object on the field has.
struct FieldObject {
    Twips Left = 0;
    Twips Top = 0;
    Twips Width = 0;
    Twips Height = 0;
    bool Visible = false;

    Twips right() const { return Left + Width; }
    Twips bottom() const { return Top + Height; }
    bool operator==(const FieldObject&) const = default;
};

// A picture object: an element, a pipe or the iron ball.
struct Image : FieldObject {
    Picture picture = Picture::None;
    bool operator==(const Image&) const = default;
};

// Assigning a picture gives the object the picture's natural size; losing it
// (None) keeps the size the object had.
void assignPicture(Image& image, Picture picture);

// A filled circle marking the reach of a pole's or charged ball's pull. The
// editor shows the discs; the game keeps them hidden and uses them as
// geometry, and its tick reads a pull's polarity from their colour.
struct Disc : FieldObject {
    Colour BackColour = 0;
    bool operator==(const Disc&) const = default;
};

// Disc colours from the largest disc to the smallest.
inline constexpr std::array<Colour, 3> kPlusDiscColours = {
    makeColour(255, 192, 192), makeColour(255, 128, 128), makeColour(255, 0, 0)};
inline constexpr std::array<Colour, 3> kMinusDiscColours = {
    makeColour(192, 255, 192), makeColour(128, 255, 128), makeColour(0, 255, 0)};
inline const std::array<Colour, 3>& discColours(bool plus) {
    return plus ? kPlusDiscColours : kMinusDiscColours;
}

// A pole disc: its diameter and the offsets of its top left corner, taken
// from the pole's face (its left end on the right wall, its right end on the
// left wall) and from the pole's top. The offsets are not symmetric about the
// rod's end; levels are built and played with exactly these numbers.
struct FerlanDisc {
    Twips size;
    Twips dx;
    Twips dy;
};
inline constexpr std::array<FerlanDisc, 3> kGrossDiscs = {
    FerlanDisc{4575, 2280, 2040}, FerlanDisc{3255, 1560, 1440}, FerlanDisc{1575, 720, 600}};
inline constexpr std::array<FerlanDisc, 3> kKleinDiscs = {
    FerlanDisc{3735, 1800, 1800}, FerlanDisc{2535, 1200, 1200}, FerlanDisc{1335, 600, 600}};
// A charged ball's discs are centred on the ball.
inline constexpr std::array<Twips, 3> kKugelDiscSizes = {4575, 3255, 1575};

// Disc d (0 the largest, 2 the smallest) of slot n is disc 3n - 2 + d.
inline constexpr std::size_t discIndex(int slot, int d) {
    return static_cast<std::size_t>(3 * slot - 2 + d);
}
// The three discs of `slot` in a disc array numbered from 1 like the slots.
inline std::span<Disc, 3> discsOf(std::span<Disc> discs, int slot) {
    return discs.subspan(discIndex(slot, 0)).first<3>();
}

// The x the pole acts from: its face that looks into the field.
inline Twips ferlanFace(const Image& pole) {
    return isLinks(pole.picture) ? pole.Left + pole.Width : pole.Left;
}

// An element of a level as a value: its picture (which names the shown
// polarity) with its position and size, its three discs (largest first) and
// its real polarity. A disc's colour follows from the real polarity and is
// only derived where a disc is shown or handed to the game.
struct Element {
    Image image;
    std::array<FieldObject, 3> discs{};
    bool plus = true;

    Disc disc(std::size_t d) const { return {discs.at(d), discColours(plus).at(d)}; }
    bool operator==(const Element&) const = default;
};

// Which side of its picture a placed element keeps at the crop of its
// picture's family: a pole block its rod's height, a polariser its pipe
// piece's width.
enum class Crop : std::uint8_t { None, Height, Width };

// What the elements of one kind share. Everything the programs do alike for
// every kind reads it from here; what is left per kind is its rule in the
// tick, its drawing and its controls.
struct KindTraits {
    ElementKind kind;
    std::string_view name;  // the code word, also the selection's and removal's
    int slotCount;          // how many a level can hold
    // An element with discs pulls, so it also has a real polarity, the last
    // letter of its code; without, the code is its picture's name.
    int discs;
    Crop crop;
    // A slot never used yet has the size its object was designed with, and
    // the editor centres the first insert into it from that size.
    Twips freshWidth;
    Twips freshHeight;
    bool (*isCode)(std::string_view code);
    // Sizes and places the discs for the element's picture and position.
    void (*fitDiscs)(Element& element);
    // What the editor says when the kind's slots are full, and the words the
    // windows and the tool count the kind with.
    std::string_view limitMessage;
    std::string_view screenOne;
    std::string_view screenMany;

    bool hasPolarity() const { return discs > 0; }
};

// A pole's discs are sized by its picture's family and placed from its face;
// a charged ball's are centred on it.
void fitFerlanDiscs(Element& pole);
void fitKugelDiscs(Element& ball);

inline constexpr std::size_t kKindCount = 3;
// In the order of the level text and of ElementKind.
inline constexpr std::array<KindTraits, kKindCount> kElementKinds = {{
    {ElementKind::Ferlan, "Ferlan", kMaxFerlan, 3, Crop::Height, 1215, 375, isFerlanCode,
     fitFerlanDiscs, "Es können keine Ferlanen mehr eingefügt werden.", "Ferlan", "Ferlanen"},
    {ElementKind::Kugel, "Kugel", kMaxKugel, 3, Crop::None, 1215, 375, isKugelCode, fitKugelDiscs,
     "Es können keine Kugeln mehr eingefügt werden.", "Ferlankugel", "Ferlankugeln"},
    {ElementKind::Transformator, "Transformator", kMaxTransformator, 0, Crop::Width, 1215, 495,
     isTransformatorCode, nullptr, "Es können keine Transformatoren mehr eingefügt werden.",
     "Ferlanisator", "Ferlanisatoren"},
}};

inline constexpr std::size_t kindIndex(ElementKind kind) {
    return static_cast<std::size_t>(kind) - 1;
}
// The traits of a kind other than None.
inline constexpr const KindTraits& traits(ElementKind kind) {
    return kElementKinds.at(kindIndex(kind));
}
// Visits every kind in the order of the level text.
template <typename Visit>
void forEachKind(Visit&& visit) {
    for (const KindTraits& kind : kElementKinds) visit(kind);
}

// The picture an element of `code` shows; None for a code of another kind.
Picture codePicture(const KindTraits& kind, std::string_view code);
// The element's code in the level text: its picture's name and the real
// polarity where the kind has one.
std::string elementCode(const KindTraits& kind, const Element& element);

// Shows the element at (left, top) and lays it out: the picture with its
// natural size, the discs sized and placed (their visibility is left alone),
// the real polarity, and the crop.
void layOut(const KindTraits& kind, Element& element, Picture picture, Twips left, Twips top,
            bool plus);
// The same from a valid code of the level text.
void layOut(const KindTraits& kind, Element& element, const LevelEntry& entry);
// Puts the element's top left corner at (left, top), its discs with it.
void moveTo(const KindTraits& kind, Element& element, Twips left, Twips top);

// The slots of one kind, numbered from 1 as everywhere in the level's terms,
// with the used ones first.
class SlotArray {
public:
    explicit SlotArray(const KindTraits& kind);

    const KindTraits& kind() const { return *kind_; }
    int size() const { return static_cast<int>(slots_.size()); }
    int used() const { return used_; }
    bool full() const { return used_ == size(); }
    bool holds(int n) const { return n >= 1 && n <= used_; }
    const Element& at(int n) const { return slots_.at(static_cast<std::size_t>(n - 1)); }
    Element& at(int n) { return slots_.at(static_cast<std::size_t>(n - 1)); }
    auto begin() const { return slots_.begin(); }
    auto end() const { return slots_.end(); }

    // The first free slot, now counted as used; nullptr when full.
    Element* add();
    // Removes the element of slot n: every higher slot moves down one, the
    // last slot loses its picture and is hidden with its discs. False when
    // slot n holds no element.
    //
    // A moved element takes its picture first, which resets it to the
    // picture's natural size, and then the cropped side of the slot it came
    // from. The moved elements stay on show and the next insert into a freed
    // slot is centred from the size left there.
    bool remove(int n);
    // Empties every slot the way removing slot 1 once per slot leaves it.
    void clear();

    bool operator==(const SlotArray&) const = default;

private:
    void closeGap(int n);

    const KindTraits* kind_;
    std::vector<Element> slots_;
    int used_ = 0;
};

// A level as a value: its height in rows, its floor (1 to 4; 0 while none is
// chosen) and one slot array per kind.
struct Level {
    int height = kMinHeight;
    int floor = 0;
    std::array<SlotArray, kKindCount> arrays{
        SlotArray(kElementKinds[0]), SlotArray(kElementKinds[1]), SlotArray(kElementKinds[2])};

    SlotArray& of(ElementKind kind) { return arrays.at(kindIndex(kind)); }
    const SlotArray& of(ElementKind kind) const { return arrays.at(kindIndex(kind)); }
    bool operator==(const Level&) const = default;
};

// The level text's entries of one kind.
std::span<const LevelEntry> entriesOf(const LevelData& data, ElementKind kind);
std::span<LevelEntry> entriesOf(LevelData& data, ElementKind kind);

// The fixed pipes: the exit Ende at the top with three straight pieces to its
// left, the entry Anfang in the level's last row with three to its right.
inline constexpr Twips kPipeSize = 960;
inline constexpr Twips kEndeLeft = 2880;
inline constexpr Twips kAnfangLeft = 2880;
// Verbindung 0 to 2 beside the exit, 3 to 5 beside the entry.
inline constexpr std::array<Twips, 6> kVerbindungLefts = {1920, 960, 0, 3840, 4800, 5760};
// The entry row always fills the level's last row, whatever the height.
inline constexpr Twips entryRowTop(Twips levelHeight) { return levelHeight - kRowHeight; }

}  // namespace ferlan
