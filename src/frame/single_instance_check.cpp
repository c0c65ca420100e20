#include "frame/single_instance_check.h"

namespace frame {

bool SingleInstanceCheck::isAlreadyRunning() const
{
    return platform::runningProcessNames().count(m_executableName) > 1;
}

} // namespace frame
