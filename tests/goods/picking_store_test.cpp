#include "frame/document_counters.h"
#include "goods/picking_store.h"
#include "support/program_dir_fixture.h"

namespace {

const QString pickingColumns = QStringLiteral("检货号 || '|' || 检货员 || '|' || coalesce(检货时间, '-') || '|' || "
                                              "货物名称 || '|' || 实际件数 || '|' || 实际重量 || '|' || 实际体积 || "
                                              "'|' || 计抛否 || '|' || 计抛重量");

goods::Picking picking(const QString &number)
{
    return {number,
            QStringLiteral("李四"),
            QDateTime(QDate(2026, 3, 5), QTime(8, 5, 3)),
            QStringLiteral("电视机"),
            12,
            -3,
            5,
            true,
            60};
}

} // namespace

class PickingStoreTest : public ProgramDirTest
{
protected:
    QStringList stored(const QString &table)
    {
        return column(QStringLiteral("main.mdb"),
                      QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(pickingColumns, table));
    }
    // The counters as a restart reads them, whatever this run holds in memory.
    static frame::DocumentCounters restarted()
    {
        frame::DocumentCounters counters;
        EXPECT_TRUE(counters.load());
        return counters;
    }
};

TEST_F(PickingStoreTest, KeepsQueuesAndAdvancesTheNumberTogether)
{
    frame::DocumentCounters counters = restarted();
    ASSERT_TRUE(goods::storePicking(picking(QStringLiteral("JH0000001")), counters));

    const QStringList expected = {"JH0000001|李四|2026-03-05 08:05:03|电视机|12|-3|5|是|60"};
    EXPECT_EQ(stored(QStringLiteral("检货及仓库")), expected);
    EXPECT_EQ(stored(QStringLiteral("检货临时库")), expected);
    EXPECT_EQ(counters.number(frame::DocumentKind::Picking), QStringLiteral("JH0000002"));
    EXPECT_EQ(counters.count(frame::DocumentKind::Picking), 2);
    // The other kinds keep their numbers.
    EXPECT_EQ(counters.number(frame::DocumentKind::Order), QStringLiteral("YW0000001"));
}

TEST_F(PickingStoreTest, TheAdvancedNumberIsOnDiskOnceTheSaveReturns)
{
    // A crash between the save and its message, or an exit that skips writing the counters back:
    // the next run must not issue the saved number again.
    frame::DocumentCounters counters = restarted();
    ASSERT_TRUE(goods::storePicking(picking(QStringLiteral("JH0000001")), counters));

    frame::DocumentCounters afterRestart = restarted();
    EXPECT_EQ(afterRestart.number(frame::DocumentKind::Picking), QStringLiteral("JH0000002"));
    EXPECT_EQ(afterRestart.count(frame::DocumentKind::Picking), 2);

    ASSERT_TRUE(goods::storePicking(picking(afterRestart.number(frame::DocumentKind::Picking)), afterRestart));
    EXPECT_EQ(restarted().number(frame::DocumentKind::Picking), QStringLiteral("JH0000003"));
    EXPECT_EQ(column(QStringLiteral("main.mdb"), QStringLiteral("SELECT 检货号 FROM 检货临时库 ORDER BY rowid")),
              (QStringList{"JH0000001", "JH0000002"}));
}

TEST_F(PickingStoreTest, ARefusedNumberTakesBackBothRecordsAndMovesNoCounter)
{
    sql(QStringLiteral("system.mdb"),
        QStringLiteral("CREATE TRIGGER 拒绝 BEFORE UPDATE ON 开单次数 BEGIN SELECT RAISE(ABORT, '拒绝'); END"));
    frame::DocumentCounters counters = restarted();
    EXPECT_FALSE(goods::storePicking(picking(QStringLiteral("JH0000001")), counters));

    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("检货及仓库")), 0);
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("检货临时库")), 0);
    EXPECT_EQ(counters.number(frame::DocumentKind::Picking), QStringLiteral("JH0000001"));
    EXPECT_EQ(counters.count(frame::DocumentKind::Picking), 1);
    EXPECT_EQ(restarted().number(frame::DocumentKind::Picking), QStringLiteral("JH0000001"));
}

TEST_F(PickingStoreTest, WithoutLoadedCountersThePickingIsKeptUnderItsTypedNumber)
{
    // Counters that could not be read at start: the operator types numbers by hand.
    frame::DocumentCounters unloaded;
    goods::Picking typed = picking(QStringLiteral("手工1"));
    typed.time = {};
    typed.bubble = false;
    ASSERT_TRUE(goods::storePicking(typed, unloaded));

    EXPECT_EQ(stored(QStringLiteral("检货临时库")), QStringList{"手工1|李四|-|电视机|12|-3|5|否|60"});
    EXPECT_EQ(restarted().number(frame::DocumentKind::Picking), QStringLiteral("JH0000001"));
}
