#pragma once

#include "platform/processes.h"

#include <QString>

namespace frame {

class SingleInstanceCheck
{
public:
    // Checks this program's own executable name; a test gives a name of its own, so that copies
    // of the test program running beside it do not count.
    explicit SingleInstanceCheck(QString executableName = platform::ownExecutableName())
        : m_executableName(std::move(executableName))
    {}

    // True when more than one running process has the executable name.
    bool isAlreadyRunning() const;

private:
    QString m_executableName;
};

} // namespace frame
