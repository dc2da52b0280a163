#include "editor_model.h"

#include <algorithm>

namespace ferlan::editor {

InsertResult EditorModel::insertFerlan(const FerlanOptions& options, Twips windowInnerHeight) {
    return document_.insertFerlan(options, viewport(windowInnerHeight));
}

InsertResult EditorModel::insertKugel(const KugelOptions& options, Twips windowInnerHeight) {
    return document_.insertKugel(options, viewport(windowInnerHeight));
}

InsertResult EditorModel::insertTransformator(TransformatorEffect effect, Twips windowInnerHeight) {
    return document_.insertTransformator(effect, viewport(windowInnerHeight));
}

void EditorModel::grab(ElementKind kind, int index, Twips x, Twips y) {
    view_.grabbed = {kind, index};
    view_.grabX = x;
    view_.grabY = y;
}

void EditorModel::select(ElementKind kind, int index) { view_.selected = {kind, index}; }

bool EditorModel::dropOnTile(int tile, Twips x, Twips y) {
    if (tile < 0 || tile >= kTileCount) return false;
    return document_.moveElement(view_.grabbed.kind, view_.grabbed.index,
                                 LevelDocument::tileLeft(tile) + x - view_.grabX,
                                 LevelDocument::tileTop(tile) + y - view_.grabY);
}

bool EditorModel::deleteSelected() {
    return document_.deleteElement(view_.selected.kind, view_.selected.index);
}

void EditorModel::setScroll(int value) { view_.scroll = std::clamp(value, kMinScroll, 0); }

void EditorModel::load(const LevelData& data) {
    document_.load(data);
    setScroll(0);
    view_.selected = {};
    view_.grabbed = {};
}

void EditorModel::newLevel() {
    document_.clear();
    setScroll(0);
    view_.selected = {};
    view_.grabbed = {};
}

void EditorModel::restore(const LevelDocument& document) {
    document_ = document;
    forgetEmptySlots();
}

void EditorModel::forgetEmptySlots() {
    for (SlotRef* slot : {&view_.selected, &view_.grabbed}) {
        if (!document_.holds(slot->kind, slot->index)) *slot = {};
    }
}

}  // namespace ferlan::editor
