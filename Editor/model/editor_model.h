// The editor at work: the level being edited (a LevelDocument) and how the
// window looks at it (a ViewState). Every editing operation of the editor is
// a function here; the window only shows this state and forwards the user's
// actions. The history keeps documents only, never the view.
#pragma once

#include "level_document.h"

#include <cstdint>

namespace ferlan::editor {

inline constexpr int kMinScroll = -200;  // the scroll bar runs from 0 down to this
inline constexpr Twips kScrollUnit = 75;

// An element of the level, by kind and slot; kind None for none.
struct SlotRef {
    ElementKind kind = ElementKind::None;
    int index = 0;
    bool operator==(const SlotRef&) const = default;
};

// How the window looks at the level: no part of the level, its file or its
// history.
struct ViewState {
    int scroll = 0;  // 0 to -200
    // The element of the last right press, which "Löschen" removes.
    SlotRef selected;
    // The element of the last left press, which a drop moves, and where it
    // was taken hold of, from its top left corner.
    SlotRef grabbed;
    Twips grabX = 0;
    Twips grabY = 0;
    bool directHelp = false;

    Twips previewTop() const { return static_cast<Twips>(scroll) * kScrollUnit; }
    bool operator==(const ViewState&) const = default;
};

class EditorModel {
public:
    bool operator==(const EditorModel&) const = default;

    const LevelDocument& document() const { return document_; }
    const ViewState& view() const { return view_; }

    // `windowInnerHeight` is the editor window's client height in twips at the
    // moment of the insert: the element appears at the window's vertical middle.
    InsertResult insertFerlan(const FerlanOptions& options, Twips windowInnerHeight);
    InsertResult insertKugel(const KugelOptions& options, Twips windowInnerHeight);
    InsertResult insertTransformator(TransformatorEffect effect, Twips windowInnerHeight);

    // A left press on an element, taken hold of at (x, y) from its top left
    // corner; a right press selects it.
    void grab(ElementKind kind, int index, Twips x, Twips y);
    void select(ElementKind kind, int index);
    // The drop of the element last taken hold of on floor tile `tile`; x and
    // y from the tile's top left corner. False when nothing moved.
    bool dropOnTile(int tile, Twips x, Twips y);
    // Removes the selected element and closes the gap; false when nothing
    // was removed.
    bool deleteSelected();

    bool setHeight(int rows) { return document_.setHeight(rows); }
    bool setFloor(int texture) { return document_.setFloor(texture); }
    void setScroll(int value);  // kept within 0 to -200
    void setDirectHelp(bool on) { view_.directHelp = on; }

    // A level read by readLevelText, shown from its top with nothing selected.
    void load(const LevelData& data);
    // Back to the empty level of height 9 without a floor.
    void newLevel();
    // Puts back a level of the history. The view stays as it is: the scroll
    // position, the help switch and a selection or hold on a slot that still
    // holds an element. A slot emptied by the restore is let go, so that a
    // later "Löschen" or drop never acts on a slot the user did not press.
    void restore(const LevelDocument& document);

private:
    Viewport viewport(Twips windowInnerHeight) const {
        return {view_.previewTop(), windowInnerHeight};
    }
    void forgetEmptySlots();

    LevelDocument document_;
    ViewState view_;
};

}  // namespace ferlan::editor
