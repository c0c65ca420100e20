#pragma once

#include <QStringList>

namespace platform {

// The executable names of the running processes, one entry per process.
QStringList runningProcessNames();
// The file name of this program's own executable.
QString ownExecutableName();

// Ends the event loop with exit code 0 when the process is asked to terminate (SIGTERM, SIGINT),
// so a logout or a kill ends the program the same way as its own exit.
void quitOnTerminationSignal();

} // namespace platform
