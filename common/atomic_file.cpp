#include "atomic_file.h"

#include <QSaveFile>

namespace ferlan {

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return true;
    }
    // A file that was opened but not committed is discarded with `file`.
    if (error) *error = file.errorString();
    return false;
}

}  // namespace ferlan
