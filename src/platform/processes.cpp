#include "platform/processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace platform {

namespace {

// A process's state letter from /proc/<pid>/stat: after the name in parentheses, which may itself
// hold blanks and parentheses. Empty when the process is gone.
QChar processState(const QString &procEntry)
{
    QFile stat(procEntry + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    const qsizetype nameEnd = line.lastIndexOf(')');
    return nameEnd >= 0 && nameEnd + 2 < line.size() ? QChar::fromLatin1(line.at(nameEnd + 2)) : QChar();
}

bool isRunning(QChar state)
{
    // Z: ended, waiting to be reaped; X: being removed.
    return !state.isNull() && state != u'Z' && state != u'X';
}

sigset_t terminationSignals()
{
    sigset_t terminating;
    sigemptyset(&terminating);
    sigaddset(&terminating, SIGTERM);
    sigaddset(&terminating, SIGINT);
    return terminating;
}

} // namespace

QStringList runningProcessNames()
{
    QStringList names;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        entry.toInt(&isPid);
        if (!isPid || !isRunning(processState(proc.filePath(entry))))
            continue;
        // The executable's own name; the kernel's short name when the link cannot be read.
        const QString exe = QFileInfo(proc.filePath(entry + QStringLiteral("/exe"))).symLinkTarget();
        if (!exe.isEmpty()) {
            names.append(QFileInfo(exe).fileName());
            continue;
        }
        QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly))
            names.append(QString::fromUtf8(comm.readAll()).trimmed());
    }
    return names;
}

QString ownExecutableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

void blockTerminationSignals()
{
    const sigset_t terminating = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &terminating, nullptr);
}

void quitOnTerminationSignal()
{
    const sigset_t terminating = terminationSignals();
    const int fd = signalfd(-1, &terminating, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd < 0)
        return;
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [fd] {
        signalfd_siginfo info;
        if (::read(fd, &info, sizeof info) == sizeof info)
            QCoreApplication::exit(0);
    });
}

} // namespace platform
