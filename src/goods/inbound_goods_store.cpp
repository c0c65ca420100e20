#include "goods/inbound_goods_store.h"

#include "frame/db_access.h"
#include "platform/filter.h"
#include "platform/write_session.h"

namespace goods {

namespace {

const QString table = QStringLiteral("外地入埠货物");
const QString pickedUpColumn = QStringLiteral("已提货");
const QString yes = QStringLiteral("是");

// A column of 外地入埠货物 and the value of InboundGoods it holds, in the order a save writes them.
struct Column {
    QString name;
    InboundGoodsMember member;
};

const QList<Column> &columns()
{
    using G = InboundGoods;
    static const QList<Column> list = {
        {QStringLiteral("品名"), &G::name},
        {QStringLiteral("始发地"), &G::origin},
        {QStringLiteral("到达日期"), &G::arrival},
        {QStringLiteral("入库人"), &G::receiver},
        {QStringLiteral("提货方式"), &G::pickUpWay},
        {QStringLiteral("原包装"), &G::packing},
        {QStringLiteral("件数"), &G::pieces},
        {QStringLiteral("重量"), &G::weight},
        {QStringLiteral("体积"), &G::volume},
        {QStringLiteral("提货人姓名"), &G::pickerName},
        {QStringLiteral("提货人电话"), &G::pickerPhone},
        {QStringLiteral("提货人单位"), &G::pickerCompany},
        {QStringLiteral("提货人地址"), &G::pickerAddress},
        {QStringLiteral("提货日期"), &G::pickUpDate},
        {QStringLiteral("出库人"), &G::releasedBy},
    };
    return list;
}

// A field of a recordset's current record or of a listed record.
template <typename Records> void readField(Records &rs, const QString &column, QString &value)
{
    value = rs.readText(column);
}
template <typename Records> void readField(Records &rs, const QString &column, int &value)
{
    value = rs.readInt(column);
}
template <typename Records> void readField(Records &rs, const QString &column, QDateTime &value)
{
    value = rs.readDateTime(column);
}
void writeField(platform::Recordset &rs, const QString &column, const QString &value)
{
    rs.writeText(column, value);
}
void writeField(platform::Recordset &rs, const QString &column, int value)
{
    rs.writeInt(column, value);
}
void writeField(platform::Recordset &rs, const QString &column, const QDateTime &value)
{
    rs.writeDateTime(column, value);
}

template <typename Records> InboundGoods currentRecord(Records &rs)
{
    InboundGoods goods;
    for (const Column &column : columns())
        std::visit([&](auto member) { readField(rs, column.name, goods.*member); }, column.member);
    goods.pickedUp = rs.readText(pickedUpColumn) == yes;
    return goods;
}

QString filePath()
{
    return frame::dataFilePath(QStringLiteral("ywzhxx.mdb"));
}

} // namespace

bool appendInboundGoods(const InboundGoods &goods)
{
    platform::WriteSession session(filePath());
    if (!session.openTable(table))
        return false;
    platform::Recordset &rs = session.records();
    rs.addNew();
    for (const Column &column : columns())
        std::visit([&](auto member) { writeField(rs, column.name, goods.*member); }, column.member);
    return rs.update() && session.commit();
}

QString inboundGoodsCondition(const QString &from, const QString &to, bool pickedUp)
{
    return QStringLiteral("到达日期 > ") + platform::filterLiteral(from) + QStringLiteral(" and 到达日期 < ") +
           platform::filterLiteral(to) +
           (pickedUp ? QStringLiteral(" and 已提货 = '是'") : QStringLiteral(" and 已提货 = '否'"));
}

platform::RecordListing listInboundGoods(const QString &condition)
{
    return platform::RecordListing::open([&condition](platform::Database &db, platform::Recordset &rs) {
        if (!db.open(filePath()) || !rs.openTable(table))
            return false;
        rs.setFilter(condition); // a condition that does not parse lists nothing
        return true;
    });
}

ListedInboundGoods listedInboundGoodsAt(const platform::RecordListing &listing, int row)
{
    const platform::ListedRecord record = listing.record(row);
    return {record.recordId(), currentRecord(record)};
}

std::optional<InboundGoods> readInboundGoods(qint64 id)
{
    // Showing a row tells the operator nothing when it cannot read, so it does not wait long for a
    // file another program holds.
    platform::Database db;
    platform::Recordset rs;
    rs.attach(db);
    if (!db.open(filePath(), platform::Database::Wait::Brief) || !rs.openRecord(table, id))
        return std::nullopt;
    return currentRecord(rs);
}

bool writePickedUpFlag(const ListedInboundGoods &listed, bool pickedUp)
{
    // The session's transaction holds the file from the comparison to the write.
    platform::WriteSession session(filePath());
    platform::Recordset &rs = session.records();
    if (!session.isOpen() || !rs.openRecord(table, listed.id) || currentRecord(rs) != listed.goods)
        return false;
    rs.writeText(pickedUpColumn, pickedUp ? yes : QStringLiteral("否"));
    return rs.update() && session.commit();
}

} // namespace goods
