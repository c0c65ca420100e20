#pragma once

#include "platform/record_listing.h"

#include <QString>

namespace settings {

// One account of the table 操作员 of system.mdb.
struct Operator {
    QString account; // 登陆帐号
    QString name;
    QString password;
    // 级别; an empty role is not written, so a modified record keeps the role it has.
    QString role;
    // 权限: the words joined by "&"; stored for a 岗位操作员 only, the empty text for every other role.
    QString permissions;
    QString department;
};

enum class OperatorSaveOutcome {
    Saved,
    AccountEmpty,      // no 登陆帐号 typed
    AccountTaken,      // another record holds the typed 登陆帐号
    LastAdministrator, // the save would leave no account with the role 管理员
    OpenFailed,        // system.mdb or 操作员 did not open (DbAccess has said so)
    WriteFailed,       // the record was not written; error tells why
};

struct OperatorSaveResult {
    OperatorSaveOutcome outcome = OperatorSaveOutcome::WriteFailed;
    QString error;
};

// Every account in table order, each row leading to its record's identity; empty, after
// DbAccess's message, when the file or table did not open.
platform::RecordListing readOperators();

// Adds a new account, or changes the account with the given identity. Each is one transaction: the
// account-taken and 管理员 checks read the table inside it, so the checked table is the one written.
// A refused or failed save writes nothing.
OperatorSaveResult addOperatorRecord(const Operator &op);
OperatorSaveResult modifyOperatorRecord(qint64 id, const Operator &op);

} // namespace settings
