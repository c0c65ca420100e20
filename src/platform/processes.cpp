#include "platform/processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace platform {

QStringList runningProcessNames()
{
    QStringList names;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        entry.toInt(&isPid);
        if (!isPid)
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

void quitOnTerminationSignal()
{
    sigset_t terminating;
    sigemptyset(&terminating);
    sigaddset(&terminating, SIGTERM);
    sigaddset(&terminating, SIGINT);
    if (sigprocmask(SIG_BLOCK, &terminating, nullptr) != 0)
        return;
    const int fd = signalfd(-1, &terminating, SFD_CLOEXEC);
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
