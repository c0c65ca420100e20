#include "goods/stock_out_store.h"

#include "frame/db_access.h"
#include "platform/write_session.h"

namespace goods {

bool queueStockOut(const QList<StockOutLine> &lines)
{
    platform::WriteSession session(frame::dataFilePath(QStringLiteral("main.mdb")));
    if (!session.openTable(QStringLiteral("出库临时表")))
        return false;
    platform::Recordset &queue = session.records();
    for (const StockOutLine &line : lines) {
        queue.addNew();
        queue.writeText(QStringLiteral("业务单号"), line.orderNumber);
        queue.writeText(QStringLiteral("货物名称"), line.goodsName);
        queue.writeInt(QStringLiteral("件数"), line.pieces);
        queue.writeInt(QStringLiteral("截留件数"), line.heldBack);
        queue.writeInt(QStringLiteral("重量"), line.weight);
        queue.writeInt(QStringLiteral("体积"), line.volume);
        if (!queue.update())
            return false;
    }
    return session.commit();
}

} // namespace goods
