// What an element is and how it lies on the field: its pictures and their
// natural sizes, the crops, the attraction discs and their colours, the fixed
// pipes, and how a slot array closes up after a removal. The game's level
// build and the editor both lay their elements out with these, so a level
// looks and plays the same in both.
#pragma once

#include <leveldata/level_text.h>

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

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

// "Ferlan", "Kugel", "Transformator" (empty for None).
std::string_view kindName(ElementKind kind);
// 25, 10 or 5 slots; 0 for None.
int slotCount(ElementKind kind);

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

// The picture a pole block of `code` ("glup") shows: size and side, then the
// shown polarity, or u where it is hidden. None for a code too short.
Picture ferlanPicture(std::string_view code);
// "pp" shows p, "mm" m, a hidden polarity ("up", "um") u.
Picture kugelPicture(std::string_view code);
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

inline constexpr Twips rodHeight(bool gross) {
    return gross ? kGrossFerlanPicture.crop : kKleinFerlanPicture.crop;
}
inline constexpr Twips kTransformatorWidth = kTransformatorPicture.crop;

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
// geometry. Their colour is the only place a hidden polarity is kept.
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
// Moves a pole's discs to where they belong for its picture, position and
// width (the natural width; the crop leaves it alone).
void placeFerlanDiscs(const Image& pole, std::span<Disc, 3> discs);
// Centres a charged ball's discs on it.
void placeKugelDiscs(const Image& ball, std::span<Disc, 3> discs);

// Show an element at (left, top) and lay it out: the picture with its natural
// size, the three discs sized, placed and coloured by the real polarity
// (their visibility is left alone), and the crop to the rod or pipe piece.
void layOutFerlan(Image& pole, std::span<Disc, 3> discs, Picture picture, Twips left, Twips top,
                  bool plus);
void layOutKugel(Image& ball, std::span<Disc, 3> discs, Picture picture, Twips left, Twips top,
                 bool plus);
void layOutTransformator(Image& pipe, Picture picture, Twips left, Twips top);

// Removes the element in `slot` (1-based) of a slot array whose element 0 is
// unused: every higher slot moves down one, the last slot loses its picture
// and is hidden with its discs. `discs` is empty for polarisers. The counter
// of the kind is the caller's.
//
// A moved element takes its picture first, which resets it to the picture's
// natural size, and then the cropped side of the slot it came from: the
// height of a pole block (its rod), the width of a polariser (its pipe
// piece). The editor needs this because the moved elements stay on show and
// the next insert into a freed slot is centred from the size left there. The
// game only ever empties every slot from slot 1 before it lays a level out
// afresh, and neither the tick nor the drawing looks at a hidden slot, so the
// same restoration costs it nothing and the two programs share one removal.
void removeFromSlots(ElementKind kind, std::span<Image> slots, std::span<Disc> discs, int slot);

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
