#pragma once

#include <QStringList>

namespace platform {

// The executable names of the running processes, one entry per process. A process that has
// ended but is not yet reaped by its parent (a zombie) no longer runs and is left out.
QStringList runningProcessNames();
// The file name of this program's own executable.
QString ownExecutableName();

// Blocks SIGTERM and SIGINT in the calling thread and every thread started after it. Called in
// main before anything starts a thread (Qt's display connection starts one), so no thread is
// left where the default action would kill the program half way.
void blockTerminationSignals();
// Ends the event loop with exit code 0 when a blocked SIGTERM or SIGINT arrives, also one that
// arrived before this call, so a logout or a kill ends the program the same way as its own exit.
// The signal is read on the GUI thread, between two events, never in the middle of a handler.
void quitOnTerminationSignal();

} // namespace platform
