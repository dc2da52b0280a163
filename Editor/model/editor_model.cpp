#include "editor_model.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace ferlan::editor {
namespace {

// Where a pole block's three discs lie, from the largest to the smallest:
// diameter, and the offsets of the disc's top left corner from the rod's top
// and from its reference edge (the left end for "rechts", the right end for
// "links"). The offsets are not symmetric about the rod's end; the game reads
// the same numbers, so they stay exactly as they are.
struct DiscLayout {
    Twips diameter;
    Twips top;
    Twips left;
};
constexpr std::array<DiscLayout, 3> kGrossDiscs = {{
    {4575, -2040, -2280},
    {3255, -1440, -1560},
    {1575, -600, -720},
}};
constexpr std::array<DiscLayout, 3> kKleinDiscs = {{
    {3735, -1800, -1800},
    {2535, -1200, -1200},
    {1335, -600, -600},
}};
// Disc 3n-2+k of slot n: k is 0 for the largest disc and 2 for the smallest.
std::size_t discIndex(int n, int k) {
    const int index = 3 * n - 2 + k;
    return static_cast<std::size_t>(index);
}

constexpr std::array<Twips, 3> kKugelDiscDiameters = {4575, 3255, 1575};

// The rod is the opaque top strip of a pole picture; cropping to it is what
// makes a pole block 360 or 240 twips tall.
constexpr Twips kGrossRodHeight = 360;
constexpr Twips kKleinRodHeight = 240;
// A polariser is cropped to the pipe piece at the picture's left.
constexpr Twips kTransformatorWidth = 600;

// The natural size of a palette picture (its pixels at 15 twips each); none
// for an empty picture, which leaves a slot at the size it had.
std::optional<Twips> naturalSize(std::string_view picture) {
    if (picture.empty()) return std::nullopt;
    if (picture.size() == 1) return 480;  // p, m, u: 32 pixels
    if (picture[0] == 'k') return 720;    // small poles: 48 pixels
    return 960;                           // large poles and polarisers: 64 pixels
}

void assignPicture(ImageSlot& slot, std::string_view picture) {
    slot.picture = std::string(picture);
    if (const auto size = naturalSize(picture)) {
        slot.width = *size;
        slot.height = *size;
    }
}

bool contains(const ImageSlot& s, Twips x, Twips y) {
    return x >= s.left && x < s.left + s.width && y >= s.top && y < s.top + s.height;
}

void copyDisc(const Disc& from, Disc& to) {
    to.color = from.color;
    to.top = from.top;
    to.left = from.left;
    to.height = from.height;
    to.width = from.width;
    to.visible = from.visible;
}

// A hidden polarity lives only in the colour of the smallest disc.
std::string realPolarity(const Disc& smallest) {
    if (smallest.color == kPlusDiscColours[2]) return "p";
    if (smallest.color == kMinusDiscColours[2]) return "m";
    return {};
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

EditorModel::EditorModel() {
    // A slot never used yet has the size its object was designed with, and
    // the first insert into it centres from that size.
    for (auto& s : ferlan_) s.width = 1215, s.height = 375;
    for (auto& s : kugel_) s.width = 1215, s.height = 375;
    for (auto& s : transformator_) s.width = 1215, s.height = 495;
}

int EditorModel::slotCount(ElementKind kind) {
    switch (kind) {
        case ElementKind::Ferlan: return kMaxFerlan;
        case ElementKind::Kugel: return kMaxKugel;
        case ElementKind::Transformator: return kMaxTransformator;
        case ElementKind::None: break;
    }
    return 0;
}

const ImageSlot& EditorModel::slot(ElementKind kind, int n) const {
    const auto i = static_cast<std::size_t>(n);
    switch (kind) {
        case ElementKind::Kugel: return kugel_.at(i);
        case ElementKind::Transformator: return transformator_.at(i);
        default: return ferlan_.at(i);
    }
}

ImageSlot& EditorModel::slotRef(ElementKind kind, int n) {
    return const_cast<ImageSlot&>(std::as_const(*this).slot(kind, n));
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

Twips EditorModel::insertTop(const ImageSlot& element, Twips windowInnerHeight) const {
    const Twips halfWindow = windowInnerHeight / 2 - element.height / 2;
    // When the preview's lower edge is in view, the element goes as far above
    // that edge as the window's middle lies above the window's lower edge.
    if (windowInnerHeight - 100 >= previewHeight_ + previewTop_) {
        return previewHeight_ - halfWindow;
    }
    return halfWindow - previewTop_;
}

void EditorModel::placeFerlanDiscs(int n) {
    const ImageSlot& e = ferlan_.at(static_cast<std::size_t>(n));
    if (e.picture.size() != 3) return;
    const bool gross = e.picture[0] == 'g';
    if (!gross && e.picture[0] != 'k') return;
    const bool links = e.picture[1] == 'l';
    if (!links && e.picture[1] != 'r') return;
    const auto& layout = gross ? kGrossDiscs : kKleinDiscs;
    const Twips edge = links ? e.left + e.width : e.left;
    for (int k = 0; k < 3; ++k) {
        Disc& d = anziehung_.at(discIndex(n, k));
        d.top = e.top + layout[static_cast<std::size_t>(k)].top;
        d.left = edge + layout[static_cast<std::size_t>(k)].left;
    }
}

void EditorModel::placeKugelDiscs(int n) {
    const ImageSlot& e = kugel_.at(static_cast<std::size_t>(n));
    for (int k = 0; k < 3; ++k) {
        Disc& d = anziehung2_.at(discIndex(n, k));
        d.top = e.top + e.height / 2 - d.height / 2;
        d.left = e.left + e.width / 2 - d.width / 2;
    }
}

void EditorModel::colourDiscs(Disc* first, bool plus) {
    const auto& colours = plus ? kPlusDiscColours : kMinusDiscColours;
    for (std::size_t k = 0; k < 3; ++k) {
        first[k].color = colours[k];
        first[k].visible = true;
    }
}

InsertResult EditorModel::insertFerlan(const FerlanOptions& options, Twips windowInnerHeight) {
    const int n = nextFerlan_;
    if (n > kMaxFerlan) return {false, 0, kFerlanLimitMessage};
    ImageSlot& e = ferlan_[static_cast<std::size_t>(n)];
    e.left = kPreviewWidth / 2 - e.width / 2;
    e.top = insertTop(e, windowInnerHeight);
    e.visible = true;

    std::string picture;
    picture += options.gross ? 'g' : 'k';
    picture += options.rechts ? 'r' : 'l';
    picture += !options.sichtbar ? 'u' : options.plus ? 'p' : 'm';
    assignPicture(e, picture);

    const auto& layout = options.gross ? kGrossDiscs : kKleinDiscs;
    for (int k = 0; k < 3; ++k) {
        Disc& d = anziehung_[discIndex(n, k)];
        d.width = d.height = layout[static_cast<std::size_t>(k)].diameter;
    }
    placeFerlanDiscs(n);
    colourDiscs(&anziehung_[discIndex(n, 0)], options.plus);

    e.height = options.gross ? kGrossRodHeight : kKleinRodHeight;
    ++nextFerlan_;
    changed_ = true;
    return {true, n, {}};
}

InsertResult EditorModel::insertKugel(const KugelOptions& options, Twips windowInnerHeight) {
    const int n = nextKugel_;
    if (n > kMaxKugel) return {false, 0, kKugelLimitMessage};
    ImageSlot& e = kugel_[static_cast<std::size_t>(n)];
    e.left = kPreviewWidth / 2 - e.width / 2;
    e.top = insertTop(e, windowInnerHeight);
    e.visible = true;
    assignPicture(e, !options.sichtbar ? "u" : options.plus ? "p" : "m");

    for (int k = 0; k < 3; ++k) {
        Disc& d = anziehung2_[discIndex(n, k)];
        d.width = d.height = kKugelDiscDiameters[static_cast<std::size_t>(k)];
    }
    placeKugelDiscs(n);
    colourDiscs(&anziehung2_[discIndex(n, 0)], options.plus);
    ++nextKugel_;
    changed_ = true;
    return {true, n, {}};
}

InsertResult EditorModel::insertTransformator(TransformatorEffect effect, Twips windowInnerHeight) {
    const int n = nextTransformator_;
    if (n > kMaxTransformator) return {false, 0, kTransformatorLimitMessage};
    ImageSlot& e = transformator_[static_cast<std::size_t>(n)];
    e.left = kPreviewWidth / 2 - e.width / 2;
    e.top = insertTop(e, windowInnerHeight);
    e.visible = true;
    assignPicture(e, effect == TransformatorEffect::Plus    ? "ap"
                     : effect == TransformatorEffect::Minus ? "am"
                                                            : "an");
    e.width = kTransformatorWidth;
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
    ImageSlot& e = slotRef(kind, n);
    e.top = tileTop(tile) + y - grabY_;
    e.left = tileLeft(tile) + x - grabX_;
    if (kind == ElementKind::Ferlan) placeFerlanDiscs(n);
    if (kind == ElementKind::Kugel) placeKugelDiscs(n);
    changed_ = true;
    return true;
}

Disc* EditorModel::discsOf(ElementKind kind) {
    if (kind == ElementKind::Ferlan) return anziehung_.data();
    if (kind == ElementKind::Kugel) return anziehung2_.data();
    return nullptr;
}

void EditorModel::deleteSlot(ElementKind kind, int index) {
    const int last = slotCount(kind);
    std::uint8_t& counter = counterRef(kind);
    // Only a slot in use can be deleted; anything else would wrap the counter.
    if (index < 1 || index >= counter) return;
    for (int i = index; i <= last; ++i) {
        ImageSlot& s = slotRef(kind, i);
        if (i == last) {
            assignPicture(s, "");
            s.visible = false;
            if (Disc* discs = discsOf(kind)) {
                for (int k = 0; k < 3; ++k) discs[discIndex(i, k)].visible = false;
            }
            --counter;
            break;
        }
        // The picture goes first: it resizes the slot to the picture's natural
        // size, and the cropped dimension copied after it restores the size.
        const ImageSlot& from = slotRef(kind, i + 1);
        assignPicture(s, from.picture);
        s.top = from.top;
        s.left = from.left;
        s.visible = from.visible;
        if (kind == ElementKind::Ferlan) s.height = from.height;
        if (kind == ElementKind::Transformator) s.width = from.width;
        if (Disc* discs = discsOf(kind)) {
            for (int k = 0; k < 3; ++k)
                copyDisc(discs[discIndex(i + 1, k)], discs[discIndex(i, k)]);
        }
    }
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

    std::size_t k = 0;
    for (int n = 1; n <= kMaxFerlan; ++n) {
        const ImageSlot& e = ferlan_[static_cast<std::size_t>(n)];
        if (!e.visible) continue;
        std::string code = e.picture;
        code += e.picture.size() == 3 && e.picture[2] == 'u'
                    ? realPolarity(anziehung_[discIndex(n, 2)])
                    : e.picture.substr(e.picture.size() - 1);
        data.ferlan[k++] = {code, e.left, e.top};
    }
    k = 0;
    for (int n = 1; n <= kMaxKugel; ++n) {
        const ImageSlot& e = kugel_[static_cast<std::size_t>(n)];
        if (!e.visible) continue;
        std::string code = e.picture;
        code += e.picture == "u" ? realPolarity(anziehung2_[discIndex(n, 2)]) : e.picture;
        data.kugel[k++] = {code, e.left, e.top};
    }
    k = 0;
    for (int n = 1; n <= kMaxTransformator; ++n) {
        const ImageSlot& e = transformator_[static_cast<std::size_t>(n)];
        if (e.visible) data.transformator[k++] = {e.picture, e.left, e.top};
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
        ImageSlot& e = ferlan_[static_cast<std::size_t>(n)];
        e.left = entry.x;
        e.top = entry.y;
        e.visible = true;
        assignPicture(e, std::string_view(entry.code).substr(0, 3));
        const bool gross = entry.code[0] == 'g';
        const auto& layout = gross ? kGrossDiscs : kKleinDiscs;
        for (int k = 0; k < 3; ++k) {
            Disc& d = anziehung_[discIndex(n, k)];
            d.width = d.height = layout[static_cast<std::size_t>(k)].diameter;
        }
        placeFerlanDiscs(n);
        colourDiscs(&anziehung_[discIndex(n, 0)], entry.code[3] == 'p');
        e.height = gross ? kGrossRodHeight : kKleinRodHeight;
        ++nextFerlan_;
    }
    for (int n = 1; n <= kMaxKugel; ++n) {
        const LevelEntry& entry = data.kugel[static_cast<std::size_t>(n - 1)];
        if (!isKugelCode(entry.code)) continue;
        ImageSlot& e = kugel_[static_cast<std::size_t>(n)];
        e.left = entry.x;
        e.top = entry.y;
        e.visible = true;
        assignPicture(e, std::string_view(entry.code).substr(0, 1));
        for (int k = 0; k < 3; ++k) {
            Disc& d = anziehung2_[discIndex(n, k)];
            d.width = d.height = kKugelDiscDiameters[static_cast<std::size_t>(k)];
        }
        placeKugelDiscs(n);
        colourDiscs(&anziehung2_[discIndex(n, 0)], entry.code[1] == 'p');
        ++nextKugel_;
    }
    for (int n = 1; n <= kMaxTransformator; ++n) {
        const LevelEntry& entry = data.transformator[static_cast<std::size_t>(n - 1)];
        if (!isTransformatorCode(entry.code)) continue;
        ImageSlot& e = transformator_[static_cast<std::size_t>(n)];
        e.left = entry.x;
        e.top = entry.y;
        e.visible = true;
        assignPicture(e, entry.code);
        e.width = kTransformatorWidth;
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

Hit EditorModel::hitTest(Twips x, Twips y) const {
    // The preview clips what lies beyond its edges.
    if (x < 0 || y < 0 || x >= kPreviewWidth || y >= previewHeight_) return {};
    // Polarisers lie above charged balls above pole blocks, and within an
    // array a higher slot above a lower one.
    for (const ElementKind kind :
         {ElementKind::Transformator, ElementKind::Kugel, ElementKind::Ferlan}) {
        for (int n = slotCount(kind); n >= 1; --n) {
            const ImageSlot& e = slot(kind, n);
            if (e.visible && contains(e, x, y)) return {Hit::Target::Element, kind, n};
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
    // The entry row always fills the preview's last row, whatever the height.
    const Twips entryTop = previewHeight_ - kRowHeight;
    return {{
        {"Ende", 2880, 0},
        {"Verbindung", 1920, 0},
        {"Verbindung", 960, 0},
        {"Verbindung", 0, 0},
        {"Anfang", 2880, entryTop},
        {"Verbindung", 3840, entryTop},
        {"Verbindung", 4800, entryTop},
        {"Verbindung", 5760, entryTop},
    }};
}

}  // namespace ferlan::editor
