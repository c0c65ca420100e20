#include "frame/session.h"

namespace frame {

CurrentOperator &currentOperator()
{
    static CurrentOperator op;
    return op;
}

DocumentCounters &documentCounters()
{
    static DocumentCounters counters;
    return counters;
}

} // namespace frame
