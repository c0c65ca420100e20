#pragma once

#include "frame/session.h"

#include <QString>

namespace frame {

// What the operators table answers to a login.
struct LoginResult {
    enum class Outcome {
        LoggedIn,   // op holds the operator; the account is stamped
        Refused,    // no account with that password
        Unreadable, // system.mdb or its operators table cannot be read; error says why
    };
    Outcome outcome = Outcome::Unreadable;
    CurrentOperator op;
    QString error;
};

// Looks the account and password up in 操作员 of system.mdb (both bound as values, so no typed
// text can change the lookup) and on a match stamps 最后登陆时间 and 登陆次数.
LoginResult checkLogin(const QString &account, const QString &password);

} // namespace frame
