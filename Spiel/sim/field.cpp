#include "field.h"

#include <algorithm>

namespace ferlan {
namespace {

struct PaletteEntry {
    Picture picture;
    std::string_view name;
    float size;  // natural size in twips: 15 per pixel
};

constexpr PaletteEntry kPalette[] = {
    {Picture::grp, "grp", 960}, {Picture::grm, "grm", 960}, {Picture::gru, "gru", 960},
    {Picture::glp, "glp", 960}, {Picture::glm, "glm", 960}, {Picture::glu, "glu", 960},
    {Picture::krp, "krp", 720}, {Picture::krm, "krm", 720}, {Picture::kru, "kru", 720},
    {Picture::klp, "klp", 720}, {Picture::klm, "klm", 720}, {Picture::klu, "klu", 720},
    {Picture::p, "p", 480},     {Picture::m, "m", 480},     {Picture::u, "u", 480},
    {Picture::ap, "ap", 960},   {Picture::am, "am", 960},   {Picture::an, "an", 960},
};

const PaletteEntry* find(Picture picture) {
    const auto it = std::find_if(std::begin(kPalette), std::end(kPalette),
                                 [picture](const PaletteEntry& e) { return e.picture == picture; });
    return it == std::end(kPalette) ? nullptr : it;
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

float pictureSize(Picture picture) {
    const PaletteEntry* entry = find(picture);
    return entry ? entry->size : 0.0f;
}

GameModel::GameModel() {
    for (FieldObject& marker : Zentrum) {
        marker.Width = kZentrumSize;
        marker.Height = kZentrumSize;
    }
    for (Image& ball : Kugel) {
        ball.Width = kBallSize;
        ball.Height = kBallSize;
    }
    constexpr Twips pieceLefts[6] = {1920, 960, 0, 3840, 4800, 5760};
    for (std::size_t n = 0; n < Verbindung.size(); ++n) {
        Verbindung[n] = {pieceLefts[n], n < 3 ? 0.0f : Anfang.Top, kPipeSize, kPipeSize, true};
    }
}

}  // namespace ferlan
