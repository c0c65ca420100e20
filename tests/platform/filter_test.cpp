#include "platform/database.h"
#include "platform/recordset.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

// A small table with a text, a number and a date-time column, in append order.
class FilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("t.mdb"));
        QFile(file).open(QIODevice::WriteOnly);
        ASSERT_TRUE(db.open(file));
        ASSERT_TRUE(executeSql(
            db, QStringLiteral("CREATE TABLE 货物 (品名 TEXT, 件数 INTEGER, 到达日期 DATETIME, 已提货 TEXT)")));
        ASSERT_TRUE(executeSql(db, QStringLiteral("INSERT INTO 货物 VALUES ('钢材', 5, '2026-01-05 10:00:00', '否'), "
                                                  "('O''Brien', 12, '2026-01-10 00:00:00', '是'), "
                                                  "('布匹', 7, '2026-02-01 08:30:00', '否'), ('纸箱', 3, NULL, ''), "
                                                  "('电器', 20, '2026-01-10 00:00:00', '否')")));
        rs.attach(db);
        ASSERT_TRUE(rs.openTable(QStringLiteral("货物")));
    }

    QStringList names(const QString &filter)
    {
        rs.setFilter(filter);
        QStringList out;
        for (bool ok = rs.moveFirst(); ok; ok = rs.moveNext())
            out.append(rs.readText(QStringLiteral("品名")));
        return out;
    }

    QTemporaryDir dir;
    Database db;
    Recordset rs;
};

struct FilterCase {
    const char *filter;
    QStringList expected;
};

class FilterGrammar : public FilterTest, public ::testing::WithParamInterface<FilterCase>
{
};

TEST_P(FilterGrammar, SelectsTheMatchingRecordsInTableOrder)
{
    EXPECT_EQ(names(QString::fromUtf8(GetParam().filter)), GetParam().expected) << GetParam().filter;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterGrammar,
    ::testing::Values(FilterCase{"已提货 = '否'", {"钢材", "布匹", "电器"}},
                      FilterCase{"已提货 = '否' and 件数 > 6", {"布匹", "电器"}},
                      FilterCase{"件数 < 4 or 件数 >= 20", {"纸箱", "电器"}},
                      FilterCase{"(件数 = 5 or 件数 = 7) and 已提货 <> '是'", {"钢材", "布匹"}},
                      FilterCase{"件数 = 5 or 件数 = 7 and 已提货 = '是'", {"钢材"}},
                      FilterCase{"品名 = 'O''Brien'", {"O'Brien"}}, FilterCase{"件数 = '12'", {"O'Brien"}},
                      // Date-time columns compare as date-times, whatever form the literal is typed in.
                      FilterCase{"到达日期 > '2026-01-05' and 到达日期 < '2026年1月10日'", {"钢材"}},
                      FilterCase{"到达日期 > '2026/1/5 10:00' and 到达日期 < '2026-2-1'", {"O'Brien", "电器"}},
                      FilterCase{"到达日期 = '2026年1月10日'", {"O'Brien", "电器"}},
                      // A literal that is no date matches nothing; the other side of an or still counts.
                      FilterCase{"到达日期 > 'yesterday'", {}},
                      FilterCase{"到达日期 > 'yesterday' or 件数 = 3", {"纸箱"}}, FilterCase{"件数 = 'many'", {}},
                      // Text that does not parse, or names no field, matches nothing.
                      FilterCase{"已提货 = '否", {}}, FilterCase{"已提货 = '否' and", {}},
                      FilterCase{"没有的字段 = '否'", {}}, FilterCase{"已提货 = '否'; DROP TABLE 货物", {}},
                      FilterCase{"(件数 = 5", {}},
                      // Typed text closing its literal early cannot widen the condition.
                      FilterCase{"到达日期 > '2026-01-01'' or 已提货 = ''是' and 到达日期 < '2026-12-31'", {}}));

TEST_F(FilterTest, EmptyTextRemovesTheFilterAndFirstMatchIsCurrent)
{
    rs.setFilter(QStringLiteral("已提货 = '否' and 件数 > 6"));
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.readText(QStringLiteral("品名")), QStringLiteral("布匹"));
    rs.setFilter(QString());
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_EQ(rs.readText(QStringLiteral("品名")), QStringLiteral("钢材"));
}

TEST_F(FilterTest, TableSurvivesAnInjectionAttempt)
{
    names(QStringLiteral("品名 = 'x'); DROP TABLE 货物; --"));
    rs.setFilter(QString());
    EXPECT_EQ(rs.recordCount(), 5);
}
