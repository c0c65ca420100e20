#pragma once

#include <QString>
#include <functional>

class QObject;
class QTimer;

namespace platform {

// A timer unit: ticks every interval milliseconds from now on, running the handler.
QTimer *startTimerUnit(QObject *owner, const QString &name, int intervalMs, std::function<void()> onTick);

} // namespace platform
