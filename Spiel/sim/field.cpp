#include "field.h"

namespace ferlan {

GameModel::GameModel() {
    for (FieldObject& marker : Zentrum) {
        marker.Width = kZentrumSize;
        marker.Height = kZentrumSize;
    }
    for (Image& ball : Kugel) {
        ball.Width = kKugelPicture.size();
        ball.Height = kKugelPicture.size();
    }
    for (std::size_t n = 0; n < Verbindung.size(); ++n) {
        Verbindung[n] = {kVerbindungLefts[n], n < 3 ? 0.0f : Anfang.Top, kPipeSize, kPipeSize,
                         true};
    }
}

}  // namespace ferlan
