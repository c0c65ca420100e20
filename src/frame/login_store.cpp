#include "frame/login_store.h"

#include "frame/db_access.h"
#include "platform/database.h"
#include "platform/recordset.h"

#include <QDateTime>

namespace frame {

LoginResult checkLogin(const QString &account, const QString &password)
{
    LoginResult result;
    platform::Database db;
    if (!db.open(dataFilePath(QStringLiteral("system.mdb")))) {
        result.error = db.lastError();
        return result;
    }
    platform::Recordset rs;
    rs.attach(db);
    // A table that is missing or lacks a column fails here; a failed read of its rows leaves
    // an error behind. Either way no password was checked, so it is no refusal.
    const bool opened = rs.openTableWhere(QStringLiteral("操作员"),
                                          {{QStringLiteral("登陆帐号"), account}, {QStringLiteral("密码"), password}});
    const int matches = opened ? rs.recordCount() : 0;
    if (!opened || !rs.lastError().isEmpty()) {
        result.error = rs.lastError();
        return result;
    }
    if (matches < 1) {
        result.outcome = LoginResult::Outcome::Refused;
        return result;
    }
    rs.moveFirst();
    result.op.account = rs.readText(QStringLiteral("登陆帐号"));
    result.op.name = rs.readText(QStringLiteral("姓名"));
    result.op.role = rs.readText(QStringLiteral("级别"));
    result.op.permissions = rs.readText(QStringLiteral("权限"));
    result.op.department = rs.readText(QStringLiteral("部门"));
    rs.writeDateTime(QStringLiteral("最后登陆时间"), QDateTime::currentDateTime());
    rs.writeInt(QStringLiteral("登陆次数"), rs.readInt(QStringLiteral("登陆次数")) + 1);
    rs.update();
    result.outcome = LoginResult::Outcome::LoggedIn;
    return result;
}

} // namespace frame
