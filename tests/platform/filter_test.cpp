#include "platform/database.h"
#include "platform/recordset.h"
#include "support/case_names.h"

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
    const char *name;
    QString filter;
    QStringList expected;
};

// The condition inside `depth` pairs of parentheses.
QString nested(int depth, const QString &condition)
{
    return QStringLiteral("(").repeated(depth) + condition + QStringLiteral(")").repeated(depth);
}

// The condition under `count` nots.
QString negated(int count, const QString &condition)
{
    return QStringLiteral("not ").repeated(count) + condition;
}

// "件数 <op> first <keyword> 件数 <op> first+1 ..." with `count` comparisons.
QString chain(int count, int first, const char *op, const char *keyword)
{
    QStringList terms;
    for (int i = first; i < first + count; ++i)
        terms.append(QStringLiteral("件数 %1 %2").arg(QLatin1String(op)).arg(i));
    return terms.join(QStringLiteral(" %1 ").arg(QLatin1String(keyword)));
}

// "件数 = 5 or (件数 > 0 and (件数 = 5 or (... 件数 = 7)))", `depth` parentheses deep.
QString alternating(int depth)
{
    QString filter = QStringLiteral("件数 = 7");
    for (int i = depth; i > 0; --i)
        filter = (i % 2 ? QStringLiteral("件数 = 5 or (%1)") : QStringLiteral("件数 > 0 and (%1)")).arg(filter);
    return filter;
}

class FilterGrammar : public FilterTest, public ::testing::WithParamInterface<FilterCase>
{
};

TEST_P(FilterGrammar, SelectsTheMatchingRecordsInTableOrder)
{
    EXPECT_EQ(names(GetParam().filter), GetParam().expected) << GetParam().filter.left(200).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterGrammar,
    ::testing::Values(
        FilterCase{"NotPickedUp", "已提货 = '否'", {"钢材", "布匹", "电器"}},
        FilterCase{"AndNumber", "已提货 = '否' and 件数 > 6", {"布匹", "电器"}},
        FilterCase{"OrNumbers", "件数 < 4 or 件数 >= 20", {"纸箱", "电器"}},
        FilterCase{"BracketsBeforeAnd", "(件数 = 5 or 件数 = 7) and 已提货 <> '是'", {"钢材", "布匹"}},
        FilterCase{"AndBindsTighterThanOr", "件数 = 5 or 件数 = 7 and 已提货 = '是'", {"钢材"}},
        FilterCase{"DoubledApostrophe", "品名 = 'O''Brien'", {"O'Brien"}},
        FilterCase{"NumberAsText", "件数 = '12'", {"O'Brien"}},
        // Date-time columns compare as date-times, whatever form the literal is typed in.
        FilterCase{"DatesInTwoForms", "到达日期 > '2026-01-05' and 到达日期 < '2026年1月10日'", {"钢材"}},
        FilterCase{
            "DateTimeAndShortDate", "到达日期 > '2026/1/5 10:00' and 到达日期 < '2026-2-1'", {"O'Brien", "电器"}},
        FilterCase{"DateEqual", "到达日期 = '2026年1月10日'", {"O'Brien", "电器"}},
        // A literal that is no date matches nothing; the other side of an or still counts.
        FilterCase{"NoDateMatchesNothing", "到达日期 > 'yesterday'", {}},
        FilterCase{"NoDateOrNumber", "到达日期 > 'yesterday' or 件数 = 3", {"纸箱"}},
        FilterCase{"NoNumberMatchesNothing", "件数 = 'many'", {}},
        // Text that does not parse, or names no field, matches nothing.
        FilterCase{"UnterminatedLiteral", "已提货 = '否", {}}, FilterCase{"DanglingAnd", "已提货 = '否' and", {}},
        FilterCase{"UnknownField", "没有的字段 = '否'", {}},
        FilterCase{"TrailingStatement", "已提货 = '否'; DROP TABLE 货物", {}},
        FilterCase{"UnclosedBracket", "(件数 = 5", {}},
        // Typed text closing its literal early cannot widen the condition.
        FilterCase{"LiteralClosedEarly", "到达日期 > '2026-01-01'' or 已提货 = ''是' and 到达日期 < '2026-12-31'", {}},
        // The empty literal is the empty text, not NULL.
        FilterCase{"EmptyLiteral", "已提货 = ''", {"纸箱"}},
        FilterCase{"NotEmptyLiteral", "not 已提货 <> ''", {"纸箱"}},
        FilterCase{"EmptyLiteralAsDateOrNumber", "到达日期 = '' or 件数 = ''", {}},
        // Nesting is bounded: 64 levels parse, deeper ones (however deep) match nothing.
        FilterCase{"Nesting64", nested(64, "件数 = 5"), {"钢材"}}, FilterCase{"Nesting65", nested(65, "件数 = 5"), {}},
        FilterCase{"Nesting100000", nested(100000, "件数 = 5"), {}},
        FilterCase{"Nots64", negated(64, "件数 = 5"), {"钢材"}},
        FilterCase{"Nots63", negated(63, "件数 = 5"), {"O'Brien", "布匹", "纸箱", "电器"}},
        FilterCase{"Nots65", negated(65, "件数 = 5"), {}}, FilterCase{"Nots100000", negated(100000, "件数 = 5"), {}},
        FilterCase{"Alternating20", alternating(20), {"钢材", "布匹"}},
        // Long chains run whole: ten thousand comparisons each way.
        FilterCase{"OrChain10000", chain(10000, 8, "=", "or"), {"O'Brien", "电器"}},
        FilterCase{"AndChain10000", chain(10000, 4, "<>", "and"), {"纸箱"}}),
    CaseName());

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

TEST_F(FilterTest, EmptyTextWrittenThroughTheRecordsetMatchesTheEmptyLiteral)
{
    rs.addNew();
    rs.writeText(QStringLiteral("品名"), QString());
    rs.writeInt(QStringLiteral("件数"), 9);
    ASSERT_TRUE(rs.update());
    rs.setFilter(QStringLiteral("品名 = ''"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.readInt(QStringLiteral("件数")), 9);
}

// A filter either does not compile, or its SQL runs: the database's parser and expression-depth
// limits never turn an accepted filter into a failed query. Twenty levels always compile.
TEST_F(FilterTest, EveryAcceptedFilterRunsInTheDatabase)
{
    for (int depth = 1; depth <= 66; ++depth) {
        for (const QString &filter :
             {alternating(depth), nested(depth, negated(depth, QStringLiteral("件数 = 5"))),
              nested(depth, chain(depth * 50, 0, "<>", "or") + QStringLiteral(" and ") + alternating(depth / 2))}) {
            const bool accepted = rs.setFilter(filter);
            if (depth <= 20) {
                ASSERT_TRUE(accepted) << depth << ": " << filter.left(200).toStdString();
            }
            if (!accepted)
                continue;
            rs.recordCount();
            ASSERT_EQ(rs.lastError(), QString()) << depth << ": " << filter.left(200).toStdString();
        }
    }
}
