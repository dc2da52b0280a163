// The level's edit history: a copy of the document after every change, so
// that undo and redo put back exactly what was there, slots and all.
#pragma once

#include "level_document.h"

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

class EditHistory {
public:
    explicit EditHistory(const LevelDocument& start) { reset(start); }

    // A history of one state, `level`, which counts as saved ("Neu", "Laden").
    void reset(const LevelDocument& level);

    // Notes the change `step` that has just brought the level to `level`.
    // Nothing is noted when the level is as it was (a refused insert), and a
    // height change right after another joins it. True when the level changed.
    bool record(EditStep step, const LevelDocument& level);

    // The steps done: those that undo can take back.
    std::size_t position() const { return position_; }
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < states_.size(); }
    EditStep undoStep() const { return steps_.at(position_ - 1); }
    EditStep redoStep() const { return steps_.at(position_); }
    // Each moves to the level before or after and is false when there is
    // none; current() is then the level to show.
    bool undo();
    bool redo();
    const LevelDocument& current() const { return states_[position_]; }

    void markSaved();
    // True when the level differs from the one last saved, loaded or begun.
    bool changed() const { return !(current() == saved_); }

private:
    std::vector<LevelDocument> states_;  // states_[i + 1] is the level after steps_[i]
    std::vector<EditStep> steps_;
    std::size_t position_ = 0;  // the state the model is in
    LevelDocument saved_;
    // A height step may still take in the next height change.
    bool heightOpen_ = false;
};

}  // namespace ferlan::editor
