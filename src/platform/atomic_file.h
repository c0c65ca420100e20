#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

namespace platform {

// Writes all of bytes to an open device and flushes it; false on a short write or any device
// error. A buffered write to a full disk fails only at the flush, so both are checked here.
bool writeAllChecked(QFileDevice &device, const QByteArray &bytes, QString *error = nullptr);

// Replaces path with bytes as a whole: a temporary file beside it is written (checked as above),
// synced and renamed over path, and the folder is synced. False on any failure, leaving path as
// it was; error, when given, gets the reason.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Renames from over to in one step (POSIX rename: to is always either the old or the new file)
// and syncs the folder of to; false, with to untouched, when the rename fails. For a file written
// under a temporary name beside its final one ("12.grd.part") and put in place only once the
// records it belongs to are committed. Both names must be on one file system.
bool replaceFile(const QString &from, const QString &to, QString *error = nullptr);

} // namespace platform
