// Starting a level: reading its text and laying it out on the field.
#pragma once

#include "field.h"

#include <string_view>

namespace ferlan {

// Resets the tick's speeds and swap cells, reads `text` and, only when the
// whole text was read, builds the field from it. The resets happen even when
// the read fails; a failed read leaves the field as it was. False: the window
// shows kReadErrorMessage.
bool buildLevel(GameModel& model, std::string_view text);

// Lays `level` out on the field and puts the ball into the entry pipe.
void buildField(GameModel& model, const LevelData& level);

// Builds built-in level index + 1 (index 0 to 29); false for any other index.
bool startBuiltinLevel(GameModel& model, int index);

// Builds a level read from a file's text.
bool startLoadedLevel(GameModel& model, std::string_view text);

}  // namespace ferlan
