#include "platform/program_directory.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {
QString chosenDirectory;
}

QString programDirectory()
{
    const QString dir = chosenDirectory.isEmpty() ? QCoreApplication::applicationDirPath() : chosenDirectory;
    return QDir::cleanPath(dir);
}

void setProgramDirectory(const QString &directory)
{
    chosenDirectory = QDir(directory).absolutePath();
}

QString programPath(const QString &relative)
{
    return programDirectory() + u'/' + relative;
}

} // namespace platform
