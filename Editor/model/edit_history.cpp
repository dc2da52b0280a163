#include "edit_history.h"

namespace ferlan::editor {

std::string_view stepName(EditStep step) {
    switch (step) {
        case EditStep::InsertFerlan: return "Ferlan einfügen";
        case EditStep::InsertKugel: return "Ferlankugel einfügen";
        case EditStep::InsertTransformator: return "Ferlanisator einfügen";
        case EditStep::Move: return "Verschieben";
        case EditStep::Delete: return "Löschen";
        case EditStep::Floor: return "Untergrund wählen";
        case EditStep::Height: return "Höhe ändern";
    }
    return {};
}

void EditHistory::reset(const LevelDocument& level) {
    states_.assign(1, level);
    steps_.clear();
    position_ = 0;
    saved_ = level;
    heightOpen_ = false;
}

bool EditHistory::record(EditStep step, const LevelDocument& level) {
    if (level == current()) return false;
    states_.resize(position_ + 1);
    steps_.resize(position_);
    if (step == EditStep::Height && heightOpen_) {
        states_[position_] = level;
        // Dragged back to where it started: the step has come to nothing.
        if (level == states_[position_ - 1]) {
            states_.pop_back();
            steps_.pop_back();
            --position_;
            heightOpen_ = false;
        }
        return true;
    }
    states_.push_back(level);
    steps_.push_back(step);
    ++position_;
    heightOpen_ = step == EditStep::Height;
    return true;
}

bool EditHistory::undo() {
    if (!canUndo()) return false;
    --position_;
    heightOpen_ = false;
    return true;
}

bool EditHistory::redo() {
    if (!canRedo()) return false;
    ++position_;
    heightOpen_ = false;
    return true;
}

void EditHistory::markSaved() {
    saved_ = current();
    // A later height change must not rewrite the state that was saved.
    heightOpen_ = false;
}

}  // namespace ferlan::editor
