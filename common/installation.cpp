#include "installation.h"

#include <QCoreApplication>
#include <QDir>

namespace ferlan {

QString installedDataDir() {
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral(FERLAN_DATA_DIR_FROM_PROGRAM)));
}

}  // namespace ferlan
