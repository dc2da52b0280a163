#include "build_field.h"

#include <leveldata/builtin_levels.h>

namespace ferlan {
namespace {

// The ball starts centred in the entry pipe, 260 below its top edge, so the
// first ticks lift it out.
constexpr Twips kBallStartLeft = 3120;
constexpr Twips kBallStartDepth = 260;

void placeFerlan(GameModel& model, int i, const LevelEntry& entry) {
    Image& pole = model.Ferlan[static_cast<std::size_t>(i)];
    layOutFerlan(pole, discsOf(model.Anziehung, i), ferlanPicture(entry.code), entry.x, entry.y,
                 entry.code[3] == 'p');
    // The centre marker sits on the pole's face, halfway down its rod.
    FieldObject& marker = model.Zentrum[static_cast<std::size_t>(i)];
    marker.Left = ferlanFace(pole) - marker.Width / 2;
    marker.Top = entry.y + pole.Height / 2 - marker.Height;
    ++model.NextFerlan;
}

template <typename Counter>
void clearKind(GameModel& model, ElementKind kind, int slots, Counter& counter) {
    for (int n = 0; n < slots; ++n) {
        ++counter;
        removeElement(model, kind, 1);
    }
    counter = 1;
}

}  // namespace

void removeElement(GameModel& model, ElementKind kind, int slot) {
    if (slot < 1 || slot > slotCount(kind)) return;
    switch (kind) {
        case ElementKind::Ferlan:
            removeFromSlots(kind, model.Ferlan, model.Anziehung, slot);
            --model.NextFerlan;
            break;
        case ElementKind::Kugel:
            removeFromSlots(kind, model.Kugel, model.Anziehung2, slot);
            --model.NextKugel;
            break;
        case ElementKind::Transformator:
            removeFromSlots(kind, model.Transformator, {}, slot);
            --model.NextTransformator;
            break;
        case ElementKind::None: break;
    }
}

void buildField(GameModel& model, const LevelData& level) {
    clearKind(model, ElementKind::Ferlan, kMaxFerlan, model.NextFerlan);
    clearKind(model, ElementKind::Kugel, kMaxKugel, model.NextKugel);
    clearKind(model, ElementKind::Transformator, kMaxTransformator, model.NextTransformator);

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

    for (int i = 1; i <= kMaxFerlan; ++i) {
        const LevelEntry& entry = level.ferlan[static_cast<std::size_t>(i - 1)];
        if (entry.used()) placeFerlan(model, i, entry);
    }
    for (int j = 1; j <= kMaxKugel; ++j) {
        const LevelEntry& entry = level.kugel[static_cast<std::size_t>(j - 1)];
        if (!entry.used()) continue;
        layOutKugel(model.Kugel[static_cast<std::size_t>(j)], discsOf(model.Anziehung2, j),
                    kugelPicture(entry.code), entry.x, entry.y, entry.code[1] == 'p');
        ++model.NextKugel;
    }
    for (int k = 1; k <= kMaxTransformator; ++k) {
        const LevelEntry& entry = level.transformator[static_cast<std::size_t>(k - 1)];
        if (!entry.used()) continue;
        layOutTransformator(model.Transformator[static_cast<std::size_t>(k)],
                            pictureFromName(entry.code), entry.x, entry.y);
        ++model.NextTransformator;
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
