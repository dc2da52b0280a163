#include "editor_model.h"

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

EditorModel::EditorModel() {
    // A slot never used yet has the size its object was designed with, and
    // the first insert into it centres from that size.
    for (auto& s : ferlan_) s.Width = 1215, s.Height = 375;
    for (auto& s : kugel_) s.Width = 1215, s.Height = 375;
    for (auto& s : transformator_) s.Width = 1215, s.Height = 495;
}

const Image& EditorModel::slot(ElementKind kind, int n) const {
    const auto i = static_cast<std::size_t>(n);
    switch (kind) {
        case ElementKind::Kugel: return kugel_.at(i);
        case ElementKind::Transformator: return transformator_.at(i);
        default: return ferlan_.at(i);
    }
}

Image& EditorModel::slotRef(ElementKind kind, int n) {
    return const_cast<Image&>(std::as_const(*this).slot(kind, n));
}

std::uint8_t EditorModel::nextSlot(ElementKind kind) const {
    switch (kind) {
        case ElementKind::Kugel: return nextKugel_;
        case ElementKind::Transformator: return nextTransformator_;
        default: return nextFerlan_;
    }
}

std::uint8_t& EditorModel::counterRef(ElementKind kind) {
    switch (kind) {
        case ElementKind::Kugel: return nextKugel_;
        case ElementKind::Transformator: return nextTransformator_;
        default: return nextFerlan_;
    }
}

Twips EditorModel::insertTop(const Image& element, Twips windowInnerHeight) const {
    const Twips halfWindow = windowInnerHeight / 2 - element.Height / 2;
    // When the preview's lower edge is in view, the element goes as far above
    // that edge as the window's middle lies above the window's lower edge.
    if (windowInnerHeight - 100 >= previewHeight_ + previewTop_) {
        return previewHeight_ - halfWindow;
    }
    return halfWindow - previewTop_;
}

void EditorModel::placeFerlan(int n, Picture picture, Twips left, Twips top, bool plus) {
    const auto discs = discsOf(anziehung_, n);
    layOutFerlan(ferlan_[static_cast<std::size_t>(n)], discs, picture, left, top, plus);
    showDiscs(discs);
}

void EditorModel::placeKugel(int n, Picture picture, Twips left, Twips top, bool plus) {
    const auto discs = discsOf(anziehung2_, n);
    layOutKugel(kugel_[static_cast<std::size_t>(n)], discs, picture, left, top, plus);
    showDiscs(discs);
}

// A new element is centred across the preview and placed from the size its
// slot has before it takes its picture.
InsertResult EditorModel::insertFerlan(const FerlanOptions& options, Twips windowInnerHeight) {
    const int n = nextFerlan_;
    if (n > kMaxFerlan) return {false, 0, kFerlanLimitMessage};
    const Image& e = ferlan_[static_cast<std::size_t>(n)];
    std::string picture;
    picture += options.gross ? 'g' : 'k';
    picture += options.rechts ? 'r' : 'l';
    picture += !options.sichtbar ? 'u' : options.plus ? 'p' : 'm';
    placeFerlan(n, pictureFromName(picture), kPreviewWidth / 2 - e.Width / 2,
                insertTop(e, windowInnerHeight), options.plus);
    ++nextFerlan_;
    changed_ = true;
    return {true, n, {}};
}

InsertResult EditorModel::insertKugel(const KugelOptions& options, Twips windowInnerHeight) {
    const int n = nextKugel_;
    if (n > kMaxKugel) return {false, 0, kKugelLimitMessage};
    const Image& e = kugel_[static_cast<std::size_t>(n)];
    const Picture picture = !options.sichtbar ? Picture::u : options.plus ? Picture::p : Picture::m;
    placeKugel(n, picture, kPreviewWidth / 2 - e.Width / 2, insertTop(e, windowInnerHeight),
               options.plus);
    ++nextKugel_;
    changed_ = true;
    return {true, n, {}};
}

InsertResult EditorModel::insertTransformator(TransformatorEffect effect, Twips windowInnerHeight) {
    const int n = nextTransformator_;
    if (n > kMaxTransformator) return {false, 0, kTransformatorLimitMessage};
    const Image& e = transformator_[static_cast<std::size_t>(n)];
    const Picture picture = effect == TransformatorEffect::Plus    ? Picture::ap
                            : effect == TransformatorEffect::Minus ? Picture::am
                                                                   : Picture::an;
    layOutTransformator(transformator_[static_cast<std::size_t>(n)], picture,
                        kPreviewWidth / 2 - e.Width / 2, insertTop(e, windowInnerHeight));
    ++nextTransformator_;
    changed_ = true;
    return {true, n, {}};
}

void EditorModel::pressElement(ElementKind kind, int index, int button, Twips x, Twips y) {
    selectedKind_ = kind;
    if (button == kMouseLeft) {
        grabX_ = x;
        grabY_ = y;
        dragIndex_ = static_cast<std::uint8_t>(index);
    } else if (button == kMouseRight) {
        selectedIndex_ = static_cast<std::int16_t>(index);
    }
}

bool EditorModel::dropOnTile(int tile, Twips x, Twips y) {
    if (tile < 0 || tile >= kTileCount) return false;
    const ElementKind kind = selectedKind_;
    const int n = dragIndex_;
    if (kind == ElementKind::None || n < 1 || n >= nextSlot(kind)) return false;
    Image& e = slotRef(kind, n);
    e.Top = tileTop(tile) + y - grabY_;
    e.Left = tileLeft(tile) + x - grabX_;
    if (kind == ElementKind::Ferlan) placeFerlanDiscs(e, discsOf(anziehung_, n));
    if (kind == ElementKind::Kugel) placeKugelDiscs(e, discsOf(anziehung2_, n));
    changed_ = true;
    return true;
}

void EditorModel::deleteSlot(ElementKind kind, int index) {
    std::uint8_t& counter = counterRef(kind);
    // Only a slot in use can be deleted; anything else would wrap the counter.
    if (index < 1 || index >= counter) return;
    switch (kind) {
        case ElementKind::Ferlan: removeFromSlots(kind, ferlan_, anziehung_, index); break;
        case ElementKind::Kugel: removeFromSlots(kind, kugel_, anziehung2_, index); break;
        case ElementKind::Transformator: removeFromSlots(kind, transformator_, {}, index); break;
        case ElementKind::None: return;
    }
    --counter;
    changed_ = true;
}

void EditorModel::deleteSelected() { deleteSlot(selectedKind_, selectedIndex_); }

void EditorModel::removeAll(ElementKind kind) {
    // Deleting slot 1 once per slot, with the counter raised first so that the
    // slot counts as used, clears every slot the way a delete leaves it.
    std::uint8_t& counter = counterRef(kind);
    for (int run = 0; run < slotCount(kind); ++run) {
        ++counter;
        deleteSlot(kind, 1);
    }
    counter = 1;
}

void EditorModel::setHeight(int rows) {
    rows = std::clamp(rows, kMinHeight, kMaxHeight);
    if (rows == height_) return;
    height_ = rows;
    previewHeight_ = static_cast<Twips>(rows) * kRowHeight;
    changed_ = true;
}

void EditorModel::setScroll(int value) {
    scroll_ = std::clamp(value, kMinScroll, 0);
    previewTop_ = static_cast<Twips>(scroll_) * kScrollUnit;
}

void EditorModel::setFloor(int texture) {
    if (texture < 1 || texture > 4 || texture == floor_) return;
    floor_ = texture;
    changed_ = true;
}

LevelTextResult EditorModel::levelText() const {
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

void EditorModel::buildPreview(const LevelData& data) {
    setScroll(0);
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
    changed_ = false;
}

void EditorModel::newLevel() {
    setHeight(kMinHeight);
    setScroll(0);
    floor_ = 0;
    removeAll(ElementKind::Ferlan);
    removeAll(ElementKind::Kugel);
    removeAll(ElementKind::Transformator);
    changed_ = false;
}

OutsideCount EditorModel::elementsOutside() const {
    OutsideCount outside;
    const auto count = [this](ElementKind kind) {
        int n = 0;
        for (int i = 1; i < nextSlot(kind); ++i) {
            const Image& e = slot(kind, i);
            n += e.Left >= kPreviewWidth || e.Top >= previewHeight_ || e.right() <= 0 ||
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

Hit EditorModel::hitTest(Twips x, Twips y) const {
    // The preview clips what lies beyond its edges.
    if (x < 0 || y < 0 || x >= kPreviewWidth || y >= previewHeight_) return {};
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

std::array<PipePiece, 8> EditorModel::pipes() const {
    const Twips entryTop = entryRowTop(previewHeight_);
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
