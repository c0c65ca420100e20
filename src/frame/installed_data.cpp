#include "frame/installed_data.h"

#include "platform/atomic_file.h"
#include "platform/database.h"

#include <QDir>
#include <QFile>

namespace frame {

namespace {

const QStringList fixedFolders = {QStringLiteral("data"), QStringLiteral("grd"), QStringLiteral("grd_fhqd"),
                                  QStringLiteral("dbbak"), QStringLiteral("导出电子表格")};
const QStringList fixedFiles = {QStringLiteral("program.ini"), QStringLiteral("grd/null.grd")};

QString readResource(const QString &name)
{
    QFile file(QStringLiteral(":/installed/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Runs a schema file in one transaction. Its statements create only what is missing (tables,
// indexes) and put default rows only into the tables they create, so an existing file keeps its
// records and gains what a newer program needs.
bool applySchema(platform::Database &db, const QString &schema, QString *error)
{
    platform::Transaction transaction(db);
    if (platform::executeScript(db, schema) && transaction.commit())
        return true;
    if (error)
        *error = db.lastError();
    return false;
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

const QStringList &databaseFileNames()
{
    static const QStringList names = {QStringLiteral("system.mdb"), QStringLiteral("main.mdb"),
                                      QStringLiteral("ywzhxx.mdb"), QStringLiteral("ddxx.mdb"),
                                      QStringLiteral("rzhq.mdb"),   QStringLiteral("sc.mdb"),
                                      QStringLiteral("jlxx.mdb")};
    return names;
}

bool createInstalledData(const QString &programDirectory, QString *error)
{
    const QDir dir(programDirectory);
    for (const QString &folder : fixedFolders)
        if (!dir.mkpath(folder))
            return fail(error, QStringLiteral("无法建立文件夹 %1").arg(dir.filePath(folder)));
    for (const QString &file : fixedFiles) {
        const QString target = dir.filePath(file);
        if (QFile::exists(target))
            continue;
        if (!platform::writeFileAtomically(target, readResource(QStringLiteral("resources/") + file).toUtf8()))
            return fail(error, QStringLiteral("无法写入 %1").arg(target));
    }
    for (const QString &name : databaseFileNames()) {
        const QString path = dir.filePath(QStringLiteral("data/") + name);
        if (!QFile::exists(path)) {
            QFile empty(path);
            if (!empty.open(QIODevice::WriteOnly))
                return fail(error, QStringLiteral("无法建立数据库 %1").arg(path));
        }
        platform::Database db;
        if (!db.open(path))
            return fail(error, db.lastError());
        QString reason;
        if (!applySchema(db,
                         readResource(QStringLiteral("schema/") +
                                      QString(name).replace(QLatin1String(".mdb"), QLatin1String(".sql"))),
                         &reason))
            return fail(error, QStringLiteral("%1: %2").arg(name, reason));
    }
    return true;
}

} // namespace frame
