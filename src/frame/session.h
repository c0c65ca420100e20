#pragma once

#include "frame/document_counters.h"

#include <QString>

namespace frame {

// The logged-in operator, kept until the program ends.
struct CurrentOperator {
    QString account;
    QString name;
    QString role;        // 级别
    QString permissions; // 权限: words joined by "&"
    QString department;
};

CurrentOperator &currentOperator();
DocumentCounters &documentCounters();

} // namespace frame
