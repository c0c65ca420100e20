#pragma once

#include <QDateTime>
#include <QString>

namespace frame {
class DocumentCounters;
}

namespace goods {

// One picking: the goods as inspected and measured at the picking desk.
struct Picking {
    QString number;       // 检货号
    QString picker;       // 检货员
    QDateTime time;       // 检货时间; invalid: the typed text was no date
    QString goodsName;    // 货物名称
    int pieces = 0;       // 实际件数
    int weight = 0;       // 实际重量
    int volume = 0;       // 实际体积
    bool bubble = false;  // 计抛否
    int bubbleWeight = 0; // 计抛重量
};

// Keeps the picking in 检货及仓库, queues the same values in 检货临时库 for the order desk and
// advances the picking number of the counters, all in one transaction: either all three are
// kept or none. Tells the operator when main.mdb or 检货及仓库 does not open.
bool storePicking(const Picking &picking, frame::DocumentCounters &counters);

} // namespace goods
