// The level's edit history: a copy of the level after every change, so that
// undo and redo put back exactly what was there, slots and all.
#pragma once

#include "editor_model.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace ferlan::editor {

enum class EditStep { InsertFerlan, InsertKugel, InsertTransformator, Move, Delete, Floor, Height };
// Every kind of step is 0 to kEditStepCount - 1, so that tests can draw from
// them all; a new step goes before Height or moves this bound.
inline constexpr int kEditStepCount = static_cast<int>(EditStep::Height) + 1;

// What the menu calls a step: "Ferlan einfügen", "Verschieben" ...
std::string_view stepName(EditStep step);

// True when two models hold the same level; the scroll position, the
// selection and the help switch are no part of it.
bool sameLevel(const EditorModel& a, const EditorModel& b);

class EditHistory {
public:
    explicit EditHistory(const EditorModel& start) { reset(start); }

    // A history of one state, `level`, which counts as saved ("Neu", "Laden").
    void reset(const EditorModel& level);

    // Notes the change `step` that has just brought the model to `model`.
    // Nothing is noted when the level is as it was (a refused insert), and a
    // height change right after another joins it. True when the level changed.
    bool record(EditStep step, const EditorModel& model);

    // The steps done: those that undo can take back.
    std::size_t position() const { return position_; }
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < states_.size(); }
    EditStep undoStep() const { return steps_.at(position_ - 1); }
    EditStep redoStep() const { return steps_.at(position_); }
    // Both keep the model's scroll position and help switch: they are no
    // part of the level.
    void undo(EditorModel& model);
    void redo(EditorModel& model);

    void markSaved();
    // True when the level differs from the one last saved, loaded or begun.
    bool changed() const { return !sameLevel(states_[position_], saved_); }

private:
    void restore(EditorModel& model) const;

    std::vector<EditorModel> states_;  // states_[i + 1] is the level after steps_[i]
    std::vector<EditStep> steps_;
    std::size_t position_ = 0;  // the state the model is in
    EditorModel saved_;
    // A height step may still take in the next height change.
    bool heightOpen_ = false;
};

}  // namespace ferlan::editor
