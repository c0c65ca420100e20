#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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

} // namespace platform
