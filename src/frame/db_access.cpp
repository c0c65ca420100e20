#include "frame/db_access.h"

#include "platform/database.h"
#include "platform/message_box.h"
#include "platform/program_directory.h"
#include "platform/recordset.h"
#include "platform/write_session.h"

namespace frame {

QString dataFilePath(const QString &file)
{
    return platform::programPath(QStringLiteral("data/") + file);
}

bool DbAccess::open(platform::Database &db, platform::Recordset &rs, const QString &file, const QString &source,
                    Kind kind) const
{
    rs.attach(db);
    if (!db.open(dataFilePath(file))) {
        platform::messageBox(QStringLiteral("数据库连接失败!") + db.lastError());
        return false;
    }
    const bool opened = kind == SqlText ? rs.openSql(source) : rs.openTable(source);
    if (!opened) {
        platform::messageBox(QStringLiteral("查询失败!") + rs.lastError());
        return false;
    }
    return true;
}

bool DbAccess::openForSave(platform::WriteSession &session, const QString &table) const
{
    if (!session.isOpen()) {
        platform::messageBox(QStringLiteral("数据库连接失败!") + session.lastError());
        return false;
    }
    if (!session.openTable(table)) {
        platform::messageBox(QStringLiteral("查询失败!") + session.records().lastError());
        return false;
    }
    return true;
}

void DbAccess::close(platform::Database &db, platform::Recordset &rs) const
{
    rs.close();
    db.close();
}

} // namespace frame
