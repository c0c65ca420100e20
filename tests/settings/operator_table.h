#pragma once

#include "platform/database.h"
#include "support/program_dir_fixture.h"

#include <QStringList>
#include <optional>

// An account of 操作员 as a test writes or expects it, columns 0 to 5. A null account (QString())
// is stored as NULL, the empty text as the empty text.
struct Account {
    QString account, name, password, role, permissions, department;
};

// What makes a save fail: the database refusing the write, or another program holding the file.
enum class WriteTrouble { RefusedWrite, HeldFile };

// A program directory whose table 操作员 a test fills and reads back.
class OperatorTableTest : public ProgramDirTest
{
protected:
    void insertAccount(const Account &a)
    {
        sql(QStringLiteral("system.mdb"),
            QStringLiteral("INSERT INTO 操作员 (登陆帐号, 姓名, 密码, 级别, 权限, 部门) VALUES (?, ?, ?, ?, ?, ?)"),
            {a.account.isNull() ? QVariant() : QVariant(a.account), a.name, a.password, a.role, a.permissions,
             a.department});
    }
    // Replaces the installed accounts by the given ones; their identities in table order.
    QList<qint64> fillAccounts(const QList<Account> &table)
    {
        sql(QStringLiteral("system.mdb"), QStringLiteral("DELETE FROM 操作员"));
        for (const Account &a : table)
            insertAccount(a);
        QList<qint64> ids;
        for (const QString &id :
             column(QStringLiteral("system.mdb"), QStringLiteral("SELECT rowid FROM 操作员 ORDER BY rowid")))
            ids.append(id.toLongLong());
        return ids;
    }
    // Every account of 操作员 in table order, columns 0 to 5 joined by "|", NULL as "<null>".
    QStringList accounts()
    {
        return column(QStringLiteral("system.mdb"),
                      QStringLiteral("SELECT ifnull(登陆帐号, '<null>') || '|' || 姓名 || '|' || 密码 || '|' || "
                                     "ifnull(级别, '<null>') || '|' || ifnull(权限, '<null>') || '|' || 部门 "
                                     "FROM 操作员 ORDER BY rowid"));
    }
    static QString joined(const Account &a)
    {
        const QString account = a.account.isNull() ? QStringLiteral("<null>") : a.account;
        return QStringList{account, a.name, a.password, a.role, a.permissions, a.department}.join(u'|');
    }
    // Every later write of 操作员 fails inside the database, as a full disk would make it.
    void refuseWrites()
    {
        for (const char *event : {"INSERT", "UPDATE"})
            sql(QStringLiteral("system.mdb"),
                QStringLiteral("CREATE TRIGGER 拒写_%1 BEFORE %1 ON 操作员 BEGIN SELECT RAISE(ABORT, '磁盘已满'); END")
                    .arg(QLatin1String(event)));
    }
    // Another program holding system.mdb for writing, until release().
    void holdSystemFile()
    {
        ASSERT_TRUE(holder.open(path(QStringLiteral("data/system.mdb"))));
        held.emplace(holder);
        ASSERT_TRUE(held->isActive());
    }
    void release() { held.reset(); }
    void cause(WriteTrouble trouble)
    {
        if (trouble == WriteTrouble::RefusedWrite)
            refuseWrites();
        else
            holdSystemFile();
    }

    void TearDown() override
    {
        release();
        holder.close();
        ProgramDirTest::TearDown();
    }

private:
    platform::Database holder;
    std::optional<platform::Transaction> held;
};
