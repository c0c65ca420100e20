// A filter text as typed: it compiles into SQL whose placeholders match its bound values, and an
// accepted filter runs against a real table (behind the recordset's own condition) without a
// database error, splitting the table exactly in two with its negation.
#include "fuzz_check.h"
#include "platform/database.h"
#include "platform/filter.h"
#include "platform/recordset.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

using namespace platform;

namespace {

struct GoodsTable {
    GoodsTable()
    {
        const QString file = dir.filePath(QStringLiteral("fuzz.mdb"));
        QFile(file).open(QIODevice::WriteOnly);
        require(db.open(file), "the table's file opens");
        require(executeSql(db, QStringLiteral("CREATE TABLE 货物 (品名 TEXT, 件数 INTEGER, 到达日期 DATETIME, "
                                              "t TEXT, n REAL, d DATETIME, 仓库 INTEGER DEFAULT 1)")),
                "the table is created");
        require(executeSql(db, QStringLiteral("INSERT INTO 货物 (品名, 件数, 到达日期, t, n, d) VALUES "
                                              "('钢材', 5, '2026-01-05 10:00:00', 'a', 1.5, '0999-01-01 00:00:00'), "
                                              "('O''Brien', 12, '2026-01-10 00:00:00', '', 0, NULL), "
                                              "('', 0, NULL, NULL, -3, '2026-12-10 08:05:03'), "
                                              "(NULL, NULL, '9999-12-31 23:59:59', '否', NULL, '')")),
                "the records are written");
        rs.attach(db);
        // Opened under a condition of its own, as the program's windows open their sets.
        require(rs.openTableWhere(QStringLiteral("货物"), {{QStringLiteral("仓库"), 1}}), "the set opens");
        total = rs.recordCount();
    }

    // The count of records the filter selects; -1 when it does not compile.
    int count(const QString &filter)
    {
        if (!rs.setFilter(filter))
            return -1;
        const int records = rs.recordCount();
        require(rs.lastError().isEmpty(), "an accepted filter runs in the database");
        return records;
    }

    int argc = 1;
    char name[16] = "filter_fuzz";
    char *argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv}; // the database driver is a plugin, loaded through it
    QTemporaryDir dir;
    Database db;
    Recordset rs;
    int total = 0;
    const QHash<QString, ColumnKind> kinds{
        {QStringLiteral("品名"), ColumnKind::Text},         {QStringLiteral("件数"), ColumnKind::Number},
        {QStringLiteral("到达日期"), ColumnKind::DateTime}, {QStringLiteral("t"), ColumnKind::Text},
        {QStringLiteral("n"), ColumnKind::Number},          {QStringLiteral("d"), ColumnKind::DateTime},
        {QStringLiteral("仓库"), ColumnKind::Number}};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static GoodsTable table;
    const QString filter = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<CompiledFilter> compiled = compileFilter(filter, table.kinds);
    if (!compiled) {
        require(filter.isEmpty() || table.count(filter) == -1, "a filter that does not compile selects nothing");
        return 0;
    }
    require(compiled->sql.count(u'?') == compiled->parameters.size(), "one bound value for each placeholder");
    const int selected = table.count(filter);
    require(selected >= 0, "a compiled filter is accepted by the recordset");
    const int rest = table.count(QStringLiteral("not (%1)").arg(filter));
    require(rest == -1 || selected + rest == table.total, "a filter and its negation split the table");
    return 0;
}
