// What "Level prüfen" and the hint under the preview say, in words: the
// result box's text is built here from the check alone, so the window only
// shows it.
#pragma once

#include <Editor/model/level_check.h>
#include <Editor/model/level_document.h>
#include <solver/solver.h>

#include <QString>

#include <array>

namespace ferlan::editor {

// "2 Ferlanen, 1 Ferlanisator": the kinds counted, none of a kind left out.
QString kindCountsText(const std::array<int, kKindCount>& counts);

// The result box's text; `elements` is how many elements the level holds.
QString checkResultText(const LevelCheck& check, const SolveOptions& options, int elements,
                        const OutsideCount& outside);

}  // namespace ferlan::editor
