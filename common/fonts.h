// The two script typefaces of the game's labels. Neither is found on a usual
// Linux desktop, so each comes with a family fallback list: the named face
// first, then freely licensed script faces that scripts/setup.sh installs,
// then the generic cursive family.
#pragma once

#include <QFont>
#include <QStringList>

namespace ferlan {

enum class LabelFace {
    OneStrokeScript,  // the menu labels, the level list and the panel's level number
    Odessa,           // the level caption on the field and the credits roll
};

// Pixel size that fills a label 615 twips (41 pixels) high: cap height and
// descenders of the script faces stay inside it with a little air.
inline constexpr int kLabelPixelSize = 26;

QStringList labelFamilies(LabelFace face);

QFont labelFont(LabelFace face, int pixelSize = kLabelPixelSize);

inline QFont menuFont() { return labelFont(LabelFace::OneStrokeScript); }
inline QFont odessaFont() { return labelFont(LabelFace::Odessa); }

}  // namespace ferlan
