#pragma once

namespace frame {

class SingleInstanceCheck
{
public:
    // True when more than one running process has this program's executable name.
    bool isAlreadyRunning() const;
};

} // namespace frame
