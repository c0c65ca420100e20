#include "platform/write_session.h"

namespace platform {

WriteSession::WriteSession(const QString &path, const QList<Attachment> &attachments)
{
    if (!m_db.open(path))
        return;
    // SQLite attaches only outside a transaction, so every file joins before it begins.
    for (const Attachment &attachment : attachments)
        if (!m_db.attach(attachment.path, attachment.alias))
            return;
    m_transaction.emplace(m_db);
    m_records.attach(m_db);
}

bool WriteSession::openTable(const QString &table)
{
    return isOpen() && m_records.openTable(table);
}

void WriteSession::afterCommit(std::function<void()> step)
{
    m_afterCommit.append(std::move(step));
}

bool WriteSession::commit()
{
    if (!isOpen())
        return false;
    m_records.close();
    if (!m_transaction->commit())
        return false;
    for (const auto &step : std::as_const(m_afterCommit))
        step();
    m_afterCommit.clear();
    return true;
}

} // namespace platform
