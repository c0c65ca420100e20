#include "platform/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace platform {

namespace {
MessageRecorder *activeRecorder = nullptr;
EndRecorder *activeEndRecorder = nullptr;
QPointer<QWidget> lastFocusTarget;
} // namespace

void messageBox(const QString &text, const QString &title)
{
    if (activeRecorder) {
        activeRecorder->messages.append({text, title});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

MessageRecorder::MessageRecorder()
{
    activeRecorder = this;
}

MessageRecorder::~MessageRecorder()
{
    if (activeRecorder == this)
        activeRecorder = nullptr;
}

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const Message &m : messages)
        out.append(m.text);
    return out;
}

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

QTimer *startTimerUnit(QObject *owner, const QString &name, int intervalMs, std::function<void()> onTick)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    QObject::connect(timer, &QTimer::timeout, owner, std::move(onTick));
    timer->start();
    return timer;
}

void endProgram(int exitCode)
{
    if (activeEndRecorder) {
        activeEndRecorder->ended = true;
        activeEndRecorder->exitCode = exitCode;
        return;
    }
    QCoreApplication::exit(exitCode);
}

EndRecorder::EndRecorder()
{
    activeEndRecorder = this;
}

EndRecorder::~EndRecorder()
{
    if (activeEndRecorder == this)
        activeEndRecorder = nullptr;
}

} // namespace platform
