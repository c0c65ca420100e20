#pragma once

#include <QString>

namespace platform {

// The program directory, without a trailing separator: the executable's folder unless set.
QString programDirectory();
void setProgramDirectory(const QString &directory);
// programDirectory() joined with a relative path such as "data/main.mdb".
QString programPath(const QString &relative);

} // namespace platform
