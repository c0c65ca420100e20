#pragma once

#include <QDate>
#include <QString>

namespace bench {

// How many records a volume holds: 1x is a small company's data.
struct Volume {
    int scale;
    int orders;   // 业务单, 业务状态 and 检货及仓库
    int inbound;  // 外地入埠货物 and 发货清单
    int queue;    // 检货临时库 and 操作员
    int stockOut; // 出库临时表
};
Volume volumeAt(int scale);

// The arrival dates the inbound goods span (four years up to today) and one month amid them.
struct DateRange {
    QDate from; // exclusive, as the query's range is
    QDate to;   // exclusive
};
DateRange allArrivals(const QDate &today);
DateRange oneMonthOfArrivals(const QDate &today);

// Fills the installed (empty) data files of a program directory with a volume of realistic
// records, one transaction per table, and moves the document counters past the made numbers.
void fillVolume(const QString &programDirectory, const Volume &volume);

} // namespace bench
