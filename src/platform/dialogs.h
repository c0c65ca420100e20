#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;
class QObject;
class QTimer;

namespace platform {

// A modal message box with one button; the title is empty unless given.
void messageBox(const QString &text, const QString &title = {});

// While one exists, message boxes are recorded instead of shown, so no test blocks on a dialog.
class MessageRecorder
{
public:
    struct Message {
        QString text;
        QString title;
    };
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QList<Message> messages;
    QStringList texts() const;
    void clear() { messages.clear(); }
};

// Gives a unit the keyboard focus and remembers it as the focus target.
void setFocus(QWidget *unit);
QWidget *focusTarget();

// A timer unit: ticks every interval milliseconds from now on, running the handler.
QTimer *startTimerUnit(QObject *owner, const QString &name, int intervalMs, std::function<void()> onTick);

// Ends the program with the exit code once control returns to the event loop. Tests install an
// EndRecorder, which records the request instead.
void endProgram(int exitCode);
class EndRecorder
{
public:
    EndRecorder();
    ~EndRecorder();
    EndRecorder(const EndRecorder &) = delete;
    EndRecorder &operator=(const EndRecorder &) = delete;
    bool ended = false;
    int exitCode = -1;
};

} // namespace platform
