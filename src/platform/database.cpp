#include "platform/database.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace platform {

namespace {
int nextConnectionNumber = 0;

int busyTimeoutMs(Database::Wait wait)
{
    return wait == Database::Wait::Brief ? 200 : 3000;
}
} // namespace

Database::Database() : m_name(QStringLiteral("freightdesk-%1").arg(++nextConnectionNumber)) {}

Database::~Database()
{
    close();
}

bool Database::open(const QString &path, Wait wait)
{
    close();
    if (!QFileInfo(path).isFile()) {
        m_lastError = QStringLiteral("文件不存在: %1").arg(path);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs(wait)));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        return false;
    }
    QSqlQuery pragma(db);
    // A file that is not a database fails here rather than at the first read.
    if (!pragma.exec(QStringLiteral("PRAGMA synchronous=FULL")) ||
        !pragma.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        m_lastError = pragma.lastError().text();
        pragma = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        return false;
    }
    m_open = true;
    m_lastError.clear();
    return true;
}

bool Database::attach(const QString &path, const QString &alias)
{
    if (!m_open || !QFileInfo(path).isFile()) {
        m_lastError = QStringLiteral("文件不存在: %1").arg(path);
        return false;
    }
    QSqlQuery q(handle());
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS \"%1\"").arg(alias));
    q.addBindValue(path);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return false;
    }
    return true;
}

void Database::close()
{
    if (!m_open)
        return;
    m_open = false;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool Database::isOpen() const
{
    return m_open;
}

QString Database::lastError() const
{
    return m_lastError;
}

QSqlDatabase Database::handle() const
{
    return m_open ? QSqlDatabase::database(m_name, false) : QSqlDatabase();
}

void Database::setLastError(const QString &error)
{
    m_lastError = error;
}

Transaction::Transaction(Database &db) : m_db(db)
{
    m_active = db.isOpen() && executeSql(db, QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (m_active)
        executeSql(m_db, QStringLiteral("ROLLBACK"));
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    m_active = !executeSql(m_db, QStringLiteral("COMMIT"));
    return !m_active;
}

bool executeSql(Database &db, const QString &sql)
{
    if (!db.isOpen())
        return false;
    QSqlQuery q(db.handle());
    if (!q.exec(sql)) {
        db.setLastError(q.lastError().text());
        return false;
    }
    return true;
}

bool executeScript(Database &db, const QString &script)
{
    if (!db.isOpen())
        return false;
    // Qt runs one statement per query; SQLite's own loop runs the script on the same connection.
    const QVariant handle = db.handle().driver()->handle();
    sqlite3 *const *connection =
        qstrcmp(handle.typeName(), "sqlite3*") == 0 ? static_cast<sqlite3 *const *>(handle.constData()) : nullptr;
    if (!connection || !*connection) {
        db.setLastError(QStringLiteral("不是 SQLite 连接"));
        return false;
    }
    char *error = nullptr;
    if (sqlite3_exec(*connection, script.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        db.setLastError(QString::fromUtf8(error));
        sqlite3_free(error);
        return false;
    }
    return true;
}

} // namespace platform
