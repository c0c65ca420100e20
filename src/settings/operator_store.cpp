#include "settings/operator_store.h"

#include "frame/db_access.h"
#include "frame/roles.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/write_session.h"

#include <optional>

namespace settings {

namespace {

const QString systemFile = QStringLiteral("system.mdb");
const QString operatorsTable = QStringLiteral("操作员");
const QString accountField = QStringLiteral("登陆帐号");
const QString nameField = QStringLiteral("姓名");
const QString passwordField = QStringLiteral("密码");
const QString roleField = QStringLiteral("级别");
const QString permissionsField = QStringLiteral("权限");
const QString departmentField = QStringLiteral("部门");

// Records of 操作员, other than the one with identity except, whose field holds exactly value.
int recordsBesides(platform::Database &db, const QString &field, const QString &value, std::optional<qint64> except)
{
    platform::Recordset rs;
    rs.attach(db);
    rs.openTableWhere(operatorsTable, {{field, value}});
    int count = 0;
    for (rs.moveFirst(); !rs.isEof(); rs.moveNext())
        count += rs.recordId() != except ? 1 : 0;
    return count;
}

void writeOperator(platform::Recordset &rs, const Operator &op)
{
    rs.writeText(accountField, op.account);
    rs.writeText(nameField, op.name);
    rs.writeText(passwordField, op.password);
    if (!op.role.isEmpty())
        rs.writeText(roleField, op.role);
    // A preset role stands for its words, so boxes ticked beside it are not kept.
    rs.writeText(permissionsField, op.role == frame::postOperatorRole ? op.permissions : QString());
    rs.writeText(departmentField, op.department);
}

OperatorSaveResult result(OperatorSaveOutcome outcome, const QString &error = {})
{
    return {outcome, error};
}

// The one save of both operations: id is the modified record's identity, none for a new record.
OperatorSaveResult saveOperator(std::optional<qint64> id, const Operator &op)
{
    if (op.account.isEmpty())
        return result(OperatorSaveOutcome::AccountEmpty);
    platform::WriteSession session(frame::dataFilePath(systemFile));
    if (!frame::DbAccess().openForSave(session, operatorsTable))
        return result(OperatorSaveOutcome::OpenFailed, session.lastError());

    platform::Recordset &rs = session.records();
    QString keptAccount, keptRole;
    if (!id) {
        rs.addNew();
    } else {
        if (!rs.openRecord(operatorsTable, *id))
            return result(OperatorSaveOutcome::WriteFailed, QStringLiteral("列表中选择的帐号已不存在."));
        keptAccount = rs.readText(accountField);
        keptRole = rs.readText(roleField);
    }
    // A record keeps its own account even where another record shares it; a new or changed
    // account must be nobody else's.
    if (op.account != keptAccount && recordsBesides(session.database(), accountField, op.account, id) > 0)
        return result(OperatorSaveOutcome::AccountTaken);
    const QString role = op.role.isEmpty() ? keptRole : op.role;
    const int administrators = recordsBesides(session.database(), roleField, frame::administratorRole, id) +
                               (role == frame::administratorRole ? 1 : 0);
    if (administrators == 0)
        return result(OperatorSaveOutcome::LastAdministrator);

    writeOperator(rs, op);
    if (!rs.update())
        return result(OperatorSaveOutcome::WriteFailed, rs.lastError());
    if (!session.commit())
        return result(OperatorSaveOutcome::WriteFailed, session.lastError());
    return result(OperatorSaveOutcome::Saved);
}

} // namespace

platform::RecordListing readOperators()
{
    return platform::RecordListing::open([](platform::Database &db, platform::Recordset &rs) {
        return frame::DbAccess().open(db, rs, systemFile, QStringLiteral("select * from 操作员"),
                                      frame::DbAccess::SqlText);
    });
}

OperatorSaveResult addOperatorRecord(const Operator &op)
{
    return saveOperator(std::nullopt, op);
}

OperatorSaveResult modifyOperatorRecord(qint64 id, const Operator &op)
{
    return saveOperator(id, op);
}

} // namespace settings
