#include "elements.h"

#include <algorithm>
#include <string>
#include <type_traits>

namespace ferlan {
namespace {

struct PaletteEntry {
    Picture picture;
    std::string_view name;
    const PictureFamily* family;
};

constexpr PaletteEntry kPalette[] = {
    {Picture::grp, "grp", &kGrossFerlanPicture}, {Picture::grm, "grm", &kGrossFerlanPicture},
    {Picture::gru, "gru", &kGrossFerlanPicture}, {Picture::glp, "glp", &kGrossFerlanPicture},
    {Picture::glm, "glm", &kGrossFerlanPicture}, {Picture::glu, "glu", &kGrossFerlanPicture},
    {Picture::krp, "krp", &kKleinFerlanPicture}, {Picture::krm, "krm", &kKleinFerlanPicture},
    {Picture::kru, "kru", &kKleinFerlanPicture}, {Picture::klp, "klp", &kKleinFerlanPicture},
    {Picture::klm, "klm", &kKleinFerlanPicture}, {Picture::klu, "klu", &kKleinFerlanPicture},
    {Picture::p, "p", &kKugelPicture},           {Picture::m, "m", &kKugelPicture},
    {Picture::u, "u", &kKugelPicture},           {Picture::ap, "ap", &kTransformatorPicture},
    {Picture::am, "am", &kTransformatorPicture}, {Picture::an, "an", &kTransformatorPicture},
};

const PaletteEntry* find(Picture picture) {
    const auto it = std::find_if(std::begin(kPalette), std::end(kPalette),
                                 [picture](const PaletteEntry& e) { return e.picture == picture; });
    return it == std::end(kPalette) ? nullptr : it;
}

// The level text's entries of a kind, for a LevelData const or not.
template <typename Data>
auto entriesIn(Data& data, ElementKind kind)
    -> std::span<std::remove_reference_t<decltype(data.ferlan[0])>> {
    switch (kind) {
        case ElementKind::Ferlan: return data.ferlan;
        case ElementKind::Kugel: return data.kugel;
        case ElementKind::Transformator: return data.transformator;
        case ElementKind::None: break;
    }
    return {};
}

}  // namespace

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

const PictureFamily* familyOf(Picture picture) {
    const PaletteEntry* entry = find(picture);
    return entry ? entry->family : nullptr;
}

Twips pictureSize(Picture picture) {
    const PictureFamily* family = familyOf(picture);
    return family ? family->size() : 0.0f;
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

void fitFerlanDiscs(Element& pole) {
    const auto& table = isGross(pole.image.picture) ? kGrossDiscs : kKleinDiscs;
    const Twips face = ferlanFace(pole.image);
    for (std::size_t d = 0; d < 3; ++d) {
        FieldObject& disc = pole.discs[d];
        disc.Width = table[d].size;
        disc.Height = table[d].size;
        disc.Top = pole.image.Top - table[d].dy;
        disc.Left = face - table[d].dx;
    }
}

void fitKugelDiscs(Element& ball) {
    const Image& image = ball.image;
    for (std::size_t d = 0; d < 3; ++d) {
        FieldObject& disc = ball.discs[d];
        disc.Width = kKugelDiscSizes[d];
        disc.Height = kKugelDiscSizes[d];
        disc.Top = image.Top + image.Height / 2 - disc.Height / 2;
        disc.Left = image.Left + image.Width / 2 - disc.Width / 2;
    }
}

Picture codePicture(const KindTraits& kind, std::string_view code) {
    if (!kind.isCode(code)) return Picture::None;
    return pictureFromName(kind.hasPolarity() ? code.substr(0, code.size() - 1) : code);
}

std::string elementCode(const KindTraits& kind, const Element& element) {
    std::string code(pictureName(element.image.picture));
    if (kind.hasPolarity()) code += element.plus ? 'p' : 'm';
    return code;
}

void layOut(const KindTraits& kind, Element& element, Picture picture, Twips left, Twips top,
            bool plus) {
    Image& image = element.image;
    image.Left = left;
    image.Top = top;
    image.Visible = true;
    assignPicture(image, picture);
    element.plus = plus;
    if (kind.fitDiscs) kind.fitDiscs(element);
    const PictureFamily* family = familyOf(picture);
    if (kind.crop == Crop::Height && family) image.Height = family->crop;
    if (kind.crop == Crop::Width && family) image.Width = family->crop;
}

void layOut(const KindTraits& kind, Element& element, const LevelEntry& entry) {
    layOut(kind, element, codePicture(kind, entry.code), entry.x, entry.y,
           kind.hasPolarity() && entry.code.ends_with('p'));
}

void moveTo(const KindTraits& kind, Element& element, Twips left, Twips top) {
    element.image.Left = left;
    element.image.Top = top;
    if (kind.fitDiscs) kind.fitDiscs(element);
}

SlotArray::SlotArray(const KindTraits& kind)
    : kind_(&kind), slots_(static_cast<std::size_t>(kind.slotCount)) {
    for (Element& slot : slots_) {
        slot.image.Width = kind.freshWidth;
        slot.image.Height = kind.freshHeight;
    }
}

Element* SlotArray::add() {
    if (full()) return nullptr;
    ++used_;
    return &at(used_);
}

bool SlotArray::remove(int n) {
    if (!holds(n)) return false;
    closeGap(n);
    --used_;
    return true;
}

void SlotArray::clear() {
    for (int run = 0; run < size(); ++run) closeGap(1);
    used_ = 0;
}

void SlotArray::closeGap(int n) {
    const int last = size();
    for (int s = n; s < last; ++s) {
        Element& to = at(s);
        const Element& from = at(s + 1);
        assignPicture(to.image, from.image.picture);
        to.image.Top = from.image.Top;
        to.image.Left = from.image.Left;
        to.image.Visible = from.image.Visible;
        if (kind_->crop == Crop::Height) to.image.Height = from.image.Height;
        if (kind_->crop == Crop::Width) to.image.Width = from.image.Width;
        to.discs = from.discs;
        to.plus = from.plus;
    }
    Element& lastSlot = at(last);
    assignPicture(lastSlot.image, Picture::None);
    lastSlot.image.Visible = false;
    for (FieldObject& disc : lastSlot.discs) disc.Visible = false;
}

std::span<const LevelEntry> entriesOf(const LevelData& data, ElementKind kind) {
    return entriesIn(data, kind);
}

std::span<LevelEntry> entriesOf(LevelData& data, ElementKind kind) { return entriesIn(data, kind); }

}  // namespace ferlan
