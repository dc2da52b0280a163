// Starting a level: reading Text1 and laying the level out on the field.
#pragma once

#include "field.h"

namespace ferlan {

// Resets the tick's speeds and swap cells, reads model.Text1 into
// model.levelData and, only when the whole text was read, builds the field.
// The resets happen even when the read fails; a failed read leaves the field
// as it was and does not start the tick. False: the window shows
// kReadErrorMessage.
bool readLevelText(GameModel& model);

// Lays model.levelData out on the field, puts the ball into the entry pipe and
// enables the tick.
void buildField(GameModel& model);

// Removes the element in `slot` (1-based): the higher slots move down one and
// the last slot is hidden.
void removeElement(GameModel& model, ElementKind kind, int slot);

// The model's part of the level list's click on label `index` (0 to 29):
// Text1 = built-in level index + 1, the captions " N" and "Level N",
// Levelanzeige shown, Geladen hidden, then readLevelText.
bool startBuiltinLevel(GameModel& model, int index);

// The model's part of choosing a level file: Text1 = its content,
// Levelanzeige hidden, Geladen shown, no Levelanzeiger caption, then
// readLevelText.
bool startLoadedLevel(GameModel& model, std::string text);

// Enter during play: the tick stops and the level is built again from Text1.
bool restartLevel(GameModel& model);

}  // namespace ferlan
