#include "build_field.h"

#include <leveldata/builtin_levels.h>

namespace ferlan {
namespace {

// The ball starts centred in the entry pipe, 260 below its top edge, so the
// first ticks lift it out.
constexpr Twips kBallStartLeft = 3120;
constexpr Twips kBallStartDepth = 260;

// Neither the tick nor the drawing looks at a hidden slot, and every slot a
// level uses is laid out afresh, so emptying needs no gap closed.
template <typename Slots>
void emptySlots(Slots slots) {
    for (Image& image : slots.images.subspan(1)) {
        assignPicture(image, Picture::None);
        image.Visible = false;
    }
    if (!slots.discs.empty()) {
        for (Disc& disc : slots.discs.subspan(1)) disc.Visible = false;
    }
    slots.next = 1;
}

void place(GameModel& model, const KindTraits& kind, const LevelEntry& entry) {
    const auto slots = fieldSlots(model, kind.kind);
    Element element;
    layOut(kind, element, entry);
    const int n = slots.next++;
    slots.images[static_cast<std::size_t>(n)] = element.image;
    for (int d = 0; d < kind.discs; ++d) {
        slots.discs[discIndex(n, d)] = element.disc(static_cast<std::size_t>(d));
    }
}

}  // namespace

void buildField(GameModel& model, const LevelData& level) {
    forEachKind([&model](const KindTraits& kind) { emptySlots(fieldSlots(model, kind.kind)); });

    model.fieldChanged();
    model.panelChanged();
    model.AlarmOn = false;
    model.BallPolarity = Polarity::Neutral;

    const Twips h = static_cast<Twips>(level.height) * kRowHeight;
    model.Spielflaeche.Height = h;
    model.Anfang.Top = entryRowTop(h);
    for (std::size_t n = 3; n < 6; ++n) model.Verbindung[n].Top = entryRowTop(h);
    model.Spielflaeche.Top = kWindowInnerHeight - model.Anzeigetafel.Height - h;

    model.Eisenkugel.Visible = true;
    model.Eisenkugel.Left = kBallStartLeft;
    model.Eisenkugel.Top = model.Anfang.Top + kBallStartDepth;

    model.Phase = BallPhase::Entry;

    model.FloorTexture = level.floor;
    model.FloorRows = static_cast<int>(roundHalfEven(static_cast<double>(h) / kRowHeight));

    forEachKind([&](const KindTraits& kind) {
        for (const LevelEntry& entry : entriesOf(level, kind.kind)) {
            if (entry.used()) place(model, kind, entry);
        }
    });
    // A pole's centre marker sits on its face, halfway down its rod.
    for (std::size_t i = 1; i < model.NextFerlan; ++i) {
        const Image& pole = model.Ferlan[i];
        FieldObject& marker = model.Zentrum[i];
        marker.Left = ferlanFace(pole) - marker.Width / 2;
        marker.Top = pole.Top + pole.Height / 2 - marker.Height;
    }
}

bool buildLevel(GameModel& model, std::string_view text) {
    model.BallVX = 0;
    model.BallVY = 0;
    model.SwapX = 0;
    model.SwapY = 0;
    model.KugelVX.fill(0);
    model.KugelVY.fill(0);
    LevelData level;
    if (!readLevelText(text, level)) return false;
    buildField(model, level);
    return true;
}

bool startBuiltinLevel(GameModel& model, int index) {
    const auto text = builtinLevelText(index);
    return text && buildLevel(model, *text);
}

bool startLoadedLevel(GameModel& model, std::string_view text) { return buildLevel(model, text); }

}  // namespace ferlan
