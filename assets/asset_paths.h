#pragma once

#include <QString>

namespace ferlan {

// The resource path of a picture, from the name the programs use for it:
// "Alarmgrün" and "Alarmgruen" both give ":/assets/Alarmgruen.png".
// Umlauts and ß are spelled out the way the files are named.
QString assetPath(const QString& pictureName);

}  // namespace ferlan
