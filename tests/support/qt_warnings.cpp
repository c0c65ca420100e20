#include "support/qt_warnings.h"

#include <gtest/gtest.h>
#include <mutex>

namespace {

std::mutex guardMutex;
ExpectQtWarning *innermostGuard = nullptr;
QtMessageHandler defaultHandler = nullptr;

// The offscreen platform the tests run on cannot pass a window's size limits to a window system
// and says so whenever a window gets them; that is the platform's gap, not a fault of ours.
bool isOffscreenPlatformNote(const QString &message)
{
    return message == QLatin1String("This plugin does not support propagateSizeHints()");
}

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((type != QtWarningMsg && type != QtCriticalMsg && type != QtFatalMsg) || isOffscreenPlatformNote(message)) {
        defaultHandler(type, context, message);
        return;
    }
    {
        const std::lock_guard lock(guardMutex);
        if (innermostGuard && innermostGuard->swallow(message))
            return;
    }
    ADD_FAILURE() << "Qt warning: " << message.toStdString();
    defaultHandler(type, context, message);
}

} // namespace

void failTestsOnQtWarnings()
{
    defaultHandler = qInstallMessageHandler(handleMessage);
}

ExpectQtWarning::ExpectQtWarning(const QString &text) : m_text(text)
{
    const std::lock_guard lock(guardMutex);
    m_outer = innermostGuard;
    innermostGuard = this;
}

ExpectQtWarning::~ExpectQtWarning()
{
    {
        const std::lock_guard lock(guardMutex);
        innermostGuard = m_outer;
    }
    if (m_seen == 0)
        ADD_FAILURE() << "expected a Qt warning containing: " << m_text.toStdString();
}

bool ExpectQtWarning::swallow(const QString &message)
{
    if (message.contains(m_text)) {
        ++m_seen;
        return true;
    }
    return m_outer && m_outer->swallow(message);
}
