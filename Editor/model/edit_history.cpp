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

bool sameLevel(const EditorModel& a, const EditorModel& b) {
    if (a.height() != b.height() || a.floor() != b.floor() || a.nextFerlan() != b.nextFerlan() ||
        a.nextKugel() != b.nextKugel() || a.nextTransformator() != b.nextTransformator()) {
        return false;
    }
    for (const ElementKind kind :
         {ElementKind::Ferlan, ElementKind::Kugel, ElementKind::Transformator}) {
        for (int n = 1; n <= slotCount(kind); ++n) {
            if (!(a.slot(kind, n) == b.slot(kind, n))) return false;
        }
    }
    for (int i = 1; i <= 3 * kMaxFerlan; ++i) {
        if (!(a.anziehung(i) == b.anziehung(i))) return false;
    }
    for (int i = 1; i <= 3 * kMaxKugel; ++i) {
        if (!(a.anziehung2(i) == b.anziehung2(i))) return false;
    }
    return true;
}

void EditHistory::reset(const EditorModel& level) {
    states_.assign(1, level);
    steps_.clear();
    position_ = 0;
    saved_ = level;
    heightOpen_ = false;
}

bool EditHistory::record(EditStep step, const EditorModel& model) {
    if (sameLevel(model, states_[position_])) return false;
    states_.resize(position_ + 1);
    steps_.resize(position_);
    if (step == EditStep::Height && heightOpen_) {
        states_[position_] = model;
        // Dragged back to where it started: the step has come to nothing.
        if (sameLevel(model, states_[position_ - 1])) {
            states_.pop_back();
            steps_.pop_back();
            --position_;
            heightOpen_ = false;
        }
        return true;
    }
    states_.push_back(model);
    steps_.push_back(step);
    ++position_;
    heightOpen_ = step == EditStep::Height;
    return true;
}

void EditHistory::restore(EditorModel& model) const {
    const int scroll = model.scrollValue();
    const bool help = model.directHelp();
    model = states_[position_];
    model.setScroll(scroll);
    model.setDirectHelp(help);
}

void EditHistory::undo(EditorModel& model) {
    if (!canUndo()) return;
    --position_;
    heightOpen_ = false;
    restore(model);
}

void EditHistory::redo(EditorModel& model) {
    if (!canRedo()) return;
    ++position_;
    heightOpen_ = false;
    restore(model);
}

void EditHistory::markSaved() {
    saved_ = states_[position_];
    // A later height change must not rewrite the state that was saved.
    heightOpen_ = false;
}

}  // namespace ferlan::editor
