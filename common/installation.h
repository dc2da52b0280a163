// Where an installed program finds the files installed with it.
#pragma once

#include <QString>

namespace ferlan {

// The installation's data folder, found from the running program's own
// folder, so an installation still works after it is moved. A build folder
// has no such folder; the path is then one that does not exist.
QString installedDataDir();

}  // namespace ferlan
