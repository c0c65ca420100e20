#include "goods/stock_out_store.h"
#include "support/qt_warnings.h"
#include "support/case_names.h"
#include "support/program_dir_fixture.h"

#include <QFile>

namespace {

const QString queueRows =
    QStringLiteral("SELECT 业务单号 || '|' || 货物名称 || '|' || 件数 || '|' || 截留件数 || '|' || 重量 || '|' || 体积 "
                   "FROM 出库临时表 ORDER BY rowid");

const QList<goods::StockOutLine> twoLines = {{QStringLiteral("A1"), QStringLiteral("布"), 10, 1, 7, 9},
                                             {QStringLiteral("B2"), QString(), 0, -2, -3, 2147483647}};

} // namespace

class StockOutStoreTest : public ProgramDirTest
{
protected:
    QStringList queued() { return column(QStringLiteral("main.mdb"), queueRows); }
};

TEST_F(StockOutStoreTest, LinesJoinTheQueueAfterWhatItHoldsInTheirOrder)
{
    sql(QStringLiteral("main.mdb"), QStringLiteral("INSERT INTO 出库临时表 VALUES ('OLD', '旧', 1, 1, 1, 1)"));
    ASSERT_TRUE(goods::queueStockOut(twoLines));
    EXPECT_EQ(queued(), (QStringList{"OLD|旧|1|1|1|1", "A1|布|10|1|7|9", "B2||0|-2|-3|2147483647"}));
}

struct RefusedQueue {
    const char *name;
    const char *breakage; // SQL run on main.mdb; none: the file is removed
};

class RefusedQueueTest : public StockOutStoreTest, public ::testing::WithParamInterface<RefusedQueue>
{
};

TEST_P(RefusedQueueTest, QueuesNoLineAtAll)
{
    if (GetParam().breakage == nullptr)
        ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/main.mdb"))));
    else
        sql(QStringLiteral("main.mdb"), QString::fromUtf8(GetParam().breakage));
    EXPECT_FALSE(goods::queueStockOut(twoLines));
    EXPECT_EQ(queued(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Breakages, RefusedQueueTest,
                         ::testing::Values(
                             // The first line is written before the second is refused: it must not stay queued alone.
                             RefusedQueue{"SecondLineRefused",
                                          "CREATE TRIGGER refuse_b2 BEFORE INSERT ON 出库临时表 WHEN NEW.业务单号 = "
                                          "'B2' BEGIN SELECT RAISE(ABORT, 'refused'); END"},
                             RefusedQueue{"QueueTableMissing", "DROP TABLE 出库临时表"},
                             RefusedQueue{"DatabaseMissing", nullptr}),
                         CaseName());

TEST_F(StockOutStoreTest, RenamedColumnQueuesNoLine)
{
    sql(QStringLiteral("main.mdb"), QStringLiteral("ALTER TABLE 出库临时表 RENAME COLUMN 体积 TO 容积"));
    const ExpectQtWarning warning(QStringLiteral("没有字段"));
    EXPECT_FALSE(goods::queueStockOut(twoLines));
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("出库临时表")), 0);
}
