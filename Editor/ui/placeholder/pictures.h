// Stand-in pictures for as long as the shared artwork is not in the tree;
// same call, same names and sizes.
#pragma once

#include <QPixmap>
#include <QString>

namespace ferlan {

QPixmap picture(const QString& name);

}  // namespace ferlan
