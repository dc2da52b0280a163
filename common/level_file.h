// Reading a level file the way both programs do: whole, in binary, and only
// when it can be a level at all.
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace ferlan {

// The file's bytes, or nothing when it is missing, not a regular file (a
// folder, a pipe, a device: refused before opening, so nothing blocks), larger
// than any level text can be, or unreadable.
std::optional<std::string> readLevelFile(const QString& path);

}  // namespace ferlan
