#include "fonts.h"

namespace ferlan {

QStringList labelFamilies(LabelFace face) {
    switch (face) {
        case LabelFace::OneStrokeScript:
            // A quick brush script stands in for the one-stroke brush letters.
            return {QStringLiteral("One Stroke Script LET"), QStringLiteral("Kaushan Script"),
                    QStringLiteral("Dancing Script"), QStringLiteral("cursive")};
        case LabelFace::Odessa:
            // A flowing, joined script stands in for the formal one.
            return {QStringLiteral("Odessa LET"), QStringLiteral("Dancing Script"),
                    QStringLiteral("Kaushan Script"), QStringLiteral("cursive")};
    }
    return {QStringLiteral("cursive")};
}

QFont labelFont(LabelFace face, int pixelSize) {
    QFont font;
    font.setFamilies(labelFamilies(face));
    font.setStyleHint(QFont::Cursive);
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace ferlan
