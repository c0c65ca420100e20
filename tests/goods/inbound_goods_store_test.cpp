#include "goods/inbound_goods_store.h"
#include "support/qt_warnings.h"
#include "support/case_names.h"
#include "support/program_dir_fixture.h"

#include <QFile>

namespace {

const QString march = goods::inboundGoodsCondition(QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"), false);

goods::InboundGoods sample(const QString &name)
{
    goods::InboundGoods g;
    g.name = name;
    g.origin = QStringLiteral("广州");
    g.arrival = QDateTime(QDate(2026, 3, 5), QTime(8, 5, 3));
    g.receiver = QStringLiteral("王五");
    g.pickUpWay = QStringLiteral("快递"); // not one of the page's choices: kept as it is
    g.packing = QStringLiteral("木箱");
    g.pieces = 12;
    g.weight = -3;
    g.volume = 0;
    g.pickerName = QStringLiteral("赵六");
    g.pickerPhone = QStringLiteral("13900");
    g.pickerCompany = QStringLiteral("某'商店");
    g.pickerAddress = QString();
    g.releasedBy = QStringLiteral("钱七"); // pickUpDate left invalid: no date
    return g;
}

} // namespace

class InboundGoodsStoreTest : public ProgramDirTest
{
protected:
    QStringList flags()
    {
        return column(QStringLiteral("ywzhxx.mdb"),
                      QStringLiteral("SELECT 品名 || ':' || 已提货 FROM 外地入埠货物 ORDER BY rowid"));
    }
    static QList<goods::ListedInboundGoods> listed(const QString &condition)
    {
        const platform::RecordListing listing = goods::listInboundGoods(condition);
        QList<goods::ListedInboundGoods> rows;
        for (int row = 0; row < listing.count(); ++row)
            rows.append(goods::listedInboundGoodsAt(listing, row));
        return rows;
    }
};

TEST_F(InboundGoodsStoreTest, AnAppendedRecordListsAndReadsBackWithEveryValue)
{
    const goods::InboundGoods saved = sample(QStringLiteral("电视机"));
    ASSERT_TRUE(goods::appendInboundGoods(saved));

    const QList<goods::ListedInboundGoods> rows = listed(march);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].goods == saved);
    EXPECT_EQ(goods::readInboundGoods(rows[0].id), saved);
    EXPECT_EQ(column(QStringLiteral("ywzhxx.mdb"),
                     QStringLiteral("SELECT 提货方式 || '|' || ifnull(提货日期, 'NULL') || '|' || 提货人地址 || '|' || "
                                    "已提货 FROM 外地入埠货物")),
              QStringList{"快递|NULL||否"});
}

TEST_F(InboundGoodsStoreTest, EachListedRowCarriesTheIdentityOfItsRecord)
{
    for (const QString &name : QStringList{"甲", "外", "乙", "丙"})
        ASSERT_TRUE(goods::appendInboundGoods(sample(name)));
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("UPDATE 外地入埠货物 SET 已提货 = '是' WHERE 品名 = '外'"));

    const QList<goods::ListedInboundGoods> rows = listed(march);
    QStringList names;
    for (const goods::ListedInboundGoods &row : rows) {
        names.append(row.goods.name);
        EXPECT_EQ(goods::readInboundGoods(row.id).value_or(goods::InboundGoods{}).name, row.goods.name);
    }
    EXPECT_EQ(names, (QStringList{"甲", "乙", "丙"}));

    // Another program deletes the first record and changes the second: the identities still lead
    // to the records listed, as they are now.
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("DELETE FROM 外地入埠货物 WHERE 品名 = '甲'"));
    sql(QStringLiteral("ywzhxx.mdb"),
        QStringLiteral("UPDATE 外地入埠货物 SET 件数 = 99, 已提货 = '是' WHERE 品名 = '乙'"));
    EXPECT_EQ(goods::readInboundGoods(rows[0].id), std::nullopt);
    const auto second = goods::readInboundGoods(rows[1].id);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->name, QStringLiteral("乙"));
    EXPECT_EQ(second->pieces, 99);
    EXPECT_TRUE(second->pickedUp);
    EXPECT_EQ(goods::readInboundGoods(rows[2].id).value_or(goods::InboundGoods{}).name, QStringLiteral("丙"));
}

TEST_F(InboundGoodsStoreTest, NothingListsOrReadsWithoutTheFile)
{
    ASSERT_TRUE(goods::appendInboundGoods(sample(QStringLiteral("甲"))));
    const qint64 id = goods::listInboundGoods(march).recordId(0);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/ywzhxx.mdb"))));
    EXPECT_EQ(goods::listInboundGoods(march).count(), 0);
    EXPECT_EQ(goods::readInboundGoods(id), std::nullopt);
    EXPECT_FALSE(goods::appendInboundGoods(sample(QStringLiteral("乙"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("data/ywzhxx.mdb"))));
}

struct FlagWrite {
    const char *name;
    const char *since; // SQL another program runs after the listing; none: the file is removed
    bool written;
    QStringList flags; // 品名:已提货 of every record afterwards
};

class FlagWriteTest : public InboundGoodsStoreTest, public ::testing::WithParamInterface<FlagWrite>
{
};

TEST_P(FlagWriteTest, WritesOnlyTheRecordAsListed)
{
    for (const QString &name : QStringList{"甲", "乙", "丙"})
        ASSERT_TRUE(goods::appendInboundGoods(sample(name)));
    const platform::RecordListing listing = goods::listInboundGoods(march);
    ASSERT_EQ(listing.count(), 3);
    if (GetParam().since == nullptr)
        ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/ywzhxx.mdb"))));
    else if (*GetParam().since)
        sql(QStringLiteral("ywzhxx.mdb"), QString::fromUtf8(GetParam().since));

    // The row read after the change still holds the record as the listing read it.
    EXPECT_EQ(goods::writePickedUpFlag(goods::listedInboundGoodsAt(listing, 1), true), GetParam().written);
    EXPECT_EQ(flags(), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlagWriteTest,
    ::testing::Values(
        FlagWrite{"Unchanged", "", true, {"甲:否", "乙:是", "丙:否"}},
        // Rows before it going away does not move the write to another record.
        FlagWrite{"EarlierRecordDeleted", "DELETE FROM 外地入埠货物 WHERE 品名 = '甲'", true, {"乙:是", "丙:否"}},
        FlagWrite{"RecordDeleted", "DELETE FROM 外地入埠货物 WHERE 品名 = '乙'", false, {"甲:否", "丙:否"}},
        FlagWrite{"OtherColumnChanged",
                  "UPDATE 外地入埠货物 SET 提货人电话 = '000' WHERE 品名 = '乙'",
                  false,
                  {"甲:否", "乙:否", "丙:否"}},
        FlagWrite{"FlagChangedElsewhere",
                  "UPDATE 外地入埠货物 SET 已提货 = '是' WHERE 品名 = '乙'",
                  false,
                  {"甲:否", "乙:是", "丙:否"}},
        // The deleted record's identity given to a new one: the new record is not the one listed.
        FlagWrite{"IdentityTakenByANewRecord",
                  "REPLACE INTO 外地入埠货物 (rowid, 品名, 到达日期) VALUES (2, '新', '2026-03-05 08:05:03')",
                  false,
                  {"甲:否", "新:否", "丙:否"}},
        FlagWrite{"DatabaseMissing", nullptr, false, {}}),
    CaseName());

TEST_F(InboundGoodsStoreTest, RenamedColumnSavesNothing)
{
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("ALTER TABLE 外地入埠货物 RENAME COLUMN 件数 TO 数量"));
    const ExpectQtWarning warning(QStringLiteral("没有字段"));
    EXPECT_FALSE(goods::appendInboundGoods(sample(QStringLiteral("甲"))));
    EXPECT_EQ(count(QStringLiteral("ywzhxx.mdb"), QStringLiteral("外地入埠货物")), 0);
}
