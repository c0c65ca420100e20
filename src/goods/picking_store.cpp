#include "goods/picking_store.h"

#include "frame/db_access.h"
#include "frame/document_counters.h"
#include "platform/write_session.h"

namespace goods {

namespace {

// Appends one record with the picking's nine values to the table open in rs.
bool appendPicking(platform::Recordset &rs, const Picking &picking)
{
    rs.addNew();
    rs.writeText(QStringLiteral("检货号"), picking.number);
    rs.writeText(QStringLiteral("检货员"), picking.picker);
    rs.writeDateTime(QStringLiteral("检货时间"), picking.time);
    rs.writeText(QStringLiteral("货物名称"), picking.goodsName);
    rs.writeInt(QStringLiteral("实际件数"), picking.pieces);
    rs.writeInt(QStringLiteral("实际重量"), picking.weight);
    rs.writeInt(QStringLiteral("实际体积"), picking.volume);
    rs.writeText(QStringLiteral("计抛否"), picking.bubble ? QStringLiteral("是") : QStringLiteral("否"));
    rs.writeInt(QStringLiteral("计抛重量"), picking.bubbleWeight);
    return rs.update();
}

} // namespace

bool storePicking(const Picking &picking, frame::DocumentCounters &counters)
{
    // The counters move in memory only once the session commits, so a refused save lends no number.
    platform::WriteSession session(frame::dataFilePath(QStringLiteral("main.mdb")),
                                   {frame::DocumentCounters::counterAttachment()});
    return frame::DbAccess().openForSave(session, QStringLiteral("检货及仓库")) &&
           appendPicking(session.records(), picking) && session.openTable(QStringLiteral("检货临时库")) &&
           appendPicking(session.records(), picking) &&
           counters.nextDocumentNumber(session, frame::DocumentKind::Picking) && session.commit();
}

} // namespace goods
