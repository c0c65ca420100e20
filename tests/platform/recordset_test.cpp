#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/write_session.h"
#include "support/qt_warnings.h"
#include "support/temp_database.h"

using namespace platform;

class RecordsetTest : public TempDatabaseTest
{
protected:
    void SetUp() override
    {
        TempDatabaseTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
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
        return walk(reader, QStringLiteral("编号"));
    }

    static QStringList walk(Recordset &set, const QString &field)
    {
        QStringList out;
        for (bool ok = set.moveFirst(); ok; ok = set.moveNext())
            out.append(set.readText(field));
        return out;
    }

    int count(const QString &table)
    {
        Recordset reader;
        reader.attach(db);
        return reader.openTable(table) ? reader.recordCount() : -1;
    }

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

TEST_F(RecordsetTest, MillionRowsOpenCountAndMove)
{
    ASSERT_TRUE(executeSql(
        db, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
                           "INSERT INTO 队列 (编号, 数量) SELECT 'N' || i, i FROM n")));
    ASSERT_TRUE(rs.openTable(QStringLiteral("队列")));
    EXPECT_EQ(rs.recordCount(), 1000000);
    ASSERT_TRUE(rs.moveTo(765432));
    EXPECT_EQ(rs.readInt(QStringLiteral("数量")), 765433);
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

TEST_F(RecordsetTest, AWriteToAFieldTheTableLacksFailsTheUpdateAndWritesNothing)
{
    append(QStringLiteral("A"), 1);
    struct Case {
        const char *name;
        bool adding;
        std::function<void(Recordset &)> write;
    };
    const QList<Case> cases = {
        {"write, new record", true, [](Recordset &r) { r.write(QStringLiteral("编码"), QStringLiteral("B")); }},
        {"writeText, current record", false,
         [](Recordset &r) { r.writeText(QStringLiteral("编码"), QStringLiteral("B")); }},
        {"writeInt, new record", true, [](Recordset &r) { r.writeInt(QStringLiteral("数目"), 2); }},
        {"writeDateTime, current record", false,
         [](Recordset &r) { r.writeDateTime(QStringLiteral("日期"), QDateTime::currentDateTime()); }},
        {"writeAt past the last column", true, [](Recordset &r) { r.writeAt(4, QStringLiteral("x")); }},
        {"writeAt before the first column", false, [](Recordset &r) { r.writeAt(-1, QStringLiteral("x")); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(rs.openTable(QStringLiteral("队列")));
        if (c.adding)
            rs.addNew();
        else
            ASSERT_TRUE(rs.moveFirst());
        rs.writeText(QStringLiteral("状态"), QStringLiteral("改")); // a good write beside it is not kept either
        {
            const ExpectQtWarning warning(QStringLiteral("没有字段"));
            c.write(rs);
        }
        EXPECT_FALSE(rs.update());
        EXPECT_TRUE(rs.lastError().contains(QStringLiteral("没有字段"))) << rs.lastError().toStdString();
        EXPECT_EQ(numbers(), QStringList{"A"});
        ASSERT_TRUE(rs.moveFirst());
        EXPECT_EQ(rs.readText(QStringLiteral("状态")), QStringLiteral("否"));
        // Only that record is refused: the next one saves.
        rs.writeInt(QStringLiteral("数量"), 1);
        EXPECT_TRUE(rs.update()) << rs.lastError().toStdString();
    }
}

TEST_F(RecordsetTest, AWriteToARenamedColumnRollsTheWholeSaveBack)
{
    ASSERT_TRUE(executeSql(db, QStringLiteral("ALTER TABLE 队列 RENAME COLUMN 编号 TO 单号")));
    ASSERT_TRUE(executeSql(db, QStringLiteral("CREATE TABLE 日志 (内容 TEXT)")));
    {
        WriteSession session(file);
        Recordset &records = session.records();
        ASSERT_TRUE(session.openTable(QStringLiteral("日志")));
        records.addNew();
        records.writeText(QStringLiteral("内容"), QStringLiteral("保存"));
        ASSERT_TRUE(records.update());
        ASSERT_TRUE(session.openTable(QStringLiteral("队列")));
        records.addNew();
        {
            const ExpectQtWarning warning(QStringLiteral("编号"));
            records.writeText(QStringLiteral("编号"), QStringLiteral("A"));
        }
        records.writeInt(QStringLiteral("数量"), 1);
        EXPECT_FALSE(records.update() && session.commit());
    }
    EXPECT_EQ(count(QStringLiteral("队列")), 0);
    EXPECT_EQ(count(QStringLiteral("日志")), 0);
}

TEST_F(RecordsetTest, ReadingAFieldTheSetLacksWarnsAndReadsNull)
{
    append(QStringLiteral("A"), 5);
    struct Case {
        const char *name;
        QString sql;
    };
    const QList<Case> cases = {
        {"whole table", QStringLiteral("select * from 队列")},
        {"SQL result", QStringLiteral("select 编号, 数量 from 队列 where 数量 > 0")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(rs.openSql(c.sql));
        ASSERT_TRUE(rs.moveFirst());
        {
            const ExpectQtWarning warning(QStringLiteral("数目"));
            EXPECT_TRUE(rs.read(QStringLiteral("数目")).isNull());
            EXPECT_EQ(rs.readInt(QStringLiteral("数目")), 0);
            EXPECT_EQ(rs.readText(QStringLiteral("数目")), QString());
        }
        EXPECT_EQ(rs.readInt(QStringLiteral("数量")), 5);
    }
}

TEST_F(RecordsetTest, OnlySelectStarOfATableOpensItUpdatable)
{
    append(QStringLiteral("A"), 1);
    append(QStringLiteral("B"), 2);

    ASSERT_TRUE(rs.openSql(QStringLiteral("SELECT * FROM 队列;")));
    ASSERT_TRUE(rs.setFilter(QStringLiteral("数量 = 2")));
    rs.writeText(QStringLiteral("编号"), QStringLiteral("Z"));
    ASSERT_TRUE(rs.update());
    EXPECT_EQ(numbers(), (QStringList{"A", "Z"}));

    // Any other query is its result, read-only: a filter leaves it as it is.
    ASSERT_TRUE(rs.openSql(QStringLiteral("select * from 队列 where 数量 > 0")));
    {
        const ExpectQtWarning warning(QStringLiteral("筛选"));
        EXPECT_FALSE(rs.setFilter(QStringLiteral("数量 = 2")));
    }
    EXPECT_EQ(walk(rs, QStringLiteral("编号")), (QStringList{"A", "Z"}));
    ASSERT_TRUE(rs.moveFirst());
    rs.writeText(QStringLiteral("编号"), QStringLiteral("Y"));
    EXPECT_FALSE(rs.update());
    EXPECT_EQ(numbers(), (QStringList{"A", "Z"}));
}

// Whether or not the set was read before, an appended record joins it, even outside its
// condition, and is the current record.
TEST_F(RecordsetTest, AnAppendedRecordJoinsTheSetAndIsCurrent)
{
    struct Case {
        const char *name;
        bool readFirst;
    };
    for (const Case &c : {Case{"set read before", true}, Case{"set never read", false}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(executeSql(db, QStringLiteral("DELETE FROM 队列")));
        ASSERT_TRUE(
            executeSql(db, QStringLiteral("INSERT INTO 队列 (编号, 数量) VALUES ('A', 1), ('B', 2), ('C', 1)")));
        ASSERT_TRUE(rs.openTableWhere(QStringLiteral("队列"), {{QStringLiteral("数量"), 1}}));
        if (c.readFirst) {
            EXPECT_EQ(rs.recordCount(), 2);
        }
        for (const char *n : {"D", "E"}) {
            rs.addNew();
            rs.writeText(QStringLiteral("编号"), QString::fromUtf8(n));
            rs.writeInt(QStringLiteral("数量"), 2);
            ASSERT_TRUE(rs.update());
            EXPECT_EQ(rs.readText(QStringLiteral("编号")), QString::fromUtf8(n));
        }
        const qint64 e = rs.recordId();
        EXPECT_EQ(rs.position(), 3);
        EXPECT_EQ(rs.recordCount(), 4);
        EXPECT_EQ(rs.recordId(), e);
        EXPECT_EQ(walk(rs, QStringLiteral("编号")), (QStringList{"A", "C", "D", "E"}));
    }
}

// Appending reads none of the set: it is read when first walked or counted, so it then holds a
// record another connection added after the append.
TEST_F(RecordsetTest, AppendingLeavesTheSetUnreadUntilItIsWalked)
{
    append(QStringLiteral("mine"), 1);
    Database other;
    ASSERT_TRUE(other.open(file));
    ASSERT_TRUE(executeSql(other, QStringLiteral("INSERT INTO 队列 (编号) VALUES ('theirs')")));
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(walk(rs, QStringLiteral("编号")), (QStringList{"mine", "theirs"}));
}

// Records are read a window at a time; every record of a set reads as itself wherever it falls,
// and a record changed since the set was read is still the set's.
TEST_F(RecordsetTest, WalkingReadsEveryRecordAcrossReadAheadWindows)
{
    ASSERT_TRUE(
        executeSql(db, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 450) "
                                      "INSERT INTO 队列 (编号, 数量) SELECT 'N' || i, i FROM n")));
    ASSERT_TRUE(rs.openTable(QStringLiteral("队列")));
    ASSERT_TRUE(rs.setFilter(QStringLiteral("数量 > 20")));
    ASSERT_EQ(rs.recordCount(), 430);
    ASSERT_TRUE(executeSql(db, QStringLiteral("UPDATE 队列 SET 数量 = 0 WHERE 编号 = 'N300'")));
    QStringList expected;
    for (int i = 21; i <= 450; ++i)
        expected.append(QStringLiteral("N%1").arg(i));
    EXPECT_EQ(walk(rs, QStringLiteral("编号")), expected);
    ASSERT_TRUE(rs.moveTo(279));
    EXPECT_EQ(rs.readInt(QStringLiteral("数量")), 0);
    ASSERT_TRUE(rs.moveTo(3));
    EXPECT_EQ(rs.readInt(QStringLiteral("数量")), 24);

    // A record deleted since the set was read reads as nothing and cannot be updated.
    ASSERT_TRUE(executeSql(db, QStringLiteral("DELETE FROM 队列 WHERE 编号 = 'N400'")));
    ASSERT_TRUE(rs.moveTo(379));
    EXPECT_EQ(rs.readText(QStringLiteral("编号")), QString());
    rs.writeInt(QStringLiteral("数量"), 1);
    EXPECT_FALSE(rs.update());
}
