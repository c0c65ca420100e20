#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {
MessageRecorder *activeRecorder = nullptr;
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

} // namespace platform
