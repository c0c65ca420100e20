#include "desk/picking_queue_store.h"
#include "support/qt_warnings.h"
#include "support/program_dir_fixture.h"

namespace {

struct Picking {
    QString number, picker, goods;
    int pieces;
};

const Picking tv{QStringLiteral("JH0000001"), QStringLiteral("王五"), QStringLiteral("电视机"), 3};
const Picking quilt{QStringLiteral("JH0000001"), QStringLiteral("王五"), QStringLiteral("棉被"), 10};
const QString at = QStringLiteral("2026-03-05 08:05:03");

} // namespace

class PickingQueueStoreTest : public ProgramDirTest
{
protected:
    // The queue holds the nine values of the picking's permanent record.
    void queue(const Picking &p)
    {
        sql(QStringLiteral("main.mdb"),
            QStringLiteral("INSERT INTO 检货临时库 (检货号, 检货员, 检货时间, 货物名称, 实际件数, 实际重量, 实际体积, "
                           "计抛否, 计抛重量) VALUES (?, ?, ?, ?, ?, 1, 1, '否', 0)"),
            {p.number, p.picker, at, p.goods, p.pieces});
    }
    void permanent(const Picking &p, const QVariant &orderNumber = {})
    {
        sql(QStringLiteral("main.mdb"),
            QStringLiteral("INSERT INTO 检货及仓库 (检货号, 检货员, 检货时间, 货物名称, 实际件数, 实际重量, 实际体积, "
                           "计抛否, 计抛重量, 业务单号) VALUES (?, ?, ?, ?, ?, 1, 1, '否', 0, ?)"),
            {p.number, p.picker, at, p.goods, p.pieces, orderNumber});
    }
    QStringList orderNumbers()
    {
        return column(
            QStringLiteral("main.mdb"),
            QStringLiteral("SELECT 货物名称 || ':' || coalesce(业务单号, '-') FROM 检货及仓库 ORDER BY rowid"));
    }
    QStringList queued()
    {
        return column(QStringLiteral("main.mdb"), QStringLiteral("SELECT 货物名称 FROM 检货临时库 ORDER BY rowid"));
    }
    static desk::PendingPicking listed(int row) { return desk::pendingPickingAt(desk::listPendingPickings(), row); }
};

TEST_F(PickingQueueStoreTest, ListsTheQueueInTableOrderWithEachRecordsIdentity)
{
    queue(tv);
    queue(quilt);
    queue(tv);
    sql(QStringLiteral("main.mdb"), QStringLiteral("DELETE FROM 检货临时库 WHERE rowid = 1"));

    const platform::RecordListing listing = desk::listPendingPickings();
    const QList<desk::PendingPicking> pending = {desk::pendingPickingAt(listing, 0),
                                                 desk::pendingPickingAt(listing, 1)};

    ASSERT_EQ(listing.count(), 2);
    EXPECT_EQ(listing.recordId(1), 3);
    EXPECT_EQ(desk::pendingPickingAt(listing, 2), desk::PendingPicking{});
    EXPECT_EQ(pending[0].id, 2);
    EXPECT_EQ(pending[0].picker, QStringLiteral("王五"));
    EXPECT_EQ(pending[0].goods, QStringLiteral("棉被"));
    EXPECT_EQ(pending[0].pieces, 10);
    EXPECT_EQ(pending[0].time, QDateTime(QDate(2026, 3, 5), QTime(8, 5, 3)));
    EXPECT_EQ(pending[1].id, 3);
    EXPECT_EQ(pending[1].goods, QStringLiteral("电视机"));
}

TEST_F(PickingQueueStoreTest, OrderNumberGoesOnlyIntoTheTakenPickingsUntakenRecord)
{
    // An earlier quilt of the same number was taken into an order already; the tv waits too.
    permanent(quilt, QStringLiteral("YW0000050"));
    permanent(tv);
    permanent(quilt);
    queue(tv);
    queue(quilt);

    ASSERT_TRUE(desk::takeQueuedPicking(listed(1), QStringLiteral("YW0000123")));

    EXPECT_EQ(orderNumbers(), (QStringList{"棉被:YW0000050", "电视机:-", "棉被:YW0000123"}));
    EXPECT_EQ(queued(), QStringList{QStringLiteral("电视机")});
}

TEST_F(PickingQueueStoreTest, IdenticalPickingsAreTakenOneRecordAtATime)
{
    for (int i = 0; i < 2; ++i) {
        permanent(tv);
        queue(tv);
    }
    ASSERT_TRUE(desk::takeQueuedPicking(listed(1), QStringLiteral("YW0000001")));
    EXPECT_EQ(orderNumbers(), (QStringList{"电视机:YW0000001", "电视机:-"}));
    ASSERT_TRUE(desk::takeQueuedPicking(listed(0), QStringLiteral("YW0000002")));
    EXPECT_EQ(orderNumbers(), (QStringList{"电视机:YW0000001", "电视机:YW0000002"}));
    EXPECT_EQ(queued(), QStringList());
}

TEST_F(PickingQueueStoreTest, QueuedRecordGoneOrReplacedFailsAndChangesNothing)
{
    permanent(tv);
    permanent(quilt);
    queue(tv);
    const desk::PendingPicking shown = listed(0);
    sql(QStringLiteral("main.mdb"), QStringLiteral("DELETE FROM 检货临时库"));
    EXPECT_FALSE(desk::takeQueuedPicking(shown, QStringLiteral("YW0000123")));

    // The freed identity now belongs to another picking.
    queue(quilt);
    ASSERT_EQ(listed(0).id, shown.id);
    EXPECT_FALSE(desk::takeQueuedPicking(shown, QStringLiteral("YW0000123")));

    EXPECT_EQ(orderNumbers(), (QStringList{"电视机:-", "棉被:-"}));
    EXPECT_EQ(queued(), QStringList{QStringLiteral("棉被")});
}

TEST_F(PickingQueueStoreTest, AListedRowKeepsThePickingAsListedSoAChangedRecordIsNotTaken)
{
    permanent(tv);
    queue(tv);
    const platform::RecordListing listing = desk::listPendingPickings();
    sql(QStringLiteral("main.mdb"), QStringLiteral("UPDATE 检货临时库 SET 货物名称 = '棉被'"));

    const desk::PendingPicking shown = desk::pendingPickingAt(listing, 0);
    EXPECT_EQ(shown.goods, QStringLiteral("电视机"));
    EXPECT_FALSE(desk::takeQueuedPicking(shown, QStringLiteral("YW0000123")));

    EXPECT_EQ(orderNumbers(), QStringList{QStringLiteral("电视机:-")});
    EXPECT_EQ(queued(), QStringList{QStringLiteral("棉被")});
}

TEST_F(PickingQueueStoreTest, PickingWithoutItsPermanentRecordIsStillTaken)
{
    permanent(quilt);
    queue(tv);

    EXPECT_TRUE(desk::takeQueuedPicking(listed(0), QStringLiteral("YW0000123")));

    EXPECT_EQ(orderNumbers(), QStringList{QStringLiteral("棉被:-")});
    EXPECT_EQ(queued(), QStringList());
}

TEST_F(PickingQueueStoreTest, RenamedOrderNumberColumnTakesNothing)
{
    permanent(tv);
    queue(tv);
    const desk::PendingPicking picking = listed(0);
    sql(QStringLiteral("main.mdb"), QStringLiteral("ALTER TABLE 检货及仓库 RENAME COLUMN 业务单号 TO 单号"));
    const ExpectQtWarning warning(QStringLiteral("没有字段"));
    EXPECT_FALSE(desk::takeQueuedPicking(picking, QStringLiteral("YW0000123")));
    EXPECT_EQ(queued(), QStringList{QStringLiteral("电视机")});
}
