#include "level_document.h"

#include <algorithm>
#include <utility>

namespace ferlan::editor {
namespace {

bool contains(const Image& s, Twips x, Twips y) {
    return x >= s.Left && x < s.right() && y >= s.Top && y < s.bottom();
}

void showDiscs(const KindTraits& kind, Element& element) {
    for (int d = 0; d < kind.discs; ++d)
        element.discs.at(static_cast<std::size_t>(d)).Visible = true;
}

}  // namespace

Twips LevelDocument::insertTop(const Image& element, Viewport viewport) const {
    const Twips halfWindow = viewport.innerHeight / 2 - element.Height / 2;
    // When the preview's lower edge is in view, the element goes as far above
    // that edge as the window's middle lies above the window's lower edge.
    if (viewport.innerHeight - 100 >= previewHeight() + viewport.previewTop) {
        return previewHeight() - halfWindow;
    }
    return halfWindow - viewport.previewTop;
}

// A new element is centred across the preview and placed from the size its
// slot has before it takes its picture.
InsertResult LevelDocument::insert(ElementKind kind, Picture picture, bool plus,
                                   Viewport viewport) {
    SlotArray& slots = level_.of(kind);
    Element* e = slots.add();
    if (!e) return {false, 0, slots.kind().limitMessage};
    layOut(slots.kind(), *e, picture, kPreviewWidth / 2 - e->image.Width / 2,
           insertTop(e->image, viewport), plus);
    showDiscs(slots.kind(), *e);
    return {true, slots.used(), {}};
}

InsertResult LevelDocument::insertFerlan(const FerlanOptions& options, Viewport viewport) {
    std::string picture;
    picture += options.gross ? 'g' : 'k';
    picture += options.rechts ? 'r' : 'l';
    picture += !options.sichtbar ? 'u' : options.plus ? 'p' : 'm';
    return insert(ElementKind::Ferlan, pictureFromName(picture), options.plus, viewport);
}

InsertResult LevelDocument::insertKugel(const KugelOptions& options, Viewport viewport) {
    const Picture picture = !options.sichtbar ? Picture::u : options.plus ? Picture::p : Picture::m;
    return insert(ElementKind::Kugel, picture, options.plus, viewport);
}

InsertResult LevelDocument::insertTransformator(TransformatorEffect effect, Viewport viewport) {
    const Picture picture = effect == TransformatorEffect::Plus    ? Picture::ap
                            : effect == TransformatorEffect::Minus ? Picture::am
                                                                   : Picture::an;
    return insert(ElementKind::Transformator, picture, true, viewport);
}

bool LevelDocument::moveElement(ElementKind kind, int n, Twips left, Twips top) {
    if (!holds(kind, n)) return false;
    SlotArray& slots = level_.of(kind);
    moveTo(slots.kind(), slots.at(n), left, top);
    return true;
}

bool LevelDocument::deleteElement(ElementKind kind, int n) {
    return kind != ElementKind::None && level_.of(kind).remove(n);
}

void LevelDocument::clearSlots() {
    for (SlotArray& slots : level_.arrays) slots.clear();
}

bool LevelDocument::setHeight(int rows) {
    rows = std::clamp(rows, kMinHeight, kMaxHeight);
    if (rows == level_.height) return false;
    level_.height = rows;
    return true;
}

bool LevelDocument::setFloor(int texture) {
    if (texture < 1 || texture > kFloorTextures || texture == level_.floor) return false;
    level_.floor = texture;
    return true;
}

LevelTextResult LevelDocument::levelText() const {
    if (level_.floor < 1 || level_.floor > kFloorTextures) return {LevelTextStatus::NoFloor, {}};
    LevelData data;
    data.height = static_cast<std::uint8_t>(level_.height);
    data.floor = static_cast<std::uint8_t>(level_.floor);
    for (const SlotArray& slots : level_.arrays) {
        const auto entries = entriesOf(data, slots.kind().kind);
        std::size_t k = 0;
        for (const Element& e : slots) {
            if (e.image.Visible) {
                entries[k++] = {elementCode(slots.kind(), e), e.image.Left, e.image.Top};
            }
        }
    }

    WriteResult written = writeLevelText(data);
    if (written.error == WriteError::CoordinateOutOfRange) {
        return {LevelTextStatus::CoordinateOutOfRange, {}};
    }
    if (!written.ok()) return {LevelTextStatus::Unwritable, {}};
    return {LevelTextStatus::Ok, std::move(written.text)};
}

void LevelDocument::load(const LevelData& data) {
    level_.floor = 0;
    clearSlots();
    setHeight(data.height);
    setFloor(data.floor);
    for (SlotArray& slots : level_.arrays) {
        for (const LevelEntry& entry : entriesOf(data, slots.kind().kind)) {
            if (!slots.kind().isCode(entry.code)) continue;
            Element* e = slots.add();
            layOut(slots.kind(), *e, entry);
            showDiscs(slots.kind(), *e);
        }
    }
}

void LevelDocument::clear() {
    setHeight(kMinHeight);
    level_.floor = 0;
    clearSlots();
}

int LevelDocument::elementCount() const {
    int count = 0;
    for (const SlotArray& slots : level_.arrays) count += slots.used();
    return count;
}

OutsideCount LevelDocument::elementsOutside() const {
    OutsideCount outside;
    for (const SlotArray& slots : level_.arrays) {
        int& n = outside.byKind.at(kindIndex(slots.kind().kind));
        for (int i = 1; i <= slots.used(); ++i) {
            const Image& e = slots.at(i).image;
            n += e.Left >= kPreviewWidth || e.Top >= previewHeight() || e.right() <= 0 ||
                         e.bottom() <= 0
                     ? 1
                     : 0;
        }
    }
    return outside;
}

Hit LevelDocument::hitTest(Twips x, Twips y) const {
    // The preview clips what lies beyond its edges.
    if (x < 0 || y < 0 || x >= kPreviewWidth || y >= previewHeight()) return {};
    // A later kind lies above an earlier one (polarisers above charged balls
    // above pole blocks), and within an array a higher slot above a lower one.
    for (std::size_t k = kKindCount; k-- > 0;) {
        const SlotArray& array = level_.arrays.at(k);
        for (int n = array.size(); n >= 1; --n) {
            const Image& e = array.at(n).image;
            if (e.Visible && contains(e, x, y)) return {Hit::Target::Element, array.kind().kind, n};
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
