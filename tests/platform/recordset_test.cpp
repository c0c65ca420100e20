#include "platform/database.h"
#include "platform/recordset.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

class RecordsetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("t.mdb"));
        QFile(file).open(QIODevice::WriteOnly);
        ASSERT_TRUE(db.open(file));
        ASSERT_TRUE(executeSql(
            db, QStringLiteral("CREATE TABLE 队列 (编号 TEXT, 数量 INTEGER, 时间 DATETIME, 状态 TEXT DEFAULT '否')")));
        rs.attach(db);
    }

    void append(const QString &number, int quantity)
    {
        ASSERT_TRUE(rs.isOpen() || rs.openTable(QStringLiteral("队列")));
        rs.addNew();
        rs.writeText(QStringLiteral("编号"), number);
        rs.writeInt(QStringLiteral("数量"), quantity);
        ASSERT_TRUE(rs.update());
    }

    QStringList numbers()
    {
        Recordset reader;
        reader.attach(db);
        reader.openTable(QStringLiteral("队列"));
        QStringList out;
        for (bool ok = reader.moveFirst(); ok; ok = reader.moveNext())
            out.append(reader.readText(QStringLiteral("编号")));
        return out;
    }

    QTemporaryDir dir;
    QString file;
    Database db;
    Recordset rs;
};

TEST_F(RecordsetTest, AppendedRecordsComeBackInAppendOrderWithDefaults)
{
    for (const char *n : {"C", "A", "B"})
        append(QString::fromUtf8(n), 1);
    EXPECT_EQ(numbers(), (QStringList{"C", "A", "B"}));
    rs.moveTo(1);
    EXPECT_EQ(rs.readText(QStringLiteral("状态")), QStringLiteral("否"));
    EXPECT_EQ(rs.readDateTime(QStringLiteral("时间")), QDateTime());
}

TEST_F(RecordsetTest, MoveToCountsWithinTheFilteredSet)
{
    for (int i = 0; i < 6; ++i)
        append(QStringLiteral("N%1").arg(i), i % 2);
    rs.setFilter(QStringLiteral("数量 = 1"));
    ASSERT_EQ(rs.recordCount(), 3);
    ASSERT_TRUE(rs.moveTo(2));
    EXPECT_EQ(rs.readText(QStringLiteral("编号")), QStringLiteral("N5"));
    EXPECT_FALSE(rs.moveTo(3));
    EXPECT_TRUE(rs.isEof());
}

TEST_F(RecordsetTest, UpdateAndDeleteActOnTheCurrentRecordOnly)
{
    for (const char *n : {"A", "B", "C"})
        append(QString::fromUtf8(n), 1);
    rs.moveTo(1);
    rs.writeText(QStringLiteral("状态"), QStringLiteral("是"));
    ASSERT_TRUE(rs.update());
    rs.moveTo(0);
    ASSERT_TRUE(rs.deleteCurrent());
    EXPECT_EQ(numbers(), (QStringList{"B", "C"}));
    Recordset check;
    check.attach(db);
    check.openTableWhere(QStringLiteral("队列"), {{QStringLiteral("状态"), QStringLiteral("是")}});
    ASSERT_EQ(check.recordCount(), 1);
    EXPECT_EQ(check.readText(QStringLiteral("编号")), QStringLiteral("B"));
}

TEST_F(RecordsetTest, WritesByColumnPosition)
{
    rs.openTable(QStringLiteral("队列"));
    rs.addNew();
    rs.writeAt(0, QStringLiteral("P"));
    rs.writeAt(1, 9);
    ASSERT_TRUE(rs.update());
    EXPECT_EQ(rs.readInt(QStringLiteral("数量")), 9);
    EXPECT_EQ(numbers(), QStringList{"P"});
}

TEST_F(RecordsetTest, WhereConditionsBindTypedText)
{
    append(QStringLiteral("x' or '1'='1"), 1);
    append(QStringLiteral("y"), 1);
    Recordset found;
    found.attach(db);
    found.openTableWhere(QStringLiteral("队列"), {{QStringLiteral("编号"), QStringLiteral("x' or '1'='1")}});
    EXPECT_EQ(found.recordCount(), 1);
    found.openTableWhere(QStringLiteral("队列"), {{QStringLiteral("编号"), QStringLiteral("' or ''='")}});
    EXPECT_EQ(found.recordCount(), 0);
}

TEST_F(RecordsetTest, FailedOpenBehavesAsEmptyAndEveryUpdateFails)
{
    struct Case {
        const char *what;
        std::function<bool(Database &, Recordset &)> open;
    };
    const QList<Case> cases = {
        {"missing file",
         [&](Database &d, Recordset &r) {
             d.open(dir.filePath("none.mdb"));
             r.attach(d);
             return r.openTable("队列");
         }},
        {"missing table",
         [&](Database &d, Recordset &r) {
             d.open(file);
             r.attach(d);
             return r.openTable("没有的表");
         }},
        {"never attached", [&](Database &, Recordset &r) { return r.openTable("队列"); }},
    };
    for (const Case &c : cases) {
        Database d;
        Recordset r;
        EXPECT_FALSE(c.open(d, r)) << c.what;
        EXPECT_EQ(r.recordCount(), 0) << c.what;
        EXPECT_FALSE(r.moveFirst()) << c.what;
        EXPECT_EQ(r.readText(QStringLiteral("编号")), QString()) << c.what;
        r.addNew();
        r.writeText(QStringLiteral("编号"), QStringLiteral("Z"));
        EXPECT_FALSE(r.update()) << c.what;
        EXPECT_FALSE(r.deleteCurrent()) << c.what;
        EXPECT_FALSE(r.deleteAll()) << c.what;
    }
    EXPECT_TRUE(numbers().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.mdb"))));
}

TEST_F(RecordsetTest, TransactionRollsBackUnlessCommitted)
{
    rs.openTable(QStringLiteral("队列"));
    {
        Transaction t(db);
        ASSERT_TRUE(t.isActive());
        append(QStringLiteral("lost"), 1);
    }
    {
        Transaction t(db);
        append(QStringLiteral("kept"), 1);
        ASSERT_TRUE(t.commit());
    }
    EXPECT_EQ(numbers(), QStringList{"kept"});
}

TEST_F(RecordsetTest, MillionRowsOpenCountAndMoveQuickly)
{
    ASSERT_TRUE(executeSql(
        db, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
                           "INSERT INTO 队列 (编号, 数量) SELECT 'N' || i, i FROM n")));
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(rs.openTable(QStringLiteral("队列")));
    EXPECT_EQ(rs.recordCount(), 1000000);
    ASSERT_TRUE(rs.moveTo(765432));
    EXPECT_EQ(rs.readInt(QStringLiteral("数量")), 765433);
    const qint64 ms = timer.elapsed();
    std::printf("open, count and move in 1,000,000 rows: %lld ms\n", static_cast<long long>(ms));
    EXPECT_LT(ms, 3000);
}

TEST_F(RecordsetTest, EmptyTextIsStoredAsEmptyTextNotNull)
{
    rs.openTable(QStringLiteral("队列"));
    rs.addNew();
    rs.writeText(QStringLiteral("编号"), QString());
    ASSERT_TRUE(rs.update());
    Recordset found;
    found.attach(db);
    found.openTableWhere(QStringLiteral("队列"), {{QStringLiteral("编号"), QStringLiteral("")}});
    EXPECT_EQ(found.recordCount(), 1);
}

TEST_F(RecordsetTest, RecordsKeptByIdentityAreExactlyTheOnesActedOn)
{
    for (const char *n : {"A", "B", "C", "B"})
        append(QString::fromUtf8(n), 1);
    Recordset all;
    all.attach(db);
    ASSERT_TRUE(all.openTable(QStringLiteral("队列")));
    ASSERT_TRUE(all.moveTo(1));
    const qint64 firstB = all.recordId();
    ASSERT_TRUE(all.moveTo(2));
    const qint64 c = all.recordId();
    ASSERT_TRUE(all.moveTo(3));
    const qint64 secondB = all.recordId();

    Recordset chosen;
    chosen.attach(db);
    ASSERT_TRUE(chosen.openTableRecords(QStringLiteral("队列"), {c, firstB}));
    EXPECT_EQ(chosen.recordCount(), 2);
    ASSERT_TRUE(chosen.moveFirst());
    EXPECT_EQ(chosen.recordId(), firstB); // table order, whatever order the identities came in
    // Deleting the set deletes only its records: the other B and A stay.
    ASSERT_TRUE(chosen.deleteAll());
    EXPECT_EQ(numbers(), (QStringList{"A", "B"}));
    ASSERT_TRUE(chosen.openTableRecords(QStringLiteral("队列"), {c, secondB}));
    EXPECT_EQ(chosen.recordCount(), 1); // the deleted one is gone
    ASSERT_TRUE(chosen.openTableRecords(QStringLiteral("队列"), {}));
    EXPECT_EQ(chosen.recordCount(), 0);
}

TEST_F(RecordsetTest, DeleteAllKeepsTheFilter)
{
    for (const char *n : {"A", "B", "A"})
        append(QString::fromUtf8(n), 1);
    ASSERT_TRUE(rs.setFilter(QStringLiteral("编号 = 'A'")));
    ASSERT_TRUE(rs.deleteAll());
    EXPECT_EQ(numbers(), QStringList{"B"});
}
