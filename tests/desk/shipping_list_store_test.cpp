#include "desk/shipping_list_store.h"
#include "platform/sheet_grid.h"
#include "statement_counter.h"
#include "support/program_dir_fixture.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <ostream>

namespace {

const QString queueInsert =
    QStringLiteral("INSERT INTO 出库临时表 (业务单号, 货物名称, 件数, 截留件数, 重量, 体积) VALUES (?, ?, 1, 0, 2, 3)");

// A sheet file as an interrupted save leaves it.
void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Its helpers are public so that the case tables below can arrange a test through them.
class ShippingListStoreTest : public ProgramDirTest
{
protected:
    void SetUp() override
    {
        ProgramDirTest::SetUp();
        loginAs(QStringLiteral("管理员"));
    }

public:
    using ProgramDirTest::path;
    using ProgramDirTest::sql;

    void queue(const QString &number) { sql(QStringLiteral("main.mdb"), queueInsert, {number, QStringLiteral("货")}); }
    QStringList queued()
    {
        return column(QStringLiteral("main.mdb"), QStringLiteral("SELECT 业务单号 FROM 出库临时表 ORDER BY rowid"));
    }
    QStringList storedLists()
    {
        return column(QStringLiteral("ywzhxx.mdb"), QStringLiteral("SELECT 发货清单号 FROM 发货清单 ORDER BY rowid"));
    }
    QStringList storedNumber()
    {
        return column(QStringLiteral("system.mdb"),
                      QStringLiteral("SELECT 发货清单号 || '/' || "
                                     "(SELECT 发货清单号 FROM 开单次数) FROM 累加单号值"));
    }
    QStringList sheetFolderFiles() const
    {
        return QDir(path(QStringLiteral("grd_fhqd"))).entryList(QDir::Files | QDir::Hidden);
    }
    // The list the page would save after a click: the loaded lines and their queue records.
    static desk::ShippingList clickedList(const QString &number)
    {
        const desk::OutboundLines outbound = desk::readOutboundLines();
        desk::ShippingList list;
        list.record.number = number;
        list.record.driver = QStringLiteral("王师傅");
        list.sheetHeader.number = number;
        list.lines = outbound.lines;
        list.loadedQueue = outbound.queued;
        return list;
    }
    static desk::ShippingList listWithoutClick(const QString &number)
    {
        desk::ShippingList list;
        list.record.number = number;
        desk::ShippingLine typed;
        typed.orderNumber = QStringLiteral("T1");
        typed.goods = QStringLiteral("手写");
        list.lines = {typed};
        return list;
    }
};

TEST_F(ShippingListStoreTest, OutboundLinesCarryTheirQueueRecordsAndConsignees)
{
    queue(QStringLiteral("gone"));
    queue(QStringLiteral("A1"));
    queue(QStringLiteral("B2"));
    sql(QStringLiteral("main.mdb"), QStringLiteral("DELETE FROM 出库临时表 WHERE 业务单号 = 'gone'"));
    sql(QStringLiteral("main.mdb"),
        QStringLiteral("INSERT INTO 业务单 (业务单号, 收货人姓名, 收货电话, 收货手机, 代收货款金额) VALUES "
                       "('A1', '旧人', '1', '2', 5), ('A1', '张三', '0311', '138', 120)"));

    const desk::OutboundLines outbound = desk::readOutboundLines();

    ASSERT_EQ(outbound.lines.size(), 2);
    ASSERT_EQ(outbound.queued.size(), 2);
    EXPECT_EQ(outbound.queued[0].id, 2);
    EXPECT_EQ(outbound.queued[1].id, 3);
    EXPECT_EQ(outbound.queued[1].line, outbound.lines[1]);
    EXPECT_EQ(outbound.lines[0].orderNumber, QStringLiteral("A1"));
    EXPECT_EQ(outbound.lines[0].consignee, QStringLiteral("张三"));
    EXPECT_EQ(outbound.lines[0].phones, QStringLiteral("0311\r\n138"));
    EXPECT_EQ(outbound.lines[0].collectAmount, QStringLiteral("120"));
    EXPECT_EQ(outbound.lines[1].orderNumber, QStringLiteral("B2"));
    EXPECT_EQ(outbound.lines[1].consignee, QString());
    EXPECT_EQ(outbound.lines[1].collectAmount, QString());
}

TEST_F(ShippingListStoreTest, ReadingTheQueueCostsTheSameWhateverItsLength)
{
    for (int i = 0; i < 2; ++i)
        queue(QStringLiteral("S%1").arg(i));
    StatementCounter counter;
    if (!counter.available())
        GTEST_SKIP() << "SQLite is not the shared system library here";
    ASSERT_EQ(desk::readOutboundLines().lines.size(), 2);
    const int shortQueue = counter.count();

    for (int i = 2; i < 40; ++i)
        queue(QStringLiteral("S%1").arg(i));
    counter.reset();
    ASSERT_EQ(desk::readOutboundLines().lines.size(), 40);
    EXPECT_EQ(counter.count(), shortQueue);
}

struct QueueCase {
    const char *name;
    std::function<desk::ShippingList(ShippingListStoreTest &)> save;
    QStringList queuedAfterSave;
};

void PrintTo(const QueueCase &c, std::ostream *out)
{
    *out << c.name;
}

class SaveQueueTest : public ShippingListStoreTest, public ::testing::WithParamInterface<QueueCase>
{
};

TEST_P(SaveQueueTest, RemovesExactlyTheLinesTheLastClickLoaded)
{
    queue(QStringLiteral("A1"));
    queue(QStringLiteral("A2"));
    const desk::ShippingList list = GetParam().save(*this);

    const desk::SaveResult result = desk::storeShippingList(list);

    EXPECT_EQ(result.outcome, desk::SaveResult::Saved);
    EXPECT_EQ(queued(), GetParam().queuedAfterSave);
    EXPECT_EQ(storedLists(), QStringList{QStringLiteral("FH0000001")});
    EXPECT_EQ(sheetFolderFiles(), QStringList{QStringLiteral("FH0000001.grd")});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveQueueTest,
    ::testing::Values(
        QueueCase{
            "ClickThenSave", [](ShippingListStoreTest &t) { return t.clickedList(QStringLiteral("FH0000001")); }, {}},
        QueueCase{"StockOutSavedAfterTheClick",
                  [](ShippingListStoreTest &t) {
                      const desk::ShippingList list = t.clickedList(QStringLiteral("FH0000001"));
                      t.queue(QStringLiteral("A3"));
                      return list;
                  },
                  {QStringLiteral("A3")}},
        QueueCase{"RecordReplacedSinceTheClick",
                  [](ShippingListStoreTest &t) {
                      const desk::ShippingList list = t.clickedList(QStringLiteral("FH0000001"));
                      // A2 went some other way and A3, stocked out since, took its identity.
                      t.sql(QStringLiteral("main.mdb"), QStringLiteral("DELETE FROM 出库临时表 WHERE rowid = 2"));
                      t.queue(QStringLiteral("A3"));
                      return list;
                  },
                  {QStringLiteral("A3")}},
        QueueCase{"NoClick",
                  [](ShippingListStoreTest &t) { return t.listWithoutClick(QStringLiteral("FH0000001")); },
                  {QStringLiteral("A1"), QStringLiteral("A2")}}),
    [](const ::testing::TestParamInfo<QueueCase> &info) { return std::string(info.param.name); });

struct RefusalCase {
    const char *name;
    QString number;
    const char *file; // where the breaking statement runs; nullptr: nothing is broken
    const char *statement;
    desk::SaveResult::Outcome outcome;
};

void PrintTo(const RefusalCase &c, std::ostream *out)
{
    *out << c.name;
}

class RefusedSaveTest : public ShippingListStoreTest, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(RefusedSaveTest, WritesNothingAndKeepsTheQueue)
{
    queue(QStringLiteral("A1"));
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("INSERT INTO 发货清单 (发货清单号) VALUES ('FH0000000')"));
    writeFile(desk::shippingSheetPath(QStringLiteral("FH0000000")), "earlier");
    desk::ShippingList list = clickedList(GetParam().number);
    if (GetParam().file)
        sql(QString::fromUtf8(GetParam().file), QString::fromUtf8(GetParam().statement));
    const QStringList numberBefore = storedNumber();

    const desk::SaveResult result = desk::storeShippingList(list);

    EXPECT_EQ(result.outcome, GetParam().outcome);
    EXPECT_EQ(storedLists(), QStringList{QStringLiteral("FH0000000")});
    EXPECT_EQ(sheetFolderFiles(), QStringList{QStringLiteral("FH0000000.grd")});
    EXPECT_EQ(readFile(desk::shippingSheetPath(QStringLiteral("FH0000000"))), QByteArray("earlier"));
    EXPECT_EQ(queued(), QStringList{QStringLiteral("A1")});
    EXPECT_EQ(storedNumber(), numberBefore);
    EXPECT_EQ(frame::documentCounters().number(frame::DocumentKind::ShippingList), QStringLiteral("FH0000001"));
}

constexpr desk::SaveResult::Outcome notFileName = desk::SaveResult::NumberNotFileName;

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSaveTest,
    ::testing::Values(
        RefusalCase{"NumberTaken", QStringLiteral("FH0000000"), nullptr, nullptr, desk::SaveResult::NumberTaken},
        RefusalCase{"CounterRefused", QStringLiteral("FH0000001"), "system.mdb",
                    "CREATE TRIGGER refuse BEFORE UPDATE ON 开单次数 BEGIN SELECT RAISE(ABORT, 'refused'); END",
                    desk::SaveResult::RecordsNotSaved},
        RefusalCase{"QueueKept", QStringLiteral("FH0000001"), "main.mdb",
                    "CREATE TRIGGER keep BEFORE DELETE ON 出库临时表 BEGIN SELECT RAISE(ABORT, 'kept'); END",
                    desk::SaveResult::RecordsNotSaved},
        RefusalCase{"NumberWithNul", QStringLiteral("FH1") + QChar(0), nullptr, nullptr, notFileName},
        RefusalCase{"NumberWithCr", QStringLiteral("FH\r1"), nullptr, nullptr, notFileName},
        RefusalCase{"NumberWithLf", QStringLiteral("FH1\n"), nullptr, nullptr, notFileName},
        RefusalCase{"NumberWithTab", QStringLiteral("\tFH1"), nullptr, nullptr, notFileName},
        RefusalCase{"NumberWithSlash", QStringLiteral("a/b"), nullptr, nullptr, notFileName},
        RefusalCase{"NumberWithBackslash", QStringLiteral("a\\b"), nullptr, nullptr, notFileName},
        RefusalCase{"NumberDotDot", QStringLiteral(".."), nullptr, nullptr, notFileName},
        RefusalCase{"NumberEmpty", QString(), nullptr, nullptr, notFileName}),
    [](const ::testing::TestParamInfo<RefusalCase> &info) { return std::string(info.param.name); });

TEST_F(ShippingListStoreTest, LeftoverOfAnInterruptedSaveNeitherBlocksItsNumberNorSurvives)
{
    queue(QStringLiteral("A1"));
    writeFile(desk::temporarySheetPath(QStringLiteral("FH0000001")), "half a sheet");
    writeFile(desk::temporarySheetPath(QStringLiteral("FH0000007")), "");

    EXPECT_EQ(desk::storeShippingList(clickedList(QStringLiteral("FH0000001"))).outcome, desk::SaveResult::Saved);

    EXPECT_EQ(sheetFolderFiles(), QStringList{QStringLiteral("FH0000001.grd")});
    platform::Sheet saved;
    ASSERT_TRUE(saved.load(desk::shippingSheetPath(QStringLiteral("FH0000001"))));
    EXPECT_EQ(saved.rowCount(), 4);
    EXPECT_EQ(saved.text(4, 1), QStringLiteral("A1"));
}

TEST_F(ShippingListStoreTest, SheetOfACommittedListThatMissedItsRenameIsPutInPlace)
{
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("INSERT INTO 发货清单 (发货清单号) VALUES ('FH0000003')"));
    writeFile(desk::temporarySheetPath(QStringLiteral("FH0000003")), "the committed sheet");
    writeFile(desk::temporarySheetPath(QStringLiteral("FH0000004")), "never committed");

    desk::clearInterruptedSaves();

    EXPECT_EQ(sheetFolderFiles(), QStringList{QStringLiteral("FH0000003.grd")});
    EXPECT_EQ(readFile(desk::shippingSheetPath(QStringLiteral("FH0000003"))), QByteArray("the committed sheet"));
}

TEST_F(ShippingListStoreTest, SheetThatCannotTakeItsNameAfterTheCommitIsReportedAndPutInPlaceLater)
{
    queue(QStringLiteral("A1"));
    // A folder in the sheet's place: the sheet is written, the records commit, the rename fails.
    const QString blocked = desk::shippingSheetPath(QStringLiteral("FH0000001"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inside")));

    const desk::SaveResult result = desk::storeShippingList(clickedList(QStringLiteral("FH0000001")));

    EXPECT_EQ(result.outcome, desk::SaveResult::SheetNotPlaced);
    EXPECT_EQ(result.sheetPath, blocked);
    EXPECT_EQ(storedLists(), QStringList{QStringLiteral("FH0000001")});
    EXPECT_EQ(queued(), QStringList());
    EXPECT_EQ(frame::documentCounters().number(frame::DocumentKind::ShippingList), QStringLiteral("FH0000002"));
    EXPECT_EQ(sheetFolderFiles(), QStringList{QStringLiteral("FH0000001.grd.tmp")});

    ASSERT_TRUE(QDir(blocked).removeRecursively());
    desk::clearInterruptedSaves();
    EXPECT_EQ(sheetFolderFiles(), QStringList{QStringLiteral("FH0000001.grd")});
    platform::Sheet saved;
    ASSERT_TRUE(saved.load(blocked));
    EXPECT_EQ(saved.text(4, 1), QStringLiteral("A1"));
}
