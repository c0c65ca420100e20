#include "platform/focus.h"

#include <QPointer>
#include <QWidget>

namespace platform {

namespace {
QPointer<QWidget> lastFocusTarget;
} // namespace

void setFocus(QWidget *unit)
{
    lastFocusTarget = unit;
    if (unit)
        unit->setFocus(Qt::OtherFocusReason);
}

QWidget *focusTarget()
{
    return lastFocusTarget;
}

} // namespace platform
