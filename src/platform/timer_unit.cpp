#include "platform/timer_unit.h"

#include <QTimer>

namespace platform {

QTimer *startTimerUnit(QObject *owner, const QString &name, int intervalMs, std::function<void()> onTick)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    QObject::connect(timer, &QTimer::timeout, owner, std::move(onTick));
    timer->start();
    return timer;
}

} // namespace platform
