#include "level_document.h"

#include <algorithm>
#include <utility>

namespace ferlan::editor {
namespace {

bool contains(const Image& s, Twips x, Twips y) {
    return x >= s.Left && x < s.right() && y >= s.Top && y < s.bottom();
}

void showDiscs(std::span<Disc, 3> discs) {
    for (Disc& d : discs) d.Visible = true;
}

// A hidden polarity lives only in the colour of the smallest disc.
std::string realPolarity(const Disc& smallest) {
    if (smallest.BackColour == kPlusDiscColours[2]) return "p";
    if (smallest.BackColour == kMinusDiscColours[2]) return "m";
    return {};
}

}  // namespace

LevelDocument::LevelDocument() {
    // A slot never used yet has the size its object was designed with, and
    // the first insert into it centres from that size.
    for (auto& s : ferlan_) s.Width = 1215, s.Height = 375;
    for (auto& s : kugel_) s.Width = 1215, s.Height = 375;
    for (auto& s : transformator_) s.Width = 1215, s.Height = 495;
}

const Image& LevelDocument::slot(ElementKind kind, int n) const {
    const auto i = static_cast<std::size_t>(n);
    switch (kind) {
        case ElementKind::Kugel: return kugel_.at(i);
        case ElementKind::Transformator: return transformator_.at(i);
        default: return ferlan_.at(i);
    }
}

Image& LevelDocument::slotRef(ElementKind kind, int n) {
    return const_cast<Image&>(std::as_const(*this).slot(kind, n));
}

std::uint8_t LevelDocument::nextSlot(ElementKind kind) const {
    switch (kind) {
        case ElementKind::Kugel: return nextKugel_;
        case ElementKind::Transformator: return nextTransformator_;
        default: return nextFerlan_;
    }
}

std::uint8_t& LevelDocument::counterRef(ElementKind kind) {
    switch (kind) {
        case ElementKind::Kugel: return nextKugel_;
        case ElementKind::Transformator: return nextTransformator_;
        default: return nextFerlan_;
    }
}

Twips LevelDocument::insertTop(const Image& element, Viewport viewport) const {
    const Twips halfWindow = viewport.innerHeight / 2 - element.Height / 2;
    // When the preview's lower edge is in view, the element goes as far above
    // that edge as the window's middle lies above the window's lower edge.
    if (viewport.innerHeight - 100 >= previewHeight() + viewport.previewTop) {
        return previewHeight() - halfWindow;
    }
    return halfWindow - viewport.previewTop;
}

void LevelDocument::placeFerlan(int n, Picture picture, Twips left, Twips top, bool plus) {
    const auto discs = discsOf(anziehung_, n);
    layOutFerlan(ferlan_[static_cast<std::size_t>(n)], discs, picture, left, top, plus);
    showDiscs(discs);
}

void LevelDocument::placeKugel(int n, Picture picture, Twips left, Twips top, bool plus) {
    const auto discs = discsOf(anziehung2_, n);
    layOutKugel(kugel_[static_cast<std::size_t>(n)], discs, picture, left, top, plus);
    showDiscs(discs);
}

// A new element is centred across the preview and placed from the size its
// slot has before it takes its picture.
InsertResult LevelDocument::insertFerlan(const FerlanOptions& options, Viewport viewport) {
    const int n = nextFerlan_;
    if (n > kMaxFerlan) return {false, 0, kFerlanLimitMessage};
    const Image& e = ferlan_[static_cast<std::size_t>(n)];
    std::string picture;
    picture += options.gross ? 'g' : 'k';
    picture += options.rechts ? 'r' : 'l';
    picture += !options.sichtbar ? 'u' : options.plus ? 'p' : 'm';
    placeFerlan(n, pictureFromName(picture), kPreviewWidth / 2 - e.Width / 2,
                insertTop(e, viewport), options.plus);
    ++nextFerlan_;
    return {true, n, {}};
}

InsertResult LevelDocument::insertKugel(const KugelOptions& options, Viewport viewport) {
    const int n = nextKugel_;
    if (n > kMaxKugel) return {false, 0, kKugelLimitMessage};
    const Image& e = kugel_[static_cast<std::size_t>(n)];
    const Picture picture = !options.sichtbar ? Picture::u : options.plus ? Picture::p : Picture::m;
    placeKugel(n, picture, kPreviewWidth / 2 - e.Width / 2, insertTop(e, viewport), options.plus);
    ++nextKugel_;
    return {true, n, {}};
}

InsertResult LevelDocument::insertTransformator(TransformatorEffect effect, Viewport viewport) {
    const int n = nextTransformator_;
    if (n > kMaxTransformator) return {false, 0, kTransformatorLimitMessage};
    const Image& e = transformator_[static_cast<std::size_t>(n)];
    const Picture picture = effect == TransformatorEffect::Plus    ? Picture::ap
                            : effect == TransformatorEffect::Minus ? Picture::am
                                                                   : Picture::an;
    layOutTransformator(transformator_[static_cast<std::size_t>(n)], picture,
                        kPreviewWidth / 2 - e.Width / 2, insertTop(e, viewport));
    ++nextTransformator_;
    return {true, n, {}};
}

bool LevelDocument::moveElement(ElementKind kind, int n, Twips left, Twips top) {
    if (!holds(kind, n)) return false;
    Image& e = slotRef(kind, n);
    e.Top = top;
    e.Left = left;
    if (kind == ElementKind::Ferlan) placeFerlanDiscs(e, discsOf(anziehung_, n));
    if (kind == ElementKind::Kugel) placeKugelDiscs(e, discsOf(anziehung2_, n));
    return true;
}

bool LevelDocument::deleteElement(ElementKind kind, int n) {
    // Only a slot in use can be deleted; anything else would wrap the counter.
    if (!holds(kind, n)) return false;
    switch (kind) {
        case ElementKind::Ferlan: removeFromSlots(kind, ferlan_, anziehung_, n); break;
        case ElementKind::Kugel: removeFromSlots(kind, kugel_, anziehung2_, n); break;
        case ElementKind::Transformator: removeFromSlots(kind, transformator_, {}, n); break;
        case ElementKind::None: return false;
    }
    --counterRef(kind);
    return true;
}

void LevelDocument::removeAll(ElementKind kind) {
    // Deleting slot 1 once per slot, with the counter raised first so that the
    // slot counts as used, clears every slot the way a delete leaves it.
    std::uint8_t& counter = counterRef(kind);
    for (int run = 0; run < slotCount(kind); ++run) {
        ++counter;
        deleteElement(kind, 1);
    }
    counter = 1;
}

bool LevelDocument::setHeight(int rows) {
    rows = std::clamp(rows, kMinHeight, kMaxHeight);
    if (rows == height_) return false;
    height_ = rows;
    return true;
}

bool LevelDocument::setFloor(int texture) {
    if (texture < 1 || texture > 4 || texture == floor_) return false;
    floor_ = texture;
    return true;
}

LevelTextResult LevelDocument::levelText() const {
    if (floor_ < 1 || floor_ > 4) return {LevelTextStatus::NoFloor, {}};
    LevelData data;
    data.height = static_cast<std::uint8_t>(height_);
    data.floor = static_cast<std::uint8_t>(floor_);

    // A code is the picture's name followed by the real polarity, which for
    // a hidden polarity only the smallest disc's colour still knows.
    std::size_t k = 0;
    for (int n = 1; n <= kMaxFerlan; ++n) {
        const Image& e = ferlan_[static_cast<std::size_t>(n)];
        if (!e.Visible) continue;
        std::string code(pictureName(e.picture));
        code += code.size() == 3 && code[2] == 'u' ? realPolarity(anziehung_[discIndex(n, 2)])
                                                   : code.substr(code.size() - 1);
        data.ferlan[k++] = {code, e.Left, e.Top};
    }
    k = 0;
    for (int n = 1; n <= kMaxKugel; ++n) {
        const Image& e = kugel_[static_cast<std::size_t>(n)];
        if (!e.Visible) continue;
        std::string code(pictureName(e.picture));
        code += code == "u" ? realPolarity(anziehung2_[discIndex(n, 2)]) : code;
        data.kugel[k++] = {code, e.Left, e.Top};
    }
    k = 0;
    for (int n = 1; n <= kMaxTransformator; ++n) {
        const Image& e = transformator_[static_cast<std::size_t>(n)];
        if (e.Visible)
            data.transformator[k++] = {std::string(pictureName(e.picture)), e.Left, e.Top};
    }

    WriteResult written = writeLevelText(data);
    if (written.error == WriteError::CoordinateOutOfRange) {
        return {LevelTextStatus::CoordinateOutOfRange, {}};
    }
    if (!written.ok()) return {LevelTextStatus::Unwritable, {}};
    return {LevelTextStatus::Ok, std::move(written.text)};
}

void LevelDocument::load(const LevelData& data) {
    floor_ = 0;
    removeAll(ElementKind::Ferlan);
    removeAll(ElementKind::Kugel);
    removeAll(ElementKind::Transformator);
    setHeight(data.height);
    setFloor(data.floor);

    for (int n = 1; n <= kMaxFerlan; ++n) {
        const LevelEntry& entry = data.ferlan[static_cast<std::size_t>(n - 1)];
        if (!isFerlanCode(entry.code)) continue;
        placeFerlan(n, ferlanPicture(entry.code), entry.x, entry.y, entry.code[3] == 'p');
        ++nextFerlan_;
    }
    for (int n = 1; n <= kMaxKugel; ++n) {
        const LevelEntry& entry = data.kugel[static_cast<std::size_t>(n - 1)];
        if (!isKugelCode(entry.code)) continue;
        placeKugel(n, kugelPicture(entry.code), entry.x, entry.y, entry.code[1] == 'p');
        ++nextKugel_;
    }
    for (int n = 1; n <= kMaxTransformator; ++n) {
        const LevelEntry& entry = data.transformator[static_cast<std::size_t>(n - 1)];
        if (!isTransformatorCode(entry.code)) continue;
        layOutTransformator(transformator_[static_cast<std::size_t>(n)],
                            pictureFromName(entry.code), entry.x, entry.y);
        ++nextTransformator_;
    }
}

void LevelDocument::clear() {
    setHeight(kMinHeight);
    floor_ = 0;
    removeAll(ElementKind::Ferlan);
    removeAll(ElementKind::Kugel);
    removeAll(ElementKind::Transformator);
}

OutsideCount LevelDocument::elementsOutside() const {
    OutsideCount outside;
    const auto count = [this](ElementKind kind) {
        int n = 0;
        for (int i = 1; i < nextSlot(kind); ++i) {
            const Image& e = slot(kind, i);
            n += e.Left >= kPreviewWidth || e.Top >= previewHeight() || e.right() <= 0 ||
                         e.bottom() <= 0
                     ? 1
                     : 0;
        }
        return n;
    };
    outside.ferlan = count(ElementKind::Ferlan);
    outside.kugel = count(ElementKind::Kugel);
    outside.transformator = count(ElementKind::Transformator);
    return outside;
}

Hit LevelDocument::hitTest(Twips x, Twips y) const {
    // The preview clips what lies beyond its edges.
    if (x < 0 || y < 0 || x >= kPreviewWidth || y >= previewHeight()) return {};
    // Polarisers lie above charged balls above pole blocks, and within an
    // array a higher slot above a lower one.
    for (const ElementKind kind :
         {ElementKind::Transformator, ElementKind::Kugel, ElementKind::Ferlan}) {
        for (int n = slotCount(kind); n >= 1; --n) {
            const Image& e = slot(kind, n);
            if (e.Visible && contains(e, x, y)) return {Hit::Target::Element, kind, n};
        }
    }
    for (const PipePiece& pipe : pipes()) {
        if (x >= pipe.left && x < pipe.left + kPipeSize && y >= pipe.top &&
            y < pipe.top + kPipeSize) {
            return {Hit::Target::Pipe, ElementKind::None, 0};
        }
    }
    for (int tile = kTileCount - 1; tile >= 0; --tile) {
        const Twips left = tileLeft(tile);
        const Twips top = tileTop(tile);
        if (x >= left && x < left + kTileSize && y >= top && y < top + kTileSize) {
            return {Hit::Target::Tile, ElementKind::None, tile};
        }
    }
    return {};
}

std::array<PipePiece, 8> LevelDocument::pipes() const {
    const Twips entryTop = entryRowTop(previewHeight());
    return {{
        {"Ende", kEndeLeft, 0},
        {"Verbindung", kVerbindungLefts[0], 0},
        {"Verbindung", kVerbindungLefts[1], 0},
        {"Verbindung", kVerbindungLefts[2], 0},
        {"Anfang", kAnfangLeft, entryTop},
        {"Verbindung", kVerbindungLefts[3], entryTop},
        {"Verbindung", kVerbindungLefts[4], entryTop},
        {"Verbindung", kVerbindungLefts[5], entryTop},
    }};
}

}  // namespace ferlan::editor
