#include "frame/installed_data.h"

#include "platform/database.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

namespace frame {

namespace {

const QStringList fixedFolders = {QStringLiteral("data"), QStringLiteral("grd"), QStringLiteral("grd_fhqd"),
                                  QStringLiteral("dbbak"), QStringLiteral("导出电子表格")};
const QStringList fixedFiles = {QStringLiteral("program.ini"), QStringLiteral("grd/null.grd")};

bool tableExists(platform::Database &db, const QString &table)
{
    QSqlQuery q(db.handle());
    q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    q.addBindValue(table);
    return q.exec() && q.next();
}

QString readResource(const QString &name)
{
    QFile file(QStringLiteral(":/installed/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Runs a schema file: a table is created only when missing, and its default rows are inserted
// only into a table created by this run.
bool applySchema(platform::Database &db, const QString &schema, QString *error)
{
    static const QRegularExpression comment(QStringLiteral("--[^\n]*"));
    static const QRegularExpression createTable(QStringLiteral(R"(^CREATE TABLE IF NOT EXISTS (\S+))"));
    static const QRegularExpression insertInto(QStringLiteral(R"(^INSERT INTO (\S+))"));
    QString text = schema;
    text.remove(comment);
    QSet<QString> created;
    platform::Transaction transaction(db);
    for (QString statement : text.split(u';')) {
        statement = statement.trimmed();
        if (statement.isEmpty())
            continue;
        if (const auto m = createTable.match(statement); m.hasMatch()) {
            if (tableExists(db, m.captured(1)))
                continue;
            created.insert(m.captured(1));
        } else if (const auto m = insertInto.match(statement); m.hasMatch() && !created.contains(m.captured(1))) {
            continue;
        }
        if (!platform::executeSql(db, statement)) {
            if (error)
                *error = db.lastError();
            return false;
        }
    }
    return transaction.commit();
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
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(readResource(QStringLiteral("resources/") + file).toUtf8()) < 0 || !out.flush())
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
