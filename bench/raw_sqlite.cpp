#include "raw_sqlite.h"

#include <stdexcept>

namespace bench {

namespace {

[[noreturn]] void fail(sqlite3 *db, const std::string &what)
{
    throw std::runtime_error(what + ": " + sqlite3_errmsg(db));
}

} // namespace

RawDb::RawDb(const std::string &path)
{
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail(m_db, "open " + path);
    sqlite3_busy_timeout(m_db, 3000);
    // The program's own durability, so a raw write costs what the program's does.
    exec("PRAGMA synchronous=FULL");
}

RawDb::~RawDb()
{
    sqlite3_close_v2(m_db);
}

void RawDb::exec(const std::string &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(sql + ": " + text);
    }
}

int RawDb::read(const std::string &sql, const Values &values)
{
    return Statement(*this, sql).run(values);
}

std::vector<std::string> RawDb::column(const std::string &sql, const Values &values)
{
    std::vector<std::string> texts;
    Statement(*this, sql).run(values, &texts);
    return texts;
}

long long RawDb::number(const std::string &sql, const Values &values)
{
    return Statement(*this, sql).first(values);
}

Statement::Statement(const RawDb &db, const std::string &sql) : m_db(db.handle())
{
    if (sqlite3_prepare_v2(m_db, sql.c_str(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK)
        fail(m_db, "prepare " + sql);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(const Values &values)
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    for (int i = 0; i < int(values.size()); ++i) {
        const int at = i + 1;
        int rc = SQLITE_OK;
        if (const auto *n = std::get_if<long long>(&values[i]))
            rc = sqlite3_bind_int64(m_stmt, at, *n);
        else if (const auto *s = std::get_if<std::string>(&values[i]))
            rc = sqlite3_bind_text(m_stmt, at, s->data(), int(s->size()), SQLITE_TRANSIENT);
        else
            rc = sqlite3_bind_null(m_stmt, at);
        if (rc != SQLITE_OK)
            fail(m_db, "bind");
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(m_db, "step");
    return false;
}

int Statement::run(const Values &values, std::vector<std::string> *firstColumn)
{
    bind(values);
    int rows = 0;
    const int columns = sqlite3_column_count(m_stmt);
    while (step()) {
        for (int c = 0; c < columns; ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c));
            if (c == 0 && firstColumn)
                firstColumn->emplace_back(text ? text : "");
        }
        ++rows;
    }
    sqlite3_reset(m_stmt);
    return rows;
}

long long Statement::first(const Values &values)
{
    bind(values);
    const long long value = step() ? sqlite3_column_int64(m_stmt, 0) : 0;
    sqlite3_reset(m_stmt);
    return value;
}

} // namespace bench
