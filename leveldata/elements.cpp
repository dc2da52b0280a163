#include "elements.h"

#include <algorithm>
#include <string>

namespace ferlan {
namespace {

struct PaletteEntry {
    Picture picture;
    std::string_view name;
    Twips size;
};

constexpr PaletteEntry kPalette[] = {
    {Picture::grp, "grp", kGrossPole.size()},       {Picture::grm, "grm", kGrossPole.size()},
    {Picture::gru, "gru", kGrossPole.size()},       {Picture::glp, "glp", kGrossPole.size()},
    {Picture::glm, "glm", kGrossPole.size()},       {Picture::glu, "glu", kGrossPole.size()},
    {Picture::krp, "krp", kKleinPole.size()},       {Picture::krm, "krm", kKleinPole.size()},
    {Picture::kru, "kru", kKleinPole.size()},       {Picture::klp, "klp", kKleinPole.size()},
    {Picture::klm, "klm", kKleinPole.size()},       {Picture::klu, "klu", kKleinPole.size()},
    {Picture::p, "p", kKugelBall.size()},           {Picture::m, "m", kKugelBall.size()},
    {Picture::u, "u", kKugelBall.size()},           {Picture::ap, "ap", kTransformatorPipe.size()},
    {Picture::am, "am", kTransformatorPipe.size()}, {Picture::an, "an", kTransformatorPipe.size()},
};

const PaletteEntry* find(Picture picture) {
    const auto it = std::find_if(std::begin(kPalette), std::end(kPalette),
                                 [picture](const PaletteEntry& e) { return e.picture == picture; });
    return it == std::end(kPalette) ? nullptr : it;
}

void showAt(Image& element, Picture picture, Twips left, Twips top) {
    element.Left = left;
    element.Top = top;
    element.Visible = true;
    assignPicture(element, picture);
}

void copyDisc(Disc& to, const Disc& from) {
    to.BackColour = from.BackColour;
    to.Top = from.Top;
    to.Left = from.Left;
    to.Height = from.Height;
    to.Width = from.Width;
    to.Visible = from.Visible;
}

}  // namespace

std::string_view kindName(ElementKind kind) {
    switch (kind) {
        case ElementKind::Ferlan: return "Ferlan";
        case ElementKind::Kugel: return "Kugel";
        case ElementKind::Transformator: return "Transformator";
        case ElementKind::None: break;
    }
    return {};
}

int slotCount(ElementKind kind) {
    switch (kind) {
        case ElementKind::Ferlan: return kMaxFerlan;
        case ElementKind::Kugel: return kMaxKugel;
        case ElementKind::Transformator: return kMaxTransformator;
        case ElementKind::None: break;
    }
    return 0;
}

std::string_view pictureName(Picture picture) {
    const PaletteEntry* entry = find(picture);
    return entry ? entry->name : std::string_view{};
}

Picture pictureFromName(std::string_view name) {
    for (const PaletteEntry& entry : kPalette) {
        if (entry.name == name) return entry.picture;
    }
    return Picture::None;
}

Twips pictureSize(Picture picture) {
    const PaletteEntry* entry = find(picture);
    return entry ? entry->size : 0.0f;
}

Picture ferlanPicture(std::string_view code) {
    if (code.size() < 4) return Picture::None;
    const char shown = code[2] == 'u' ? 'u' : code[3];
    return pictureFromName(std::string{code[0], code[1], shown});
}

Picture kugelPicture(std::string_view code) {
    if (code == "pp") return Picture::p;
    if (code == "mm") return Picture::m;
    return Picture::u;
}

bool isGross(Picture pole) { return pictureName(pole).starts_with('g'); }

bool isLinks(Picture pole) {
    const std::string_view name = pictureName(pole);
    return name.size() == 3 && name[1] == 'l';
}

void assignPicture(Image& image, Picture picture) {
    image.picture = picture;
    if (picture != Picture::None) {
        image.Width = pictureSize(picture);
        image.Height = image.Width;
    }
}

void placePoleDiscs(const Image& pole, std::span<Disc, 3> discs) {
    const auto& table = isGross(pole.picture) ? kGrossDiscs : kKleinDiscs;
    const Twips face = poleFace(pole);
    for (std::size_t d = 0; d < 3; ++d) {
        discs[d].Top = pole.Top - table[d].dy;
        discs[d].Left = face - table[d].dx;
    }
}

void placeKugelDiscs(const Image& ball, std::span<Disc, 3> discs) {
    for (Disc& disc : discs) {
        disc.Top = ball.Top + ball.Height / 2 - disc.Height / 2;
        disc.Left = ball.Left + ball.Width / 2 - disc.Width / 2;
    }
}

void layOutFerlan(Image& pole, std::span<Disc, 3> discs, Picture picture, Twips left, Twips top,
                  bool plus) {
    showAt(pole, picture, left, top);
    const auto& table = isGross(picture) ? kGrossDiscs : kKleinDiscs;
    for (std::size_t d = 0; d < 3; ++d) {
        discs[d].Width = table[d].size;
        discs[d].Height = table[d].size;
        discs[d].BackColour = discColours(plus)[d];
    }
    placePoleDiscs(pole, discs);
    pole.Height = rodHeight(isGross(picture));
}

void layOutKugel(Image& ball, std::span<Disc, 3> discs, Picture picture, Twips left, Twips top,
                 bool plus) {
    showAt(ball, picture, left, top);
    for (std::size_t d = 0; d < 3; ++d) {
        discs[d].Width = kKugelDiscSizes[d];
        discs[d].Height = kKugelDiscSizes[d];
        discs[d].BackColour = discColours(plus)[d];
    }
    placeKugelDiscs(ball, discs);
}

void layOutTransformator(Image& pipe, Picture picture, Twips left, Twips top) {
    showAt(pipe, picture, left, top);
    pipe.Width = kTransformatorWidth;
}

void removeFromSlots(ElementKind kind, std::span<Image> slots, std::span<Disc> discs, int slot) {
    const int last = static_cast<int>(slots.size()) - 1;
    for (int s = slot; s < last; ++s) {
        Image& to = slots[static_cast<std::size_t>(s)];
        const Image& from = slots[static_cast<std::size_t>(s + 1)];
        assignPicture(to, from.picture);
        to.Top = from.Top;
        to.Left = from.Left;
        to.Visible = from.Visible;
        if (kind == ElementKind::Ferlan) to.Height = from.Height;
        if (kind == ElementKind::Transformator) to.Width = from.Width;
        if (!discs.empty()) {
            for (int d = 0; d < 3; ++d) {
                copyDisc(discs[discIndex(s, d)], discs[discIndex(s + 1, d)]);
            }
        }
    }
    Image& lastSlot = slots[static_cast<std::size_t>(last)];
    assignPicture(lastSlot, Picture::None);
    lastSlot.Visible = false;
    if (!discs.empty()) {
        for (Disc& disc : discsOf(discs, last)) disc.Visible = false;
    }
}

}  // namespace ferlan
