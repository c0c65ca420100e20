#pragma once

#include <QString>

class QSqlDatabase;

namespace platform {

// One connection to one database file: an SQLite file that keeps the program's .mdb file name.
// Used on the GUI thread only; the Qt connection is removed when this object closes.
class Database
{
public:
    Database();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // How long a step waits for a file another program holds before it fails: a read that may
    // give up silently (a timer's refresh) waits briefly, so a held file never freezes the window.
    enum class Wait { Brief, Save };

    // Fails, without creating anything, when the file does not exist or cannot be opened.
    bool open(const QString &path, Wait wait = Wait::Save);
    // Makes another file's tables reachable as alias.table on this connection.
    bool attach(const QString &path, const QString &alias);
    void close();
    bool isOpen() const;
    QString lastError() const;

    // For the platform's recordset and transaction only.
    QSqlDatabase handle() const;
    void setLastError(const QString &error);

private:
    QString m_name;
    QString m_lastError;
    bool m_open = false;
};

// BEGIN IMMEDIATE on construction; rolls back on destruction unless committed.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isActive() const { return m_active; }
    bool commit();

private:
    Database &m_db;
    bool m_active = false;
};

// Runs one statement of the program's own SQL text (no typed text): schema creation and the like.
bool executeSql(Database &db, const QString &sql);

// Runs a whole script of the program's own SQL text, statement after statement as SQLite itself
// parses them (a ";" inside a quoted text is text); stops at the first failing statement.
bool executeScript(Database &db, const QString &script);

} // namespace platform
