#pragma once

#include <sqlite3.h>

#include <string>
#include <variant>
#include <vector>

namespace bench {

// A value bound to a statement: NULL, an integer or a text.
using Value = std::variant<std::nullptr_t, long long, std::string>;
using Values = std::vector<Value>;

class Statement;

// A connection straight to one SQLite file, beside the program's own: it fills the volumes,
// puts back what a click changed, and gives each click's floor (the same rows read or written
// with nothing in between). Every failure throws std::runtime_error.
class RawDb
{
public:
    explicit RawDb(const std::string &path);
    ~RawDb();
    RawDb(const RawDb &) = delete;
    RawDb &operator=(const RawDb &) = delete;

    sqlite3 *handle() const { return m_db; }
    void exec(const std::string &sql);
    // Runs a statement, reading every column of every row as text; returns the row count.
    int read(const std::string &sql, const Values &values = {});
    // The same, keeping the first column's texts.
    std::vector<std::string> column(const std::string &sql, const Values &values = {});
    long long number(const std::string &sql, const Values &values = {});

private:
    sqlite3 *m_db = nullptr;
};

// A prepared statement, run again and again with new values (bulk inserts, lookups in a loop).
class Statement
{
public:
    Statement(const RawDb &db, const std::string &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binds the values, steps through every row reading each column as text (keeping the
    // first column's texts when asked), then resets.
    int run(const Values &values = {}, std::vector<std::string> *firstColumn = nullptr);
    // The first column of the first row as an integer (0 when there is no row).
    long long first(const Values &values = {});

private:
    void bind(const Values &values);
    bool step();

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace bench
