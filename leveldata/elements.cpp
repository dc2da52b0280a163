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
    {Picture::grp, "grp", kGrossFerlanPicture.size()},
    {Picture::grm, "grm", kGrossFerlanPicture.size()},
    {Picture::gru, "gru", kGrossFerlanPicture.size()},
    {Picture::glp, "glp", kGrossFerlanPicture.size()},
    {Picture::glm, "glm", kGrossFerlanPicture.size()},
    {Picture::glu, "glu", kGrossFerlanPicture.size()},
    {Picture::krp, "krp", kKleinFerlanPicture.size()},
    {Picture::krm, "krm", kKleinFerlanPicture.size()},
    {Picture::kru, "kru", kKleinFerlanPicture.size()},
    {Picture::klp, "klp", kKleinFerlanPicture.size()},
    {Picture::klm, "klm", kKleinFerlanPicture.size()},
    {Picture::klu, "klu", kKleinFerlanPicture.size()},
    {Picture::p, "p", kKugelPicture.size()},
    {Picture::m, "m", kKugelPicture.size()},
    {Picture::u, "u", kKugelPicture.size()},
    {Picture::ap, "ap", kTransformatorPicture.size()},
    {Picture::am, "am", kTransformatorPicture.size()},
    {Picture::an, "an", kTransformatorPicture.size()},
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

void placeFerlanDiscs(const Image& pole, std::span<Disc, 3> discs) {
    const auto& table = isGross(pole.picture) ? kGrossDiscs : kKleinDiscs;
    const Twips face = ferlanFace(pole);
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
    placeFerlanDiscs(pole, discs);
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
