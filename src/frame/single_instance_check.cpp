#include "frame/single_instance_check.h"

#include "platform/processes.h"

namespace frame {

bool SingleInstanceCheck::isAlreadyRunning() const
{
    return platform::runningProcessNames().count(platform::ownExecutableName()) > 1;
}

} // namespace frame
