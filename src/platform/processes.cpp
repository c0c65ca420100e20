#include "platform/processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

} // namespace platform
