#pragma once

// Counts the SQL statements SQLite starts on every connection opened while a counter exists, so a
// test can tell whether a step's work grows with its input. Qt's SQLite driver and this counter
// share the system's SQLite library; where they do not, available() is false.
class StatementCounter
{
public:
    StatementCounter();
    ~StatementCounter();
    StatementCounter(const StatementCounter &) = delete;
    StatementCounter &operator=(const StatementCounter &) = delete;

    bool available() const { return m_available; }
    int count() const;
    void reset();

private:
    bool m_available = false;
};
