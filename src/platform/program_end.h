#pragma once

namespace platform {

// Ends the program with the exit code once control returns to the event loop. Tests install an
// EndRecorder, which records the request instead.
void endProgram(int exitCode);
class EndRecorder
{
public:
    EndRecorder();
    ~EndRecorder();
    EndRecorder(const EndRecorder &) = delete;
    EndRecorder &operator=(const EndRecorder &) = delete;
    bool ended = false;
    int exitCode = -1;
};

} // namespace platform
