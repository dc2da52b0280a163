// The playing field as the game keeps it: every object the level build and the
// tick touch, with its geometry in twips, plus the few variables of the tick.
// Which level is in play and what follows a win is the session's (session.h);
// the window draws from both and feeds the field the held arrow keys; it never
// decides a rule itself.
#pragma once

#include <leveldata/elements.h>
#include <leveldata/level_text.h>

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>

namespace ferlan {

// Speeds are whole twips per tick in 16 bits; see speed.h for the arithmetic.
using Speed = std::int16_t;

enum class Polarity : std::uint8_t { Neutral, Plus, Minus };

// The field's inner coordinates: the side walls of the tick.
inline constexpr Twips kScaleLeft = 0;
inline constexpr Twips kScaleWidth = 6735;

// The game window's client height and the panel's height; the panel's top
// edge P (their difference, 8025) is where the field's bottom comes to rest.
inline constexpr Twips kWindowInnerHeight = 8640;
inline constexpr Twips kPanelHeight = 615;

inline constexpr Twips kBallSize = 480;
inline constexpr Twips kZentrumSize = 495;

// Where the iron ball is in its way through a level: rising out of the entry
// pipe, free on the field, or under the exit's opening being drawn in (where
// it stays, hidden, once the level is won).
enum class BallPhase : std::uint8_t { Entry, Field, Exit };

// Every array that the rules number from 1 has an unused element 0, so that
// Ferlan[i], Anziehung[3 * i - 2] and KugelVX[k] read as the rules do.
struct GameModel {
    // The playing field: a container that only moves vertically. Its inner
    // coordinates run from kScaleLeft over kScaleWidth. Whether it and the
    // panel show is the session's, so their Visible stays unused.
    FieldObject Spielflaeche{0, 0, kScaleWidth, 8655, false};
    // The panel strip along the window's bottom; holds the indicators.
    FieldObject Anzeigetafel{0, 8040, kScaleWidth, kPanelHeight, false};

    Image Eisenkugel{{3120, 0, kBallSize, kBallSize, false}, Picture::None};

    std::array<Image, kMaxFerlan + 1> Ferlan{};
    std::array<FieldObject, kMaxFerlan + 1> Zentrum{};  // hidden markers, 495 x 495
    std::array<Disc, 3 * kMaxFerlan + 1> Anziehung{};   // discs 3i-2, 3i-1, 3i of pole i
    std::array<Image, kMaxKugel + 1> Kugel{};
    std::array<Disc, 3 * kMaxKugel + 1> Anziehung2{};  // discs 3k-2, 3k-1, 3k of ball k
    std::array<Image, kMaxTransformator + 1> Transformator{};

    FieldObject Anfang{kAnfangLeft, 7680, kPipeSize, kPipeSize, true};  // entry pipe, bottom
    FieldObject Ende{kEndeLeft, 0, kPipeSize, kPipeSize, true};         // exit pipe, top
    // Straight pipe pieces: 0 to 2 beside the exit, 3 to 5 beside the entry.
    std::array<FieldObject, 6> Verbindung{};

    // The floor drawing under every element: tile Boden<FloorTexture> drawn
    // at natural size in columns 0 to 6 and rows 0 to FloorRows, 960 apart.
    std::uint8_t FloorTexture = 0;
    int FloorRows = 0;

    // The iron ball's polarity; the three panel indicators show it, exactly
    // one at a time.
    Polarity BallPolarity = Polarity::Neutral;
    bool plusanzeigeVisible() const { return BallPolarity == Polarity::Plus; }
    bool minusanzeigeVisible() const { return BallPolarity == Polarity::Minus; }
    bool neutralanzeigeVisible() const { return BallPolarity == Polarity::Neutral; }

    Speed BallVX = 0;
    Speed BallVY = 0;
    std::array<Speed, kMaxKugel + 1> KugelVX{};
    std::array<Speed, kMaxKugel + 1> KugelVY{};
    Speed SwapX = 0;  // scratch cells of the speed exchange; no meaning between ticks
    Speed SwapY = 0;

    bool AlarmOn = false;
    // Read whether the ball is in the exit through ballInExit (rules.h).
    BallPhase Phase = BallPhase::Entry;

    // Set by the window's key handlers, read by the tick.
    bool KeyUpHeld = false;
    bool KeyDownHeld = false;
    bool KeyLeftHeld = false;
    bool KeyRightHeld = false;

    // The next free slot of each kind (1 when empty, 26, 11 or 6 when full).
    std::uint8_t NextFerlan = 1;
    std::uint8_t NextKugel = 1;
    std::uint8_t NextTransformator = 1;

    // Counts the changes to what the window shows, so that it redraws only
    // when and where something changed: `field` for the field's content and
    // captions and whether the field and the panel show, `panel` for what the
    // panel shows. The tick and every operation raise them; the held keys,
    // the speeds and AlarmOn (which the lamp samples) count for neither.
    struct Revision {
        std::uint64_t field = 0;
        std::uint64_t panel = 0;
        bool operator==(const Revision&) const = default;
    };
    Revision revision;
    void fieldChanged() { ++revision.field; }
    void panelChanged() { ++revision.panel; }

    GameModel();

    bool operator==(const GameModel&) const = default;
};

// The field's slots of one kind, each array with its unused element 0, of a
// GameModel or a const one. `discs` is empty for a kind without discs.
template <typename Model>
auto fieldSlots(Model& model, ElementKind kind) {
    constexpr bool kConst = std::is_const_v<Model>;
    struct Slots {
        std::span<std::conditional_t<kConst, const Image, Image>> images;
        std::span<std::conditional_t<kConst, const Disc, Disc>> discs;
        std::conditional_t<kConst, const std::uint8_t, std::uint8_t>& next;
    };
    switch (kind) {
        case ElementKind::Ferlan: return Slots{model.Ferlan, model.Anziehung, model.NextFerlan};
        case ElementKind::Kugel: return Slots{model.Kugel, model.Anziehung2, model.NextKugel};
        case ElementKind::None:
        case ElementKind::Transformator: break;
    }
    return Slots{model.Transformator, {}, model.NextTransformator};
}

}  // namespace ferlan
