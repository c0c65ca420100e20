#pragma once

#include "platform/database.h"
#include "platform/recordset.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace platform {

// One save: a database file with the other files it writes attached, one transaction over all
// of them and a recordset on it. Nothing is kept unless commit() succeeds; the steps that must
// follow a commit only (putting a file in place, moving a counter kept in memory) are queued
// with afterCommit and run by it.
class WriteSession
{
public:
    struct Attachment {
        QString alias;
        QString path;
    };

    WriteSession(const QString &path, const QList<Attachment> &attachments = {});
    WriteSession(const WriteSession &) = delete;
    WriteSession &operator=(const WriteSession &) = delete;

    // The file opened, every attachment reachable and the transaction begun.
    bool isOpen() const { return m_transaction && m_transaction->isActive(); }
    Database &database() { return m_db; }
    Recordset &records() { return m_records; }
    // Opens a table of the session on its recordset ("table" or "alias.table").
    bool openTable(const QString &table);

    void afterCommit(std::function<void()> step);
    bool commit();
    QString lastError() const { return m_db.lastError(); }

private:
    Database m_db;
    std::optional<Transaction> m_transaction;
    Recordset m_records;
    QList<std::function<void()>> m_afterCommit;
};

} // namespace platform
