#include "platform/atomic_file.h"

#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

bool failed(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// A rename or a new file is durable only once its folder's entry is on disk too.
bool syncFolderOf(const QString &path, QString *error)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return failed(error, qt_error_string(errno));
    // A file system that cannot sync a folder (EINVAL) has nothing of it to sync.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int syncError = errno;
    ::close(fd);
    if (!synced)
        return failed(error, qt_error_string(syncError));
#else
    Q_UNUSED(path);
    Q_UNUSED(error);
#endif
    return true;
}

} // namespace

bool writeAllChecked(QFileDevice &device, const QByteArray &bytes, QString *error)
{
    if (device.write(bytes) != bytes.size() || !device.flush() || device.error() != QFileDevice::NoError)
        return failed(error, device.errorString());
    return true;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    // An uncommitted QSaveFile removes its temporary file, so every early return leaves path as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(error, file.errorString());
    if (!writeAllChecked(file, bytes, error))
        return false;
    if (!file.commit())
        return failed(error, file.errorString());
    return syncFolderOf(path, error);
}

bool replaceFile(const QString &from, const QString &to, QString *error)
{
    std::error_code code;
    std::filesystem::rename(QFile(from).filesystemFileName(), QFile(to).filesystemFileName(), code);
    if (code)
        return failed(error, QString::fromStdString(code.message()));
    return syncFolderOf(to, error);
}

} // namespace platform
