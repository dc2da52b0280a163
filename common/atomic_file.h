// Replacing a file so that a crash, a kill or a full disk at any moment leaves
// either the old file or the new one, whole.
#pragma once

#include <QByteArray>
#include <QString>

namespace ferlan {

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and
// only then puts it in place of `path`. On failure `path` is untouched, no
// temporary file is left behind, and `error` (when given) says why.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace ferlan
