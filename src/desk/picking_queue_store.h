#pragma once

#include "platform/record_listing.h"

#include <QDateTime>
#include <QString>

namespace desk {

// A picking waiting in 检货临时库 to be taken into an order, with the identity of its record.
struct PendingPicking {
    qint64 id = -1;
    QString number, picker;
    QDateTime time;
    QString goods;
    int pieces = 0, weight = 0, volume = 0;
    QString bubble; // 计抛否: "是" or "否"
    int bubbleWeight = 0;
    bool operator==(const PendingPicking &) const = default;
};

// The whole queue in table order; empty when it cannot be read. Waits only briefly for a held
// file, so a timer's refresh never freezes the window.
platform::RecordListing listPendingPickings();

// The picking a row of the listing shows, with its record's identity; none outside the listing.
PendingPicking pendingPickingAt(const platform::RecordListing &listing, int row);

// Takes the listed picking into the order, all or nothing: its queued record is deleted and the
// order number goes into the 检货及仓库 record of that picking (the first with the same values and
// no order number yet). False when the queued record is gone (or now holds another picking) or
// a step fails.
bool takeQueuedPicking(const PendingPicking &picking, const QString &orderNumber);

} // namespace desk
