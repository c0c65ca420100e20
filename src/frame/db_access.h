#pragma once

#include <QString>

namespace platform {
class Database;
class Recordset;
class WriteSession;
} // namespace platform

namespace frame {

// Opens a database file of the data folder and a recordset on it, telling the operator when
// either fails.
class DbAccess
{
public:
    enum Kind { SqlText = 1, TableName = 2 };

    // Shows "数据库连接失败!" or "查询失败!" followed by the database's error text on failure.
    bool open(platform::Database &db, platform::Recordset &rs, const QString &file, const QString &source,
              Kind kind) const;
    void close(platform::Database &db, platform::Recordset &rs) const;
    // A save's session and the table it writes first, telling the operator as open() does.
    bool openForSave(platform::WriteSession &session, const QString &table) const;
};

// <program dir>/data/<file>
QString dataFilePath(const QString &file);

} // namespace frame
