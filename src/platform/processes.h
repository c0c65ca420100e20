#pragma once

#include <QStringList>

namespace platform {

// The executable names of the running processes, one entry per process.
QStringList runningProcessNames();
// The file name of this program's own executable.
QString ownExecutableName();

} // namespace platform
