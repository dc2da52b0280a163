#include "asset_paths.h"

namespace ferlan {

QString assetPath(const QString& pictureName) {
    QString file;
    file.reserve(pictureName.size() + 8);
    for (const QChar c : pictureName) {
        switch (c.unicode()) {
            case 0x00E4: file += QLatin1String("ae"); break;  // ä
            case 0x00F6: file += QLatin1String("oe"); break;  // ö
            case 0x00FC: file += QLatin1String("ue"); break;  // ü
            case 0x00C4: file += QLatin1String("Ae"); break;  // Ä
            case 0x00D6: file += QLatin1String("Oe"); break;  // Ö
            case 0x00DC: file += QLatin1String("Ue"); break;  // Ü
            case 0x00DF: file += QLatin1String("ss"); break;  // ß
            default: file += c; break;
        }
    }
    if (!file.endsWith(QLatin1String(".png"))) {
        file += QLatin1String(".png");
    }
    return QLatin1String(":/assets/") + file;
}

}  // namespace ferlan
