#include "support/program_dir_fixture.h"

#include "frame/installed_data.h"
#include "platform/program_directory.h"

#include <QSqlError>
#include <QSqlQuery>

void ProgramDirTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    QString error;
    ASSERT_TRUE(frame::createInstalledData(dir.path(), &error)) << error.toStdString();
    platform::setProgramDirectory(dir.path());
    frame::currentOperator() = {};
    frame::documentCounters() = {};
}

void ProgramDirTest::TearDown()
{
    frame::currentOperator() = {};
}

QString ProgramDirTest::path(const QString &relative) const
{
    return dir.filePath(relative);
}

void ProgramDirTest::loginAs(const QString &role, const QString &permissions, const QString &name)
{
    frame::currentOperator() = {QStringLiteral("tester"), name, role, permissions, QStringLiteral("业务部")};
    frame::documentCounters().load();
}

void ProgramDirTest::sql(const QString &file, const QString &statement, const QVariantList &values)
{
    platform::Database db;
    ASSERT_TRUE(db.open(path(QStringLiteral("data/") + file)));
    QSqlQuery q(db.handle());
    ASSERT_TRUE(q.prepare(statement)) << q.lastError().text().toStdString();
    for (const QVariant &v : values)
        q.addBindValue(v);
    ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
}

QStringList ProgramDirTest::column(const QString &file, const QString &query, const QVariantList &values)
{
    QStringList out;
    platform::Database db;
    if (!db.open(path(QStringLiteral("data/") + file)))
        return out;
    QSqlQuery q(db.handle());
    q.prepare(query);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (q.exec())
        while (q.next())
            out.append(q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString());
    return out;
}

int ProgramDirTest::count(const QString &file, const QString &table)
{
    const QStringList n = column(file, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table));
    return n.isEmpty() ? -1 : n.first().toInt();
}
