#pragma once

#include <QList>
#include <QString>

namespace goods {

// One goods line released from the warehouse, as the stock-out grid holds it.
struct StockOutLine {
    QString orderNumber; // 业务单号
    QString goodsName;   // 货物名称
    int pieces = 0;      // 件数
    int heldBack = 0;    // 截留件数
    int weight = 0;      // 重量
    int volume = 0;      // 体积
};

// Appends one 出库临时表 record per line, in order, in one transaction, so the queue for the
// next shipping list never holds half a release.
bool queueStockOut(const QList<StockOutLine> &lines);

} // namespace goods
