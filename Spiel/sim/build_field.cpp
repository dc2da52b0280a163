#include "build_field.h"

#include "discs.h"

#include <leveldata/builtin_levels.h>

#include <utility>

namespace ferlan {
namespace {

// The ball starts centred in the entry pipe, 260 below its top edge, so the
// first ticks lift it out.
constexpr Twips kBallStartLeft = 3120;
constexpr Twips kBallStartDepth = 260;
constexpr Twips kLevelanzeigerRise = 3503;
constexpr Twips kLevelendeanzeigerTop = 2603;

// Assigning a picture gives the object the picture's natural size; losing it
// keeps the size the object had.
void assignPicture(Image& image, Picture picture) {
    image.picture = picture;
    if (picture != Picture::None) {
        image.Width = pictureSize(picture);
        image.Height = image.Width;
    }
}

void copyDisc(Disc& to, const Disc& from) {
    to.BackColour = from.BackColour;
    to.Top = from.Top;
    to.Left = from.Left;
    to.Height = from.Height;
    to.Width = from.Width;
    to.Visible = from.Visible;
}

// Moves slots slot + 1 to the last one down by one and empties the last
// slot. `discs` holds three discs per slot, numbered from 1 like the slots;
// null for a kind without discs.
template <std::size_t Slots>
void shiftDown(std::array<Image, Slots>& images, Disc* discs, int slot) {
    constexpr int last = static_cast<int>(Slots) - 1;
    for (int s = slot; s < last; ++s) {
        Image& to = images[static_cast<std::size_t>(s)];
        const Image& from = images[static_cast<std::size_t>(s + 1)];
        assignPicture(to, from.picture);
        to.Top = from.Top;
        to.Left = from.Left;
        to.Visible = from.Visible;
        if (discs) {
            for (int d = 0; d < 3; ++d) copyDisc(discs[3 * s - 2 + d], discs[3 * (s + 1) - 2 + d]);
        }
    }
    Image& lastImage = images[static_cast<std::size_t>(last)];
    assignPicture(lastImage, Picture::None);
    lastImage.Visible = false;
    if (discs) {
        for (int d = 0; d < 3; ++d) discs[3 * last - 2 + d].Visible = false;
    }
}

Picture polePicture(const std::string& code) {
    // Size, side, then the shown polarity, or "u" where it is hidden.
    const char shown = code[2] == 'u' ? 'u' : code[3];
    return pictureFromName(std::string{code[0], code[1], shown});
}

Picture kugelPicture(const std::string& code) {
    if (code == "pp") return Picture::p;
    if (code == "mm") return Picture::m;
    return Picture::u;
}

const std::array<Colour, 3>& discColours(char polarity) {
    return polarity == 'p' ? kPlusDiscColours : kMinusDiscColours;
}

void placePole(GameModel& model, int i, const LevelEntry& entry) {
    const std::string& code = entry.code;
    const bool large = code[0] == 'g';
    const bool rightWall = code[1] == 'r';
    Image& pole = model.Ferlan[static_cast<std::size_t>(i)];
    pole.Left = entry.x;
    pole.Top = entry.y;
    pole.Visible = true;
    assignPicture(pole, polePicture(code));
    const Twips w = large ? 960.0f : 720.0f;
    // The pole acts from its face that looks into the field.
    const Twips face = rightWall ? entry.x : entry.x + w;

    const auto& table = large ? kLargePoleDiscs : kSmallPoleDiscs;
    const auto& colours = discColours(code[3]);
    for (int d = 0; d < 3; ++d) {
        Disc& disc = model.Anziehung[static_cast<std::size_t>(3 * i - 2 + d)];
        const PoleDisc& shape = table[static_cast<std::size_t>(d)];
        disc.Width = shape.size;
        disc.Height = shape.size;
        disc.Top = entry.y - shape.dy;
        disc.Left = face - shape.dx;
        disc.BackColour = colours[static_cast<std::size_t>(d)];
    }

    FieldObject& marker = model.Zentrum[static_cast<std::size_t>(i)];
    marker.Left = face - marker.Width / 2;
    pole.Height = large ? kLargeRodHeight : kSmallRodHeight;
    marker.Top = entry.y + pole.Height / 2 - marker.Height;
    ++model.NextFerlan;
}

void placeKugel(GameModel& model, int j, const LevelEntry& entry) {
    Image& ball = model.Kugel[static_cast<std::size_t>(j)];
    ball.Left = entry.x;
    ball.Top = entry.y;
    ball.Visible = true;
    assignPicture(ball, kugelPicture(entry.code));
    const auto& colours = discColours(entry.code[1]);
    for (int d = 0; d < 3; ++d) {
        Disc& disc = model.Anziehung2[static_cast<std::size_t>(3 * j - 2 + d)];
        const Twips size = kKugelDiscSizes[static_cast<std::size_t>(d)];
        disc.Width = size;
        disc.Height = size;
        disc.Top = ball.Top + ball.Height / 2 - disc.Height / 2;
        disc.Left = ball.Left + ball.Width / 2 - disc.Width / 2;
        disc.BackColour = colours[static_cast<std::size_t>(d)];
    }
    ++model.NextKugel;
}

void placeTransformator(GameModel& model, int k, const LevelEntry& entry) {
    Image& pipe = model.Transformator[static_cast<std::size_t>(k)];
    pipe.Left = entry.x;
    pipe.Top = entry.y;
    pipe.Visible = true;
    assignPicture(pipe, pictureFromName(entry.code));
    pipe.Width = kTransformatorWidth;
    ++model.NextTransformator;
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
    switch (kind) {
        case ElementKind::Ferlan:
            if (slot < 1 || slot > kMaxFerlan) return;
            shiftDown(model.Ferlan, model.Anziehung.data(), slot);
            --model.NextFerlan;
            break;
        case ElementKind::Kugel:
            if (slot < 1 || slot > kMaxKugel) return;
            shiftDown(model.Kugel, model.Anziehung2.data(), slot);
            --model.NextKugel;
            break;
        case ElementKind::Transformator:
            if (slot < 1 || slot > kMaxTransformator) return;
            shiftDown(model.Transformator, nullptr, slot);
            --model.NextTransformator;
            break;
    }
}

void buildField(GameModel& model) {
    clearKind(model, ElementKind::Ferlan, kMaxFerlan, model.NextFerlan);
    clearKind(model, ElementKind::Kugel, kMaxKugel, model.NextKugel);
    clearKind(model, ElementKind::Transformator, kMaxTransformator, model.NextTransformator);

    model.fieldChanged();
    model.panelChanged();
    model.AlarmOn = false;
    model.Geschafft.Visible = false;
    model.Spielflaeche.Visible = true;
    model.Anzeigetafel.Visible = true;
    model.SpieltimerEnabled = true;
    model.BallPolarity = Polarity::Neutral;

    const LevelData& level = model.levelData;
    const Twips h = static_cast<Twips>(level.height) * kRowHeight;
    model.Spielflaeche.Height = h;
    model.Anfang.Top = h - kRowHeight;
    for (std::size_t n = 3; n < 6; ++n) model.Verbindung[n].Top = h - kRowHeight;
    model.Spielflaeche.Top = kWindowInnerHeight - model.Anzeigetafel.Height - h;

    model.Eisenkugel.Visible = true;
    model.Eisenkugel.Left = kBallStartLeft;
    model.Eisenkugel.Top = model.Anfang.Top + kBallStartDepth;

    model.Levelanzeiger.Visible = true;
    model.Levelanzeiger.Top = h - (model.Levelanzeiger.Height + kLevelanzeigerRise);
    model.Levelendeanzeiger.Visible = false;
    model.Levelendeanzeiger.Top = kLevelendeanzeigerTop;

    model.FloorTexture = level.floor;
    model.FloorRows = static_cast<int>(roundHalfEven(static_cast<double>(h) / kRowHeight));

    for (int i = 1; i <= kMaxFerlan; ++i) {
        const LevelEntry& entry = level.ferlan[static_cast<std::size_t>(i - 1)];
        if (entry.used()) placePole(model, i, entry);
    }
    for (int j = 1; j <= kMaxKugel; ++j) {
        const LevelEntry& entry = level.kugel[static_cast<std::size_t>(j - 1)];
        if (entry.used()) placeKugel(model, j, entry);
    }
    for (int k = 1; k <= kMaxTransformator; ++k) {
        const LevelEntry& entry = level.transformator[static_cast<std::size_t>(k - 1)];
        if (entry.used()) placeTransformator(model, k, entry);
    }
}

bool readLevelText(GameModel& model) {
    model.BallVX = 0;
    model.BallVY = 0;
    model.SwapX = 0;
    model.SwapY = 0;
    model.KugelVX.fill(0);
    model.KugelVY.fill(0);
    if (!readLevelText(model.Text1, model.levelData)) return false;
    buildField(model);
    return true;
}

bool startBuiltinLevel(GameModel& model, int index) {
    const auto text = builtinLevelText(index);
    if (!text) return false;
    model.Text1 = std::string(*text);
    const std::string number = " " + std::to_string(index + 1);
    model.Levelanzeige.Visible = true;
    model.Levelanzeige.Caption = number;
    model.Geladen.Visible = false;
    model.Levelanzeiger.Caption = "Level" + number;
    model.fieldChanged();
    model.panelChanged();
    return readLevelText(model);
}

bool startLoadedLevel(GameModel& model, std::string text) {
    model.Text1 = std::move(text);
    model.Levelanzeige.Visible = false;
    model.Geladen.Visible = true;
    model.Levelanzeiger.Caption.clear();
    model.fieldChanged();
    model.panelChanged();
    return readLevelText(model);
}

bool restartLevel(GameModel& model) {
    model.SpieltimerEnabled = false;
    return readLevelText(model);
}

}  // namespace ferlan
