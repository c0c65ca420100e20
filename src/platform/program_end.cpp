#include "platform/program_end.h"

#include <QCoreApplication>

namespace platform {

namespace {
EndRecorder *activeEndRecorder = nullptr;
} // namespace

void endProgram(int exitCode)
{
    if (activeEndRecorder) {
        activeEndRecorder->ended = true;
        activeEndRecorder->exitCode = exitCode;
        return;
    }
    QCoreApplication::exit(exitCode);
}

EndRecorder::EndRecorder()
{
    activeEndRecorder = this;
}

EndRecorder::~EndRecorder()
{
    if (activeEndRecorder == this)
        activeEndRecorder = nullptr;
}

} // namespace platform
